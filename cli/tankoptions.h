#pragma once

#include <QList>
#include <QString>

class QCommandLineOption;
class QCommandLineParser;

// The options of the tank commands: the table poll converts levels with, and
// how tare steps and decides that a level has settled.
struct TankOptions
{
    QString tankTable;    // poll: litres from this table
    QString out;          // tare: where the table goes
    double step = 0;      // tare: litres of a default pour
    double tolerance = 0; // tare: percent either side
    double settleSeconds = 0;

    static QCommandLineOption tankTableOption();
    static QList<QCommandLineOption> tareOptions();
    // False with the reason when a value is out of its range.
    bool readTare(const QCommandLineParser& parser, QString* error);
};

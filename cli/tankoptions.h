#pragma once

#include "tank/tanktable.h"

#include <QList>
#include <QString>
#include <optional>

class QCommandLineOption;
class QCommandLineParser;

// The options of the tank commands: the table poll converts levels with, and
// how tare steps and decides that a level has settled.
struct TankOptions
{
    QString tankTable;    // poll: litres from this table; record: the table it holds
    QString out;          // tare: where the table goes
    double step = 0;      // tare: litres of a default pour
    double tolerance = 0; // tare: percent either side
    double settleSeconds = 0;

    static QCommandLineOption tankTableOption();
    static QList<QCommandLineOption> tareOptions();
    // False with the reason when a value is out of its range.
    bool readTare(const QCommandLineParser& parser, QString* error);
    // The table named, if any; false with "--tank-table FILE: line N: what is
    // wrong" when the file is no tank table.
    bool loadTable(std::optional<TankTable>* table, QString* error) const;
};

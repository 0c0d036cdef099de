#pragma once

#include "tank/tankprobe.h"
#include "tank/tankshape.h"

#include <QList>
#include <QString>

class QCommandLineOption;
class QCommandLineParser;

// The options of tank-shape (a table from a tank's shape, fitted to pours) and
// tank-export (a table in the forms tracking platforms import).
struct ShapeOptions
{
    TankShape shape;
    TankProbe probe;
    int points = 0;
    QString fit; // a table of measured pours
    QString in;
    QString out;
    QString format;
    int maxPoints = 0; // 0: every row
    QString separator;
    QString decimal;

    static QList<QCommandLineOption> shapeOptions();
    static QList<QCommandLineOption> exportOptions();
    // False with the reason, naming the value, when one is wrong.
    bool readShape(const QCommandLineParser& parser, const QString& shapeText, QString* error);
    bool readExport(const QCommandLineParser& parser, QString* error);

private:
    bool readFullScale(const QCommandLineParser& parser, QString* error);
};

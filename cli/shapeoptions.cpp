#include "shapeoptions.h"

#include "tank/tableformat.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

bool readCount(const QCommandLineParser& parser, const QString& name, int low, int high,
               int* value, QString* error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    *value = parser.value(name).toInt(&ok);
    if (ok && *value >= low && *value <= high)
        return true;
    *error = QStringLiteral("--%1 %2 is not a whole number from %3 to %4")
                 .arg(name, parser.value(name))
                 .arg(low)
                 .arg(high);
    return false;
}

bool readOut(const QCommandLineParser& parser, QString* out, QString* error)
{
    *out = parser.value("out");
    if (!out->isEmpty())
        return true;
    *error = QStringLiteral("--out is missing: name the file for the tank table");
    return false;
}

} // namespace

QList<QCommandLineOption> ShapeOptions::shapeOptions()
{
    return {{"probe",
             "Where the probe's range starts above the bottom and how long it is, in mm: the "
             "tank's whole height unless told.",
             "START:LENGTH"},
            {"points", "Rows, evenly spaced in level: 21 unless told.", "N"},
            {"full-scale", "The raw level of a full probe: 4095 unless told.", "N"},
            {"fit", "Fit the shape to the measured rows of this table (as tare writes it).",
             "TABLE"},
            {"out", "Write the tank table to this file.", "FILE"}};
}

QList<QCommandLineOption> ShapeOptions::exportOptions()
{
    return {{"in", "The table to export: a tank table or any form exported.", "FILE"},
            {"format", "csv, pairs, segments or json-pairs: csv unless told.", "FORMAT"},
            {"max-points", "Thin the table to at most this many rows.", "N"},
            {"separator", "Between raw level and litres in pairs: ; unless told.", "TEXT"},
            {"decimal", "The decimal sign of pairs: . or ,; . unless told.", "SIGN"},
            {"full-scale", "The raw level of a full probe, for the level of imported pairs: "
                           "4095 unless told.",
             "N"},
            {"out", "Write the table in that form to this file.", "FILE"}};
}

bool ShapeOptions::readFullScale(const QCommandLineParser& parser, QString* error)
{
    probe.fullScale = TankProbe::kDefaultFullScale;
    return readCount(parser, "full-scale", 1, 65535, &probe.fullScale, error);
}

bool ShapeOptions::readShape(const QCommandLineParser& parser, const QString& shapeText,
                             QString* error)
{
    if (shapeText.isEmpty()) {
        *error = QStringLiteral("the shape is missing: give SHAPE:NAME=MM,..., SHAPE one of %1")
                     .arg(TankShape::kindNames().join(QStringLiteral(", ")));
        return false;
    }
    points = TankShapeTable::kDefaultPoints;
    fit = parser.value("fit");
    if (!readFullScale(parser, error) || !TankShapeText::readShape(shapeText, &shape, error) ||
        !readCount(parser, "points", 2, TankShapeTable::kMostPoints, &points, error))
        return false;
    probe.length = shape.height();
    if (parser.isSet("probe") &&
        !TankShapeText::readProbe(parser.value("probe"), shape, &probe, error)) {
        error->prepend(QStringLiteral("--probe: "));
        return false;
    }
    return readOut(parser, &out, error);
}

bool ShapeOptions::readExport(const QCommandLineParser& parser, QString* error)
{
    in = parser.value("in");
    format = parser.isSet("format") ? parser.value("format") : QStringLiteral("csv");
    separator = parser.isSet("separator") ? parser.value("separator") : QStringLiteral(";");
    decimal = parser.isSet("decimal") ? parser.value("decimal") : QStringLiteral(".");
    if (in.isEmpty()) {
        *error = QStringLiteral("--in is missing: name the tank table to export");
        return false;
    }
    const TableStyle style{separator, decimal.size() == 1 ? decimal[0] : QChar()};
    if (!TableFormat::checkStyle(style, error)) {
        *error = QStringLiteral("--separator %1 --decimal %2: %3").arg(separator, decimal, *error);
        return false;
    }
    if (!TableFormat::names().contains(format)) {
        *error = QStringLiteral("--format %1 is not one of %2")
                     .arg(format, TableFormat::names().join(QStringLiteral(", ")));
        return false;
    }
    return readFullScale(parser, error) &&
           readCount(parser, "max-points", 2, TankShapeTable::kMostPoints, &maxPoints, error) &&
           readOut(parser, &out, error);
}

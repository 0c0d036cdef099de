#include "tankoptions.h"

#include "tank/tankcalibration.h"
#include "tank/tanktablefile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cmath>

namespace {

const double kLargestStep = 100000;
const double kLongestSettle = 3600;

bool readPositive(const QCommandLineParser& parser, const QString& name, double highest,
                  double* value, QString* error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const double number = parser.value(name).toDouble(&ok);
    if (ok && number > 0 && number <= highest) {
        *value = number;
        return true;
    }
    *error = QStringLiteral("--%1 %2 is not a number above 0 and up to %3")
                 .arg(name, parser.value(name))
                 .arg(highest);
    return false;
}

} // namespace

QCommandLineOption TankOptions::tankTableOption()
{
    return QCommandLineOption("tank-table",
                              "Add each reading's litres from this tank table (as tare writes it).",
                              "FILE");
}

QList<QCommandLineOption> TankOptions::tareOptions()
{
    return {{"out", "Write the tank table to this file.", "FILE"},
            {"step", "Litres of a default pour (answer +): 10 unless told.", "LITRES"},
            {"tolerance",
             "A settled level stays within this many percent either side: 0.2 "
             "unless told.",
             "PERCENT"},
            {"settle",
             "Seconds a level must stay within the tolerance to count as settled: 10 "
             "unless told.",
             "SECONDS"}};
}

bool TankOptions::readTare(const QCommandLineParser& parser, QString* error)
{
    out = parser.value("out");
    if (out.isEmpty()) {
        *error = QStringLiteral("--out is missing: name the file for the tank table");
        return false;
    }
    step = TankCalibration::kDefaultStep;
    tolerance = TankStability::kDefaultTolerance;
    settleSeconds = TankStability::kDefaultSettleMs / 1000.0;
    return readPositive(parser, "step", kLargestStep, &step, error) &&
           readPositive(parser, "tolerance", 100, &tolerance, error) &&
           readPositive(parser, "settle", kLongestSettle, &settleSeconds, error);
}

bool TankOptions::loadTable(std::optional<TankTable>* table, QString* error) const
{
    if (tankTable.isEmpty())
        return true;
    QString problem;
    table->emplace();
    if (TankTableFile::load(tankTable, &**table, &problem))
        return true;
    *error = QStringLiteral("--tank-table %1: %2").arg(tankTable, problem);
    return false;
}

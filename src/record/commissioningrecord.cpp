#include "record/commissioningrecord.h"

#include "engine/serialsensor.h"
#include "files/wholefile.h"
#include "profiles/configurationparameters.h"
#include "session/enginefactory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace {

QVariant valueIf(bool known, const QVariant& value)
{
    return known ? value : QVariant();
}

// Rounded as the window shows them: hundredths of a percent, tenths of a litre.
double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QList<RecordValue> readingOf(const SensorReading& reading, const TankTable* tankTable)
{
    const bool measured = !reading.failed();
    QList<RecordValue> values{
        {"Level", valueIf(measured && reading.levelKnown, rounded(reading.level, 2))},
        {"RawLevel", valueIf(reading.answered(), reading.rawLevel)}};
    if (tankTable && !tankTable->isEmpty())
        values << RecordValue{
            "Litres", valueIf(measured, rounded(tankTable->volumeAt(reading.rawLevel).litres, 1))};
    if (reading.hasFrequencyTemperature)
        values << RecordValue{"Frequency", valueIf(measured, reading.frequency)}
               << RecordValue{"Temperature", valueIf(measured, reading.temperature)};
    return values;
}

QList<RecordValue> configurationOf(const BaseSensor& sensor)
{
    QList<RecordValue> configuration;
    for (const auto& [name, value] : ConfigurationParameters::recorded(sensor))
        configuration << RecordValue{name, value};
    return configuration;
}

QJsonObject valuesJson(const QList<RecordValue>& values)
{
    QJsonObject object;
    for (const RecordValue& value : values)
        object.insert(value.name, QJsonValue::fromVariant(value.value));
    return object;
}

// Level is in hundredths of a percent wherever nivelon-cli prints one;
// LevelPercent says the same in percent.
void insertLevel(QJsonObject* object, const QVariant& percent)
{
    const bool known = !percent.isNull();
    const double level = percent.toDouble();
    object->insert("Level", known ? QJsonValue(qRound(level * 100)) : QJsonValue());
    object->insert("LevelPercent", known ? QJsonValue(qRound(level * 100) / 100.0) : QJsonValue());
}

QJsonObject readingJson(const QList<RecordValue>& reading)
{
    QJsonObject object = valuesJson(reading);
    insertLevel(&object, object.value("Level").toVariant());
    return object;
}

QJsonArray shownJson(const QList<ShownValue>& shown)
{
    QJsonArray values;
    for (const ShownValue& value : shown)
        values.append(
            QJsonObject{{"name", value.name}, {"label", value.label}, {"text", value.text}});
    return values;
}

QJsonValue tankTableJson(const std::optional<TankTable>& table)
{
    if (!table)
        return QJsonValue::Null;
    QJsonArray rows;
    for (const TankRow& row : table->rows()) {
        QJsonObject object{
            {"Litres", row.litres}, {"RawLevel", row.rawLevel}, {"forced", row.forced}};
        insertLevel(&object, row.level);
        rows.append(object);
    }
    return rows;
}

// A table computed from the tank's shape is marked so until pours confirm it.
QJsonValue tankShapeJson(const std::optional<TankTable>& table)
{
    if (!table || table->info().shape.isEmpty())
        return QJsonValue::Null;
    const TankTableInfo& info = table->info();
    return QJsonObject{{"shape", info.shape},
                       {"probe", info.probe},
                       {"computed", info.computed},
                       {"confirmation", info.confirmation}};
}

} // namespace

CommissioningRecord CommissioningRecord::of(const SerialSensor& sensor,
                                            const RecordContext& context,
                                            const TankTable* tankTable)
{
    CommissioningRecord record;
    record.time = context.time;
    record.version = QStringLiteral(NIVELON_VERSION);
    record.port = context.port;
    record.model = EngineFactory::sensorTypes().value(context.modelIndex);
    record.protocol = EngineFactory::protocolName(unsigned(context.modelIndex));
    record.address = sensor.address();
    record.vehicle = context.vehicle;
    record.installer = context.installer;
    record.reading = readingOf(sensor.lastReading(), tankTable);
    record.configuration = configurationOf(sensor);
    record.calibrations = sensor.calibrationLog().entries();
    if (tankTable)
        record.tankTable = *tankTable;
    record.statistics = sensor.lineStatistics();
    return record;
}

QJsonObject CommissioningRecord::toJson() const
{
    QJsonArray calibrationArray;
    for (const CalibrationLog::Entry& entry : calibrations)
        calibrationArray.append(
            QJsonObject{{"point", CalibrationLog::pointKey(entry.point)},
                        {"value", entry.value},
                        {"time", timeText(QDateTime::fromMSecsSinceEpoch(entry.timeMs))}});
    return QJsonObject{{"schema", SchemaVersion},
                       {"time", timeText(time)},
                       {"program", "Nivelon"},
                       {"version", version},
                       {"vehicle", vehicle},
                       {"installer", installer},
                       {"port", port},
                       {"model", model},
                       {"protocol", protocol},
                       {"address", address},
                       {"reading", readingJson(reading)},
                       {"configuration", valuesJson(configuration)},
                       {"shown", shownJson(shown)},
                       {"calibrations", calibrationArray},
                       {"tankTable", tankTableJson(tankTable)},
                       {"tankShape", tankShapeJson(tankTable)},
                       {"statistics", statistics.toJson()}};
}

bool CommissioningRecord::save(const QString& path, QString* error) const
{
    return WholeFile::write(path, QJsonDocument(toJson()).toJson(), error);
}

QString CommissioningRecord::timeText(const QDateTime& time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

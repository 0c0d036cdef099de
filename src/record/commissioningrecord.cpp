#include "record/commissioningrecord.h"

#include "engine/enginefactory.h"
#include "engine/serialsensor.h"
#include "parameters/ktparameter.h"
#include "profiles/configurationparameters.h"
#include "protocols/omnicommsensor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

QVariant valueOf(const SerialSensor& sensor, int index)
{
    const KtParameter* parameter = sensor.parameter(index);
    return parameter->isValid() ? parameter->variantValue() : QVariant();
}

QVariant valueIf(bool known, const QVariant& value)
{
    return known ? value : QVariant();
}

// Hundredths of a percent are as far as people read a level.
QList<RecordValue> readingOf(const SensorReading& reading)
{
    const bool measured = !reading.failed();
    QList<RecordValue> values{
        {"Level", valueIf(measured && reading.levelKnown, qRound(reading.level * 100.0) / 100.0)},
        {"RawLevel", valueIf(reading.answered(), reading.rawLevel)}};
    if (reading.hasFrequencyTemperature)
        values << RecordValue{"Frequency", valueIf(measured, reading.frequency)}
               << RecordValue{"Temperature", valueIf(measured, reading.temperature)};
    return values;
}

QVariant modeOf(const OmniCommSensor& sensor)
{
    switch (sensor.mode()) {
    case OmniCommSensor::NetworkMode:
        return QStringLiteral("network");
    case OmniCommSensor::AutonomousMode:
        return QStringLiteral("autonomous");
    default:
        return QVariant();
    }
}

QList<RecordValue> configurationOf(const SerialSensor& sensor)
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(&sensor);
    if (!omnicomm)
        return {};
    QList<RecordValue> configuration;
    for (int index : ConfigurationParameters::reported(omnicomm))
        configuration << RecordValue{ConfigurationParameters::name(index), valueOf(sensor, index)};
    configuration << RecordValue{"Mode", modeOf(*omnicomm)};
    return configuration;
}

QJsonObject valuesJson(const QList<RecordValue>& values)
{
    QJsonObject object;
    for (const RecordValue& value : values)
        object.insert(value.name, QJsonValue::fromVariant(value.value));
    return object;
}

QJsonValue tankTableJson(const std::optional<TankTable>& table)
{
    if (!table)
        return QJsonValue::Null;
    QJsonArray rows;
    for (const TankRow& row : table->rows())
        rows.append(QJsonObject{{"litres", row.litres},
                                {"rawLevel", row.rawLevel},
                                {"level", row.level},
                                {"forced", row.forced}});
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
    record.reading = readingOf(sensor.lastReading());
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
    return QJsonObject{{"time", timeText(time)},
                       {"program", "Nivelon"},
                       {"version", version},
                       {"vehicle", vehicle},
                       {"installer", installer},
                       {"port", port},
                       {"model", model},
                       {"protocol", protocol},
                       {"address", address},
                       {"reading", valuesJson(reading)},
                       {"configuration", valuesJson(configuration)},
                       {"calibrations", calibrationArray},
                       {"tankTable", tankTableJson(tankTable)},
                       {"tankShape", tankShapeJson(tankTable)},
                       {"statistics", statistics.toJson()}};
}

bool CommissioningRecord::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(toJson()).toJson()) < 0 ||
        !file.commit()) {
        *error = tr("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString CommissioningRecord::timeText(const QDateTime& time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

#include "reading.h"

#include "parameters/ktparameter.h"
#include "protocols/modbussensor.h"
#include "protocols/omnicommsensor.h"
#include "protocols/tbussensor.h"

#include <QDateTime>
#include <QTextStream>

namespace {

float levelOf(const SerialSensor* sensor)
{
    return sensor->parameter(0)->variantValue().toFloat();
}

int intOf(const SerialSensor* sensor, int index)
{
    return sensor->parameter(index)->variantValue().toInt();
}

// The plot export writes the level through a text stream; so does this.
QString levelColumn(float level)
{
    QString text;
    QTextStream(&text) << level * 100.0f;
    return text;
}

QString timeColumn(qint64 timeMs)
{
    return QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

} // namespace

// ModBus sensors report percent, the others a fraction of full scale. An
// Omnicomm reading fails with its raw level, the others with their level.
Reading Reading::of(const SerialSensor* sensor, qint64 timeMs)
{
    Reading reading;
    reading.timeMs = timeMs;
    reading.rawLevel = intOf(sensor, 1);
    reading.answered = sensor->parameter(1)->isValid();
    if (qobject_cast<const OmniCommSensor*>(sensor)) {
        reading.omnicomm = true;
        reading.level = levelOf(sensor) * 100.0f;
        reading.temperature = intOf(sensor, OmniCommSensor::TemperatureIndex);
        reading.frequency = intOf(sensor, OmniCommSensor::FrequencyIndex);
        reading.error = !sensor->parameter(OmniCommSensor::RawLevelIndex)->isValid();
        return reading;
    }
    const bool percent = qobject_cast<const ModBusSensor*>(sensor) != nullptr;
    reading.level = percent ? levelOf(sensor) : levelOf(sensor) * 100.0f;
    reading.error = !sensor->parameter(0)->isValid();
    const auto* tbus = qobject_cast<const TBusSensor*>(sensor);
    reading.uncalibrated = tbus && tbus->isUncalibrated();
    return reading;
}

QString Reading::csvHeader() const
{
    return omnicomm ? QStringLiteral("Time,Level,RawLevel,Frequency,Temperature,Error,TimeMs")
                    : QStringLiteral("Time,Level,RawLevel,Error,TimeMs");
}

QString Reading::csvRow() const
{
    QStringList fields{timeColumn(timeMs), levelColumn(level), QString::number(rawLevel)};
    if (omnicomm)
        fields << QString::number(frequency) << QString::number(temperature);
    fields << QString::number(error ? 1 : 0) << QString::number(timeMs);
    return fields.join(',');
}

QJsonObject Reading::toJson() const
{
    QJsonObject object{{"Time", timeColumn(timeMs)}, {"Level", levelColumn(level).toDouble()},
                       {"RawLevel", rawLevel},       {"Error", error ? 1 : 0},
                       {"TimeMs", double(timeMs)},   {"Status", status()}};
    if (omnicomm) {
        object.insert("Frequency", frequency);
        object.insert("Temperature", temperature);
    }
    return object;
}

QString Reading::status() const
{
    if (!error)
        return QStringLiteral("ok");
    if (uncalibrated)
        return QStringLiteral("uncalibrated");
    return answered ? QStringLiteral("sensor status") : QStringLiteral("no reading");
}

QString Reading::toText() const
{
    if (error && answered)
        return QStringLiteral("%1 (raw %2)").arg(status()).arg(rawLevel);
    if (error)
        return status();
    QString text = QStringLiteral("level %1 %, raw %2").arg(double(level), 0, 'g', 6).arg(rawLevel);
    if (omnicomm)
        text += QStringLiteral(", frequency %1, temperature %2").arg(frequency).arg(temperature);
    return text;
}

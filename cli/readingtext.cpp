#include "readingtext.h"

#include "engine/readingcsv.h"
#include "engine/sensorreading.h"
#include "record/commissioningrecord.h"
#include "tank/tanktable.h"

namespace ReadingText {

QJsonObject toJson(const SensorReading& reading, const TankTable* tankTable)
{
    const bool failed = reading.failed();
    QJsonObject object = levelJson(reading);
    object.insert("Time", timeText(reading.timeMs));
    object.insert("RawLevel", reading.rawLevel);
    object.insert("Error", failed ? 1 : 0);
    object.insert("TimeMs", double(reading.timeMs));
    object.insert("Status", status(reading));
    if (reading.hasFrequencyTemperature) {
        object.insert("Frequency", reading.frequency);
        object.insert("Temperature", reading.temperature);
    }
    if (tankTable) {
        const TankVolume volume = tankTable->volumeAt(reading.rawLevel);
        object.insert("Litres", failed ? QJsonValue() : QJsonValue(volume.litres));
        object.insert("LitresOutOfRange", !failed && volume.outOfRange);
    }
    return object;
}

// A level nobody measured is no level: null, not 0.
QJsonObject levelJson(const SensorReading& reading)
{
    if (reading.failed() || !reading.levelKnown)
        return QJsonObject{{"Level", QJsonValue()}, {"LevelPercent", QJsonValue()}};
    const double hundredths = ReadingCsv::levelText(reading.level).toDouble();
    return QJsonObject{{"Level", hundredths}, {"LevelPercent", hundredths / 100}};
}

QString timeText(qint64 timeMs)
{
    return CommissioningRecord::timeText(QDateTime::fromMSecsSinceEpoch(timeMs));
}

QString status(const SensorReading& reading)
{
    switch (reading.error) {
    case SensorReading::NoError:
        if (!reading.levelKnown)
            return QStringLiteral("scale unknown");
        return reading.aboveFullScale() ? QStringLiteral("above full scale")
                                        : QStringLiteral("ok");
    case SensorReading::Uncalibrated:
        return QStringLiteral("uncalibrated");
    case SensorReading::SensorStatus:
        return QStringLiteral("sensor status");
    case SensorReading::NoReply:
        break;
    }
    return QStringLiteral("no reading");
}

QString toText(const SensorReading& reading)
{
    if (reading.failed() && reading.answered())
        return QStringLiteral("%1 (raw %2)").arg(status(reading)).arg(reading.rawLevel);
    if (reading.failed())
        return status(reading);
    QString text = reading.levelKnown ? QStringLiteral("level %1 %, raw %2")
                                            .arg(double(reading.level), 0, 'g', 6)
                                            .arg(reading.rawLevel)
                                      : QStringLiteral("raw %1").arg(reading.rawLevel);
    if (reading.hasFrequencyTemperature)
        text += QStringLiteral(", frequency %1, temperature %2")
                    .arg(reading.frequency)
                    .arg(reading.temperature);
    if (!reading.hasLevel() || reading.aboveFullScale())
        text += QStringLiteral(" (%1)").arg(status(reading));
    return text;
}

} // namespace ReadingText

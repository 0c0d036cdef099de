#include "engine/readingcolumns.h"

#include "tank/tanktable.h"

#include <QDateTime>
#include <QTextStream>

namespace {

using Column = ReadingColumn;

// Through a text stream, whose shortest form of a float the files have always had.
QString hundredthsText(float level)
{
    QString text;
    QTextStream(&text) << level * 100.0f;
    return text;
}

// A level nobody measured is no level: empty in CSV, null in JSON. A failed
// reading still writes what it holds in CSV, as the files always had it.
bool unscaled(const SensorReading& reading)
{
    return !reading.failed() && !reading.levelKnown;
}

QJsonValue levelHundredths(const SensorReading& reading)
{
    if (!reading.hasLevel())
        return QJsonValue();
    return hundredthsText(reading.level).toDouble();
}

QString number(int value)
{
    return QString::number(value);
}

QJsonValue litres(const SensorReading& reading, const TankTable* table)
{
    return reading.failed() ? QJsonValue() : QJsonValue(table->volumeAt(reading.rawLevel).litres);
}

const std::vector<Column> kColumns{
    {"Time", Column::Always,
     [](const SensorReading& r, const TankTable*) {
         return QDateTime::fromMSecsSinceEpoch(r.timeMs).toString(
             QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
     },
     // JSON gives the zone as well.
     [](const SensorReading& r, const TankTable*) -> QJsonValue {
         const QDateTime time = QDateTime::fromMSecsSinceEpoch(r.timeMs);
         return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
     }},
    {"Level", Column::Always,
     [](const SensorReading& r, const TankTable*) {
         return unscaled(r) ? QString() : hundredthsText(r.level);
     },
     [](const SensorReading& r, const TankTable*) {
         return levelHundredths(r);
     }},
    {"LevelPercent", Column::Always, nullptr,
     [](const SensorReading& r, const TankTable*) -> QJsonValue {
         const QJsonValue hundredths = levelHundredths(r);
         return hundredths.isNull() ? hundredths : QJsonValue(hundredths.toDouble() / 100);
     }},
    {"RawLevel", Column::Always,
     [](const SensorReading& r, const TankTable*) { return number(r.rawLevel); },
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(r.rawLevel);
     }},
    {"Frequency", Column::FrequencyTemperature,
     [](const SensorReading& r, const TankTable*) { return number(r.frequency); },
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(r.frequency);
     }},
    {"Temperature", Column::FrequencyTemperature,
     [](const SensorReading& r, const TankTable*) { return number(r.temperature); },
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(r.temperature);
     }},
    {"Error", Column::Always,
     [](const SensorReading& r, const TankTable*) { return number(r.failed() ? 1 : 0); },
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(r.failed() ? 1 : 0);
     }},
    {"TimeMs", Column::Always,
     [](const SensorReading& r, const TankTable*) { return QString::number(r.timeMs); },
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(double(r.timeMs));
     }},
    {"Status", Column::Always, nullptr,
     [](const SensorReading& r, const TankTable*) {
         return QJsonValue(ReadingColumns::status(r));
     }},
    // A failed reading has no volume.
    {"Litres", Column::TankLitres,
     [](const SensorReading& r, const TankTable* table) {
         const QJsonValue value = litres(r, table);
         return value.isNull() ? QString() : QString::number(value.toDouble(), 'f', 2);
     },
     litres},
    {"LitresOutOfRange", Column::TankLitres, nullptr,
     [](const SensorReading& r, const TankTable* table) {
         return QJsonValue(!r.failed() && table->volumeAt(r.rawLevel).outOfRange);
     }},
};

} // namespace

bool ReadingColumn::isPresent(bool frequencyTemperature, bool tankTable) const
{
    switch (presence) {
    case FrequencyTemperature:
        return frequencyTemperature;
    case TankLitres:
        return tankTable;
    case Always:
        break;
    }
    return true;
}

namespace ReadingColumns {

const std::vector<ReadingColumn>& all()
{
    return kColumns;
}

QString status(const SensorReading& reading)
{
    switch (reading.error) {
    case SensorReading::NoError:
        if (!reading.levelKnown)
            return QStringLiteral("scale unknown");
        return reading.aboveFullScale() ? QStringLiteral("above full scale") : QStringLiteral("ok");
    case SensorReading::Uncalibrated:
        return QStringLiteral("uncalibrated");
    case SensorReading::SensorStatus:
        return QStringLiteral("sensor status");
    case SensorReading::NoReply:
        break;
    }
    return QStringLiteral("no reading");
}

} // namespace ReadingColumns

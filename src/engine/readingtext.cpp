#include "engine/readingtext.h"

#include "engine/readingcolumns.h"
#include "engine/sensorreading.h"

namespace ReadingText {

QJsonObject toJson(const SensorReading& reading, const TankTable* tankTable)
{
    QJsonObject object;
    for (const ReadingColumn& column : ReadingColumns::all()) {
        if (column.isPresent(reading.hasFrequencyTemperature, tankTable))
            object.insert(QLatin1String(column.name), column.json(reading, tankTable));
    }
    return object;
}

QJsonObject pollJson(const SensorReading& reading, const TankTable* tankTable)
{
    QJsonObject object = toJson(reading, tankTable);
    object.insert(QLatin1String("type"), QLatin1String("reading"));
    return object;
}

QJsonObject levelJson(const SensorReading& reading)
{
    QJsonObject object;
    for (const ReadingColumn& column : ReadingColumns::all()) {
        const QLatin1String name(column.name);
        if (name == QLatin1String("Level") || name == QLatin1String("LevelPercent"))
            object.insert(name, column.json(reading, nullptr));
    }
    return object;
}

QString toText(const SensorReading& reading)
{
    if (reading.failed() && reading.answered())
        return QStringLiteral("%1 (raw %2)")
            .arg(ReadingColumns::status(reading))
            .arg(reading.rawLevel);
    if (reading.failed())
        return ReadingColumns::status(reading);
    QString text = reading.levelKnown ? QStringLiteral("level %1 %, raw %2")
                                            .arg(double(reading.level), 0, 'g', 6)
                                            .arg(reading.rawLevel)
                                      : QStringLiteral("raw %1").arg(reading.rawLevel);
    if (reading.hasFrequencyTemperature)
        text += QStringLiteral(", frequency %1, temperature %2")
                    .arg(reading.frequency)
                    .arg(reading.temperature);
    if (!reading.hasLevel() || reading.aboveFullScale())
        text += QStringLiteral(" (%1)").arg(ReadingColumns::status(reading));
    return text;
}

} // namespace ReadingText

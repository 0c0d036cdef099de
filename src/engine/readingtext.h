#pragma once

#include <QJsonObject>
#include <QString>

class TankTable;
struct SensorReading;

// A reading as nivelon-cli prints it besides CSV and the fleet carries it live:
// a JSON object with the columns of ReadingColumns, or a short line for people.
namespace ReadingText {

// With a tank table, also the litres at the raw level and whether the table
// really covers it.
QJsonObject toJson(const SensorReading& reading, const TankTable* tankTable = nullptr);
// The documented poll reading: toJson with "type": "reading".
QJsonObject pollJson(const SensorReading& reading, const TankTable* tankTable);
// Only Level and LevelPercent, both null when the reading has no level.
QJsonObject levelJson(const SensorReading& reading);
// "level 50 %, raw 4096, ..." or the status.
QString toText(const SensorReading& reading);

} // namespace ReadingText

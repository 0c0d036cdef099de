#pragma once

#include <QJsonObject>
#include <QString>

class TankTable;
struct SensorReading;

// A reading as nivelon-cli prints it besides CSV: a JSON object with the CSV's
// columns and the reading's status, or a short line for people.
namespace ReadingText {

// With a tank table, also the litres at the raw level and whether the table
// really covers it.
QJsonObject toJson(const SensorReading& reading, const TankTable* tankTable = nullptr);
// Level in hundredths of a percent, as the CSV has it, and LevelPercent; both
// null when the reading has no level.
QJsonObject levelJson(const SensorReading& reading);
// ISO 8601 with the offset from UTC.
QString timeText(qint64 timeMs);
// "ok", "scale unknown" (the level cannot be given yet), "above full scale",
// "uncalibrated", "sensor status" (another code in place of a level) or "no
// reading".
QString status(const SensorReading& reading);
// "level 50 %, raw 4096, ..." or the status.
QString toText(const SensorReading& reading);

} // namespace ReadingText

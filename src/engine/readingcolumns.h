#pragma once

#include "engine/sensorreading.h"

#include <QJsonValue>
#include <QString>
#include <vector>

class TankTable;

// One column of a reading as the plot export and nivelon-cli write it: its
// name, which readings have it, its CSV text and its JSON value. JSON readings
// carry a few keys the CSV has not (LevelPercent, Status, LitresOutOfRange):
// columns without CSV text.
struct ReadingColumn
{
    enum Presence { Always, FrequencyTemperature, TankLitres };
    using CsvText = QString (*)(const SensorReading&, const TankTable*);
    using JsonValue = QJsonValue (*)(const SensorReading&, const TankTable*);

    const char* name;
    Presence presence;
    CsvText csv; // null for a JSON key only
    JsonValue json;

    // Whether readings with frequency and temperature, or with a tank table, have it.
    bool isPresent(bool frequencyTemperature, bool tankTable) const;
};

// Every column, in the order the CSV writes them: a new column is one row here.
namespace ReadingColumns {

const std::vector<ReadingColumn>& all();

// "ok", "scale unknown" (the level cannot be given yet), "above full scale",
// "uncalibrated", "sensor status" (another code in place of a level) or "no
// reading".
QString status(const SensorReading& reading);

} // namespace ReadingColumns

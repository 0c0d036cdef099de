#pragma once

#include "engine/sensorreading.h"

#include <QString>

class TankTable;

// Readings as CSV, the same for the window's plot export and nivelon-cli poll:
// the time in whole seconds, the level in hundredths of a percent, the raw
// level, the frequency and temperature where the protocol has them, the error
// flag and the time in milliseconds; with a tank table, the litres after them.
class ReadingCsv
{
public:
    // The table, when there is one, must outlive the writer.
    ReadingCsv(bool frequencyTemperature, const TankTable* tankTable);

    QString header() const;
    QString row(const SensorReading& reading) const;

    // The columns' own text forms, which JSON output shares.
    static QString timeText(qint64 timeMs);
    static QString levelText(float level);

private:
    bool m_frequencyTemperature;
    const TankTable* m_tankTable;
};

#pragma once

#include "engine/sensorreading.h"

#include <QString>

class TankTable;

// Readings as CSV, the same for the window's plot export and nivelon-cli poll:
// the CSV columns of ReadingColumns, those of frequency and temperature where
// the protocol has them, the litres where there is a tank table.
class ReadingCsv
{
public:
    // The table, when there is one, must outlive the writer.
    ReadingCsv(bool frequencyTemperature, const TankTable* tankTable);

    QString header() const;
    QString row(const SensorReading& reading) const;

private:
    template <typename Field>
    QString line(Field field) const;

    bool m_frequencyTemperature;
    const TankTable* m_tankTable;
};

#include "engine/readingrecorder.h"

#include "engine/basesensor.h"
#include "engine/readingcsv.h"

#include <QTextStream>
#include <algorithm>

ReadingRecorder::ReadingRecorder(BaseSensor* sensor, QObject* parent)
    : QObject(parent)
    , m_sensor(sensor)
{
    if (sensor)
        connect(sensor, &BaseSensor::reported, this, &ReadingRecorder::record);
}

void ReadingRecorder::setLimit(int limit)
{
    m_limit = std::max(0, limit);
    trim();
}

void ReadingRecorder::record(const SensorReading& reading)
{
    m_readings.push_back(reading);
    trim();
}

void ReadingRecorder::trim()
{
    while (m_limit != 0 && int(m_readings.size()) > m_limit)
        m_readings.pop_front();
}

void ReadingRecorder::writeCsv(QTextStream& stream, bool frequencyTemperature) const
{
    const ReadingCsv csv(frequencyTemperature, m_sensor ? m_sensor->tankTable() : nullptr);
    stream << csv.header() << '\n';
    for (const SensorReading& reading : m_readings)
        stream << csv.row(reading) << '\n';
}

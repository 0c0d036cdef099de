#pragma once

#include "engine/sensorreading.h"

#include <QObject>
#include <QPointer>
#include <deque>

class BaseSensor;
class QTextStream;

// Keeps a sensor's readings as it reports them, oldest first and at most
// limit() of them (0: no limit), each as it came: failed ones with why. The
// window's plot export writes them as nivelon-cli poll writes its own.
class ReadingRecorder : public QObject
{
    Q_OBJECT
public:
    explicit ReadingRecorder(BaseSensor* sensor, QObject* parent = nullptr);

    // A negative limit counts as none, as the plot's does.
    void setLimit(int limit);
    int limit() const { return m_limit; }
    void clear() { m_readings.clear(); }
    const std::deque<SensorReading>& readings() const { return m_readings; }
    // The header and a row per reading kept, with the litres of the sensor's
    // tank table when it has one.
    void writeCsv(QTextStream& stream, bool frequencyTemperature) const;

public slots:
    void record(const SensorReading& reading);

private:
    void trim();

    QPointer<BaseSensor> m_sensor;
    std::deque<SensorReading> m_readings;
    int m_limit = 999;
};

#pragma once

#include "engine/basesensor.h"
#include "engine/calibrationlog.h"
#include "engine/enginecommand.h"
#include "engine/linestatistics.h"

class QTimer;
class SerialEngine;

// A sensor on a polled serial line. Its cool-down spaces its level polls by the
// query interval, so one fast sensor cannot starve the others. It asks its
// engine for exchanges; what the engine needs to hear back it says by signal.
class SerialSensor : public BaseSensor
{
    Q_OBJECT
public:
    explicit SerialSensor(SerialEngine* engine);

    SerialEngine* engine() const;
    QObject* manager() const;
    bool isCoolingDown() const { return m_coolDown; }
    int queryInterval() const;
    // Kept by the engine, which sees every exchange; read and reset by views.
    LineStatistics& lineStatistics() { return m_lineStatistics; }
    const LineStatistics& lineStatistics() const { return m_lineStatistics; }
    void resetLineStatistics() { m_lineStatistics = LineStatistics(); }
    // Kept by the protocol sensors as their calibration writes succeed.
    CalibrationLog& calibrationLog() { return m_calibrationLog; }
    const CalibrationLog& calibrationLog() const { return m_calibrationLog; }

    // The level poll of this sensor, its answer going to the protocol sensor's
    // callback.
    virtual EngineCommand pollLevel();
    void invokeCoolDown();
    void setQueryInterval(int milliseconds);
    void deinit() override;

    // The query interval every new sensor starts with, as stored and checked.
    static int storedQueryInterval();

public slots:
    void slotResetCoolDown();

protected:
    void setLevelPollCallback(CommandCallback* callback) { m_levelPollCallback = callback; }

signals:
    // The sensor leaves its line: whoever polls it stops.
    void deinitialised();
    // The query interval since its last poll has passed: it may be polled again.
    void coolDownEnded();

private:
    bool m_coolDown = false;
    CommandCallback* m_levelPollCallback = nullptr;
    LineStatistics m_lineStatistics;
    CalibrationLog m_calibrationLog;
    QTimer* m_coolDownTimer;
};

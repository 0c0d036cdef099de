#pragma once

#include "engine/commandcallback.h"
#include "engine/serialsensor.h"

class TBusEngine;

// One level sensor on a TBus line: its level as a fraction of full scale, or the
// status code it reports instead (its reading says when that code asks for
// calibration), and its empty and full calibration points.
class TBusSensor : public SerialSensor
{
    Q_OBJECT
public:
    enum ParameterIndex { LevelIndex = 0, RawLevelIndex = 1, AdcValueIndex = 2 };

    explicit TBusSensor(TBusEngine* engine);

    TBusEngine* engine() const;
    EngineCommand pollLevel() override;

    void levelPollCallback(CommandCallback::Result result, const EngineCommand& command);
    void setMinimumCallback(CommandCallback::Result result, const EngineCommand& command);
    void setMaximumCallback(CommandCallback::Result result, const EngineCommand& command);
    // The reading a level reply carries: a level, or the status code sent in its place.
    static SensorReading readingOf(const unsigned char* reply, qint64 timeMs);
    // What a status code says; empty for a value that is a level.
    static QString statusText(int value);

public slots:
    void requestSetMinimum(CommandCallback* callback);
    void requestSetMaximum(CommandCallback* callback);

private:
    void parseData(const EngineCommand& command, SensorReading* reading);
    void requestCalibration(unsigned char point, CommandCallback* own, CommandCallback* caller);
    void finishCalibration(CommandCallback::Result result, const EngineCommand& command,
                           CalibrationLog::Point point, const QString& okNote);

    MemFunCommandCallback<TBusSensor> m_levelPollCallback;
    MemFunCommandCallback<TBusSensor> m_setMinimumCallback;
    MemFunCommandCallback<TBusSensor> m_setMaximumCallback;
};

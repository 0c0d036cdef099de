#pragma once

#include "engine/commandcallback.h"
#include "engine/serialsensor.h"

class ModBusEngine;

// One level sensor on a ModBus line: its level in percent and the raw register
// value, read from holding register 0; it can also be given a new bus address.
class ModBusSensor : public SerialSensor
{
    Q_OBJECT
public:
    enum ParameterIndex { LevelIndex = 0, RawLevelIndex = 1 };

    explicit ModBusSensor(ModBusEngine* engine);

    ModBusEngine* engine() const;
    EngineCommand pollLevel() override;
    void requestSetAddress(unsigned char newAddress);

    void levelPollCallback(CommandCallback::Result result, const EngineCommand& command);
    // The reading a level reply carries.
    static SensorReading readingOf(const unsigned char* reply, qint64 timeMs);
    void setAddressCallback(CommandCallback::Result result, const EngineCommand& command);

signals:
    // For the view to tell the user; the sensor's own log record has the exchange.
    void addressChangeFailed(CommandCallback::Result result);

private:
    MemFunCommandCallback<ModBusSensor> m_levelPollCallback;
    MemFunCommandCallback<ModBusSensor> m_setAddressCallback;
};

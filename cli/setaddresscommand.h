#pragma once

#include "clicommand.h"
#include "engine/enginecommand.h"
#include "functioncallback.h"

class SerialSensor;
struct SensorReading;

// nivelon-cli set-address: a new bus address for an Omnicomm or ModBus sensor,
// given only when nothing answers there, and confirmed by a reading from it.
class SetAddressCommand : public CliCommand
{
    Q_OBJECT
public:
    SetAddressCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    bool checkNewAddress(const EngineCommand& change);
    void probe();
    void probed(CommandCallback::Result result);
    void changed(CommandCallback::Result result);
    void confirmed(const SensorReading& reading);

    SerialSensor* m_sensor = nullptr;
    int m_newAddress = -1;
    int m_probes = 0;
    EngineCommand m_change;
    FunctionCallback m_probeCallback;
    FunctionCallback m_changeCallback;
};

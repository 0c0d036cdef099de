#pragma once

#include "clicommand.h"
#include "functioncallback.h"

class SerialSensor;

// nivelon-cli set-address: a new bus address for an Omnicomm or ModBus sensor,
// confirmed by a reading from the new address.
class SetAddressCommand : public CliCommand
{
    Q_OBJECT
public:
    SetAddressCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void changed(CommandCallback::Result result);
    void confirmed();

    SerialSensor* m_sensor = nullptr;
    int m_newAddress = -1;
    FunctionCallback m_callback;
};

#pragma once

#include "sensormodel.h"

#include <QByteArray>

namespace sim {

// The requests a bus master puts on the line, as a vehicle's tracker would send them.
class MasterRequests
{
public:
    // The level poll of the protocol.
    static QByteArray poll(Protocol protocol, int address);
    // A ModBus read of a register the sensors do not have, which they refuse.
    static QByteArray missingRegister(int address);
    // What a second master asks: something other than the level where the protocol has it.
    static QByteArray secondMaster(Protocol protocol, int address);
};

} // namespace sim

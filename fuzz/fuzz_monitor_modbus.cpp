#include "engine/enginefactory.h"
#include "passivefuzz.h"
#include "protocols/modbusengine.h"

namespace {

bool frameHolds(const PassiveFrame& frame)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(frame.bytes.constData());
    const int length = frame.bytes.size();
    return length >= 4 && bytes[0] == frame.address &&
           ModBusEngine::crc16(bytes, length - 2) == (bytes[length - 2] | bytes[length - 1] << 8);
}

} // namespace

NIVELON_PASSIVE_FUZZ_TARGET(EngineFactory::BusModBus, frameHolds)

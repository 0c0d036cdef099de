#include "engine/enginefactory.h"
#include "passivefuzz.h"
#include "protocols/tbusengine.h"

namespace {

// A poll is one identifier byte with its check bits; every longer frame ends
// with the XOR of the bytes before it.
bool frameHolds(const PassiveFrame& frame)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(frame.bytes.constData());
    const int length = frame.bytes.size();
    if (length == 1)
        return frame.kind == PassiveFrame::Request &&
               TBusEngine::identifierOf(bytes[0]) == bytes[0];
    return length > 1 && TBusEngine::xorChecksum(bytes, length - 1) == bytes[length - 1];
}

} // namespace

NIVELON_PASSIVE_FUZZ_TARGET(EngineFactory::BusTBus, frameHolds)

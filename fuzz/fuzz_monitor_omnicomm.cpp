#include "engine/enginefactory.h"
#include "passivefuzz.h"
#include "protocols/omnicommengine.h"

namespace {

bool frameHolds(const PassiveFrame& frame)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(frame.bytes.constData());
    const int length = frame.bytes.size();
    const quint8 start = frame.kind == PassiveFrame::Request ? OmniCommEngine::RequestStart
                                                             : OmniCommEngine::ReplyStart;
    return length >= OmniCommEngine::FramingLength && bytes[0] == start &&
           OmniCommEngine::crc8(bytes, length - 1) == bytes[length - 1];
}

} // namespace

NIVELON_PASSIVE_FUZZ_TARGET(EngineFactory::BusOmniComm, frameHolds)

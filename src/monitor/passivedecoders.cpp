#include "monitor/passivedecoders.h"

#include "engine/enginefactory.h"
#include "engine/passivedecoder.h"
#include "protocols/modbus/modbuspassivedecoder.h"
#include "protocols/omnicomm/omnicommpassivedecoder.h"
#include "protocols/tbus/tbuspassivedecoder.h"

std::unique_ptr<PassiveDecoder> PassiveDecoders::create(quint32 busType)
{
    switch (busType) {
    case EngineFactory::BusOmniComm:
        return std::make_unique<OmniCommPassiveDecoder>();
    case EngineFactory::BusModBus:
        return std::make_unique<ModBusPassiveDecoder>();
    case EngineFactory::BusTBus:
        return std::make_unique<TBusPassiveDecoder>();
    default:
        return nullptr;
    }
}

QList<quint32> PassiveDecoders::busTypes()
{
    return {EngineFactory::BusOmniComm, EngineFactory::BusModBus, EngineFactory::BusTBus};
}

QString PassiveDecoders::name(quint32 busType)
{
    const auto decoder = create(busType);
    return decoder ? decoder->protocolName() : QStringLiteral("unknown");
}

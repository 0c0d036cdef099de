#include "session/protocoltable.h"

#include "log/logger.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbuspassivedecoder.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommpassivedecoder.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbuspassivedecoder.h"
#include "session/enginefactory.h"

#include <QCoreApplication>
#include <iterator>

namespace {

using F = EngineFactory;

// Any order finds the protocol that answers; the shortest identify passes go
// first, so a line that answers in one of them is known soonest.
const ProtocolRow kRows[] = {
    {F::BusTBus,
     "TBus",
     QT_TRANSLATE_NOOP("EngineFactory", "TBus"),
     TBusEngine::FirstAddress,
     TBusEngine::LastAddress,
     [](quint32 flags) -> SerialEngine* { return new TBusEngine(flags); },
     {QT_TRANSLATE_NOOP("Logger", "TBusEngine"), QT_TRANSLATE_NOOP("Logger", "TBusSensor")},
     []() -> PassiveDecoder* { return new TBusPassiveDecoder(); },
     2},
    {F::BusOmniComm,
     "Omnicomm",
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm"),
     0,
     OmniCommEngine::AddressCount - 1,
     [](quint32 flags) -> SerialEngine* { return new OmniCommEngine(flags); },
     {QT_TRANSLATE_NOOP("Logger", "OmniCommEngine"),
      QT_TRANSLATE_NOOP("Logger", "OmniCommSensor")},
     []() -> PassiveDecoder* { return new OmniCommPassiveDecoder(); },
     0},
    // ModBus models have no optional controls.
    {F::BusModBus,
     "ModBus",
     QT_TRANSLATE_NOOP("EngineFactory", "ModBus RTU"),
     ModBusEngine::FirstUnicastAddress,
     ModBusEngine::LastUnicastAddress,
     [](quint32) -> SerialEngine* { return new ModBusEngine(); },
     {QT_TRANSLATE_NOOP("Logger", "ModBusEngine"), nullptr},
     []() -> PassiveDecoder* { return new ModBusPassiveDecoder(); },
     1},
};

} // namespace

QList<const ProtocolRow*> ProtocolTable::rows()
{
    QList<const ProtocolRow*> rows;
    for (const ProtocolRow& row : kRows)
        rows << &row;
    return rows;
}

const ProtocolRow* ProtocolTable::ofBus(quint32 bus)
{
    for (const ProtocolRow& row : kRows) {
        if (row.bus == bus)
            return &row;
    }
    return nullptr;
}

QByteArrayList ProtocolTable::logSections()
{
    QByteArrayList sections;
    for (const ProtocolRow& row : kRows) {
        for (const char* section : row.logSections) {
            if (section)
                sections << section;
        }
    }
    return sections;
}

void ProtocolTable::registerLogSections(Logger& logger)
{
    for (const QByteArray& section : logSections())
        logger.registerDiagnosticSection(section);
}

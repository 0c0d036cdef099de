#include "session/enginefactory.h"

#include "protocols/modbus/modbusengine.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/tbus/tbusengine.h"

#include <QCoreApplication>
#include <iterator>

namespace {

struct SensorModel
{
    const char* code;
    const char* description;
    quint32 features;
};

using F = EngineFactory;

// The order is what settings store; never reorder, only append.
const SensorModel kModels[] = {
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-31"),
     QT_TRANSLATE_NOOP("EngineFactory", "TBus protocol, LIN interface"), F::BusTBus},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-32"),
     QT_TRANSLATE_NOOP("EngineFactory", "MODBus protocol, RS-485 inteface"), F::BusModBus},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-33"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-485 inteface"),
     F::BusOmniComm | F::FeatureControlOutput},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-34"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-232 inteface"),
     F::BusOmniComm | F::FeatureControlOutput | F::FeatureAutonomousMode},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-35"),
     QT_TRANSLATE_NOOP("EngineFactory", "TBus protocol, LIN interface"),
     F::BusTBus | F::FeatureCalibration},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-36"),
     QT_TRANSLATE_NOOP("EngineFactory", "MODBus protocol, RS-485 inteface, PWM output"),
     F::BusModBus},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-37"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-485 inteface, PWM output"),
     F::BusOmniComm | F::FeatureControlOutput | F::FeaturePwmOutput},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-38"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-232 inteface, PWM output"),
     F::BusOmniComm | F::FeatureControlOutput | F::FeatureAutonomousMode | F::FeaturePwmOutput},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-41"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-485 interface, analogue output "
                                        "0.5-4.5V(0.5-9.5V)"),
     F::BusOmniComm | F::FeatureAnalogueOutput | F::FeatureExtendedConfiguration},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-42"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-485/RS-232 interfaces"),
     F::BusOmniComm | F::FeatureAutonomousMode | F::FeatureExtendedConfiguration},
    {QT_TRANSLATE_NOOP("EngineFactory", "ZT-43"),
     QT_TRANSLATE_NOOP("EngineFactory", "Omnicomm protocol, RS-232 interface, analogue output "
                                        "0.5-4.5V(0.5-9.5V)"),
     F::BusOmniComm | F::FeatureAutonomousMode | F::FeatureAnalogueOutput |
         F::FeatureExtendedConfiguration},
};

const unsigned kModelCount = unsigned(std::size(kModels));

// Any order finds the protocol that answers; the shortest passes go first, so a
// line that answers in one of them is known soonest.
const quint32 kIdentifyOrder[] = {F::BusTBus, F::BusOmniComm, F::BusModBus};

} // namespace

unsigned EngineFactory::count()
{
    return kModelCount;
}

bool EngineFactory::isValidType(unsigned index)
{
    return index < kModelCount;
}

quint32 EngineFactory::features(unsigned index)
{
    return isValidType(index) ? kModels[index].features : 0;
}

QString EngineFactory::tooltip(unsigned index)
{
    if (!isValidType(index))
        return QStringLiteral("ERROR");
    return QCoreApplication::translate("EngineFactory", kModels[index].description);
}

QString EngineFactory::protocolTitle(unsigned index)
{
    switch (features(index) & BusTypeMask) {
    case BusOmniComm:
        return QCoreApplication::translate("EngineFactory", "Omnicomm");
    case BusModBus:
        return QCoreApplication::translate("EngineFactory", "ModBus RTU");
    case BusTBus:
        return QCoreApplication::translate("EngineFactory", "TBus");
    default:
        return QString();
    }
}

QStringList EngineFactory::sensorTypes()
{
    QStringList codes;
    for (const SensorModel& model : kModels)
        codes.append(QCoreApplication::translate("EngineFactory", model.code));
    return codes;
}

QStringList EngineFactory::modelCodes(quint32 busType, quint32 flagMask, quint32 flags)
{
    QStringList codes;
    for (unsigned index = 0; index < kModelCount; ++index) {
        const quint32 features = kModels[index].features;
        if ((features & BusTypeMask) == busType && (features & flagMask) == flags)
            codes << QCoreApplication::translate("EngineFactory", kModels[index].code);
    }
    return codes;
}

bool EngineFactory::addressRange(unsigned index, int* lowest, int* highest)
{
    switch (features(index) & BusTypeMask) {
    case BusOmniComm:
        *lowest = 0;
        *highest = OmniCommEngine::AddressCount - 1;
        return true;
    case BusModBus:
        *lowest = ModBusEngine::FirstUnicastAddress;
        *highest = ModBusEngine::LastUnicastAddress;
        return true;
    case BusTBus:
        *lowest = TBusEngine::FirstAddress;
        *highest = TBusEngine::LastAddress;
        return true;
    default:
        return false;
    }
}

QString EngineFactory::protocolName(unsigned index)
{
    switch (features(index) & BusTypeMask) {
    case BusOmniComm:
        return QStringLiteral("Omnicomm");
    case BusModBus:
        return QStringLiteral("ModBus");
    case BusTBus:
        return QStringLiteral("TBus");
    default:
        return QString();
    }
}

QList<unsigned> EngineFactory::identifyOrder()
{
    QList<unsigned> models;
    for (quint32 bus : kIdentifyOrder) {
        for (unsigned index = 0; index < kModelCount; ++index) {
            if ((kModels[index].features & BusTypeMask) == bus) {
                models << index;
                break;
            }
        }
    }
    return models;
}

SerialEngine* EngineFactory::createSerialEngine(unsigned index)
{
    if (!isValidType(index))
        return nullptr;
    const quint32 bus = features(index) & BusTypeMask;
    const quint32 flags = features(index) & FeaturesMask;
    switch (bus) {
    case BusModBus:
        // ModBus models have no optional controls.
        return new ModBusEngine();
    case BusTBus:
        return new TBusEngine(flags);
    case BusOmniComm:
        return new OmniCommEngine(flags);
    default:
        return nullptr;
    }
}

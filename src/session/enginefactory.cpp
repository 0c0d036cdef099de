#include "session/enginefactory.h"

#include "session/protocoltable.h"

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

const ProtocolRow* protocolOf(unsigned index)
{
    return ProtocolTable::ofBus(EngineFactory::features(index) & EngineFactory::BusTypeMask);
}

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
    const ProtocolRow* protocol = protocolOf(index);
    return protocol ? QCoreApplication::translate("EngineFactory", protocol->title) : QString();
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
    const ProtocolRow* protocol = protocolOf(index);
    if (!protocol)
        return false;
    *lowest = protocol->lowestAddress;
    *highest = protocol->highestAddress;
    return true;
}

QString EngineFactory::protocolName(unsigned index)
{
    const ProtocolRow* protocol = protocolOf(index);
    return protocol ? QString::fromLatin1(protocol->name) : QString();
}

QList<unsigned> EngineFactory::identifyOrder()
{
    QList<unsigned> models;
    for (const ProtocolRow* protocol : ProtocolTable::rows()) {
        for (unsigned index = 0; index < kModelCount; ++index) {
            if ((kModels[index].features & BusTypeMask) == protocol->bus) {
                models << index;
                break;
            }
        }
    }
    return models;
}

SerialEngine* EngineFactory::createSerialEngine(unsigned index)
{
    const ProtocolRow* protocol = protocolOf(index);
    return protocol ? protocol->createEngine(features(index) & FeaturesMask) : nullptr;
}

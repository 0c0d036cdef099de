#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class SerialEngine;

// The one table of sensor models. The engineer picks a model, never a protocol;
// the row index is the persistent sensor type, and the row's features word names
// its protocol's row (ProtocolTable) and which optional controls the views offer.
class EngineFactory
{
public:
    // Bus-type values in bits 16-19 of a features word.
    static constexpr int BusInvalid = -1;
    static constexpr quint32 BusOmniComm = 0x10000;
    static constexpr quint32 BusModBus = 0x20000;
    static constexpr quint32 BusTBus = 0x30000;
    static constexpr quint32 BusTypeMask = 0xF0000;
    static constexpr quint32 FeaturesMask = 0xFFFF;

    // Capability flags; bit 0 means one thing to an Omnicomm view, another to a
    // TBus view.
    static constexpr quint32 FeatureControlOutput = 0x0001;
    static constexpr quint32 FeatureCalibration = 0x0001;
    static constexpr quint32 FeatureAutonomousMode = 0x0002;
    static constexpr quint32 FeaturePwmOutput = 0x0004;
    static constexpr quint32 FeatureAnalogueOutput = 0x0008;
    static constexpr quint32 FeatureExtendedConfiguration = 0x0010;

    static unsigned count();
    static bool isValidType(unsigned index);
    static quint32 features(unsigned index);
    static QString tooltip(unsigned index);
    // The protocol the model speaks, as engineers name it on screen ("ModBus RTU").
    static QString protocolTitle(unsigned index);
    static QStringList sensorTypes();
    // The codes of the bus's models whose flags under the mask are the given ones.
    static QStringList modelCodes(quint32 busType, quint32 flagMask = 0, quint32 flags = 0);
    // The bus addresses a sensor of the model can have, which the engine takes
    // and the views and the command line offer; false for an index outside the
    // table.
    static bool addressRange(unsigned index, int* lowest, int* highest);
    // "Omnicomm", "ModBus" or "TBus"; empty for an index outside the table.
    static QString protocolName(unsigned index);
    // A new engine without parent or port, owned by the caller; null for an index
    // outside the table.
    static SerialEngine* createSerialEngine(unsigned index);
    // One model of each protocol, in the order a line of unknown protocol is
    // tried: the first model of its bus in the table stands for the protocol.
    static QList<unsigned> identifyOrder();
};

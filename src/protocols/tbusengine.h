#pragma once

#include "engine/commandcallback.h"
#include "engine/serialengine.h"

#include <QList>
#include <array>

class TBusSensor;

// The serial engine for TBus sensors on a LIN line. Every byte we transmit comes
// back to us, and the first byte of a request must carry a set parity bit, so
// this engine sends requests itself, checks the echo before it waits for the
// reply, and frames replies by identifier and XOR checksum.
class TBusEngine : public SerialEngine
{
    Q_OBJECT
public:
    enum CalibrationType : unsigned char { CalibrationPoint = 0x12 };
    // Only six bits of an address reach the wire, and identifier 63 is the
    // marker of a service frame.
    static constexpr int FirstAddress = 0;
    static constexpr int LastAddress = 62;

    static constexpr unsigned char IdentifierMask = 0x3F;
    // Service frames start with this byte, which is also the identifier their
    // replies carry.
    static constexpr unsigned char ServiceMarker = 0x3F;
    static constexpr int PollReplyLength = 4;

    explicit TBusEngine(quint32 features, QObject* parent = nullptr);

    // The identifier byte of an address: its low six bits with two check bits.
    unsigned char identifier(unsigned char address) const;
    static unsigned char identifierOf(unsigned char address);
    // The checksum of replies and service frames: the XOR of the bytes before it.
    static unsigned char xorChecksum(const unsigned char* data, int length);
    // Baud rate and stop bits; the engine sets the parity of every byte it sends.
    static void applyLineSettings(SerialPort* port);

    EngineCommand levelPollCommand(unsigned char address) const;
    EngineCommand createServiceCommand(unsigned char address, const unsigned char* data,
                                       unsigned char dataLength,
                                       unsigned char replyDataLength) const;
    EngineCommand createCalibrationCommand(unsigned char address, CalibrationType type,
                                           unsigned char value) const;

    int stateCheckTimeoutInterval(State state) const override;
    QString detectionStateString() const override;
    // The identifiers detection probes, in this order: 10 and 8, where TBus
    // sensors answer, unless told others. Those outside the range are left out.
    void setDetectionAddresses(const QList<int>& addresses);
    const QList<int>& detectionAddresses() const { return m_detectionAddresses; }

    AddSensorPrompt addSensorPrompt() const override;
    // What an accepted add-sensor dialog does; null for an address out of range.
    TBusSensor* addSensorAtAddress(int address);

    void detectionCallback(CommandCallback::Result result, const EngineCommand& command);

public slots:
    void slotAddSensorFromDialog(int address) override;

protected:
    void serveCommand() override;
    void repackInput() override;
    void setEnginePortLocks() override;
    EngineCommand detectNext() override;
    void rewindDetection() override;
    SerialSensor* commandSensor(const EngineCommand& command) const override;

private:
    bool transmit(const EngineCommand& command);
    void checkEcho();
    void takeReply();
    EngineCommand detectionProbe(unsigned char address);
    bool isIdentifierBusy(unsigned char address) const;
    SerialSensor* sensorOnIdentifier(unsigned char address) const;
    // The first free identifier of the detection list from the index on, or -1.
    int nextFreeDetection(int from) const;

    std::array<unsigned char, 64> m_identifiers;
    MemFunCommandCallback<TBusEngine> m_detectionCallback;
    QList<int> m_detectionAddresses{10, 8};
    // Where in the list the next probe of a sweep starts looking.
    int m_nextDetection = 0;
};

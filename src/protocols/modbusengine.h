#pragma once

#include "engine/commandcallback.h"
#include "engine/serialengine.h"


class ModBusSensor;

// The serial engine for ModBus RTU level sensors on RS-485. The line has no echo,
// so the base sending step is used as it is; this class only builds the three
// requests the system needs, cuts replies by address, length and CRC, and scans
// addresses 1 to 247 for sensors.
class ModBusEngine : public SerialEngine
{
    Q_OBJECT
public:
    enum CommandFunction : unsigned char { ReadHoldingRegisters = 3, WriteSingleRegister = 6 };
    // The unicast addresses a device may take; 0 is broadcast, 248 and above are
    // reserved.
    static constexpr int FirstUnicastAddress = 1;
    static constexpr int LastUnicastAddress = 247;

    explicit ModBusEngine(QObject* parent = nullptr);

    static quint16 crc16(const unsigned char* data, int length);
    // The line settings of the protocol, for the engine and for a listener alike.
    static void applyLineSettings(SerialPort* port);

    EngineCommand levelPollCommand(unsigned char address) const;
    EngineCommand createCommand(unsigned char address, CommandFunction function,
                                const unsigned char* data, unsigned char dataLength,
                                unsigned char replyDataLength) const;
    EngineCommand createAddressChangeRequest(BaseSensor* sensor,
                                             unsigned short newAddress) override;

    int stateCheckTimeoutInterval(State state) const override;
    QString detectionStateString() const override;
    unsigned char detectionAddress() const { return m_detectionAddress; }
    int sweepPosition() const override { return m_detectionAddress; }
    int sweepLength() const override { return LastUnicastAddress; }

    AddSensorPrompt addSensorPrompt() const override;
    // What an accepted add-sensor dialog does; null for an address out of range.
    ModBusSensor* addSensorAtAddress(int address);

    void detectionCallback(CommandCallback::Result result, const EngineCommand& command);

public slots:
    void slotAddSensorFromDialog(int address) override;

protected:
    void repackInput() override;
    void setEnginePortLocks() override;
    EngineCommand detectNext() override;
    SerialSensor* commandSensor(const EngineCommand& command) const override;
    void rewindDetection() override;
    int commandAddress(const EngineCommand& command) const override;
    bool replyBegun() const override;

private:
    // How the head of the input fits the request in flight.
    enum class HeadFit { Incomplete, Misfit, Reply, ExceptionReply };

    void takeReply();
    bool mayBeEchoed() const;
    HeadFit headFit() const;
    bool headCrcMatches(int length) const;
    bool skipMisfit();
    void skipToNextFrameStart();
    void completeReply();
    void takeLateReading(ModBusSensor* sensor);
    void takeExceptionReply();
    EngineCommand detectionProbe(unsigned char address);

    unsigned char m_detectionAddress = 1;
    MemFunCommandCallback<ModBusEngine> m_detectionCallback;
};

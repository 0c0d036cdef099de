#pragma once

#include "engine/commandcallback.h"
#include "engine/serialengine.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <bitset>

class OmniCommSensor;

// The master of an Omnicomm line (RS-232 or RS-485, 19200 baud, CRC-8). It owns
// every byte of the protocol: it builds the requests, cuts the input into reply
// and unsolicited data frames, and decodes them into values for its sensors.
// Sensors that send by themselves are picked up from their data frames, the
// others are found by probing addresses 0 to 255.
class OmniCommEngine : public SerialEngine
{
    Q_OBJECT
public:
    enum CommandCode : quint8 {
        ChangeAddress = 0x03,
        ReadData = 0x06,
        EnableAutoMode = 0x07,
        SetFMin = 0x0B,
        SetFMax = 0x0C,
        SetAnalogueOutputRatio = 0x0D,
        SetAnalogueOutputRange = 0x0E,
        SetAutoInterval = 0x13,
        SetNormalTemperature = 0xE0,
        SetControlOutput = 0xF0,
        ReadConfiguration = 0xF5,
        SetDataFormat = 0xF6,
        SetSampleCount = 0xF7,
        SetPwmMax = 0xFD
    };

    static constexpr quint8 RequestStart = 0x31;
    static constexpr quint8 ReplyStart = 0x3E;
    static constexpr int FramingLength = 4;
    static constexpr int DataFrameLength = 9;
    static constexpr int AddressCount = 256;

    // The values of a ReadData reply or of an unsolicited data frame.
    struct DataFrame
    {
        int temperature = 0;
        int rawLevel = 0;
        int frequency = 0;
    };

    // The values of a ReadConfiguration reply; the extended fields are only
    // meaningful in the longer reply of models with the extended configuration.
    struct Configuration
    {
        int fMax = 0;
        int fMin = 0;
        bool autonomous = false;
        int sampleCount = 0;
        int pwmMax = 0;
        int controlOutput = 0;
        int dataFormat = 0;
        int normalTemperature = 0;
        int autoInterval = 0;
        int analogueOutputRatio = 0;
        int analogueOutputRange = 0;
    };

    explicit OmniCommEngine(quint32 features, QObject* parent = nullptr);

    static quint8 crc8(const unsigned char* data, int length);
    // Frame lengths by command code, framing included; 0 for a code the line
    // does not use. A configuration reply is longer with the extended configuration.
    static int requestFrameLength(quint8 code);
    static int replyFrameLength(quint8 code, bool extended);
    // The line settings of the protocol, for the engine and for a listener alike.
    static void applyLineSettings(SerialPort* port);

    static EngineCommand createCommand(quint8 address, quint8 code, const unsigned char* data,
                                       int dataLength, int replyDataLength);
    static EngineCommand levelPollCommand(quint8 address);
    static EngineCommand enableAutoModeCommand(quint8 address);
    static EngineCommand configurationCommand(quint8 address, bool extended);
    EngineCommand createAddressChangeRequest(BaseSensor* sensor,
                                             unsigned short newAddress) override;
    // A parameter write of one of the write codes; an empty command for any
    // other code.
    static EngineCommand parameterWriteCommand(quint8 address, quint8 code, const QVariant& value);
    static bool isParameterWriteCode(quint8 code);
    // The values a write of the code can carry and the sensor can hold; any
    // other would reach it cut to a different value, or mean something else.
    // False for a code that is no parameter write.
    static bool parameterWriteRange(quint8 code, int* lowest, int* highest);

    // Decoders of what the commands above carry and what their replies hold.
    static quint8 commandCode(const EngineCommand& command);
    static quint8 requestedAddress(const EngineCommand& command);
    static bool isWriteAccepted(const EngineCommand& command);
    // The value a parameter write carries, as it was given; false for a write
    // without data.
    static bool writtenValue(const EngineCommand& command, int* value);
    static DataFrame parseDataFrame(const unsigned char* frame);
    static Configuration parseConfiguration(const unsigned char* frame, bool extended);

    AddSensorPrompt addSensorPrompt() const override;
    QString detectionStateString() const override;
    bool readyToPoll(SerialSensor* sensor) override;
    EngineCommand detectNext() override;
    SerialSensor* commandSensor(const EngineCommand& command) const override;
    int detectAddress() const { return m_detectAddress; }
    int sweepPosition() const override { return m_detectAddress + 1; }
    int sweepLength() const override { return AddressCount; }

    // Creates and announces the sensor of a free address; null for an address
    // that is taken or outside 0 to 255.
    OmniCommSensor* sensorDetectedCallback(int address);
    void detectionCallback(CommandCallback::Result result, const EngineCommand& command);

public slots:
    void slotAddSensorFromDialog(int address) override;

protected:
    void repackInput() override;
    void setEnginePortLocks() override;
    void rewindDetection() override;
    CommandCallback::Result replyWindowClosed() override;
    int commandAddress(const EngineCommand& command) const override;
    bool replyBegun() const override;

private:
    void repackIdle();
    void repackReply();
    QList<EngineCommand> cutUnsolicitedFrames();
    bool resynchronize();
    bool replyFitsRequest() const;
    bool headCrcMatches(int length) const;
    bool isDataFrameCode(int index) const;
    bool isDataFrameAheadOfReply(bool* complete) const;
    EngineCommand takeDataFrame();
    void parseAutonomousMessage(const EngineCommand& record);
    void takeConfigurationReply();
    static int otherConfigurationLength(int length);
    void completeReply(int length);
    CommandCallback::Result replyResult(int length) const;
    EngineCommand probe(int address);

    int m_detectAddress = -1;
    MemFunCommandCallback<OmniCommEngine> m_detectionCallback;
    // Addresses whose probes timed out: a data frame from one of them is the late
    // answer of a polled sensor, not a sensor sending by itself.
    std::bitset<AddressCount> m_probeTimedOut;
};

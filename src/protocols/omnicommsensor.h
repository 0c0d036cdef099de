#pragma once

#include "engine/commandcallback.h"
#include "engine/serialsensor.h"
#include "protocols/omnicommengine.h"

#include <QStringList>
#include <QVariant>

// One Omnicomm fuel-level sensor: its measured values and configuration as
// parameters, its mode (polled or self-sending) and its address. Every byte goes
// through its engine; the sensor only decides what to ask and what to keep.
class OmniCommSensor : public SerialSensor
{
    Q_OBJECT
public:
    enum Mode { UnknownMode, NetworkMode, AutonomousMode };
    Q_ENUM(Mode)

    // Which of the two configuration replies the sensor gave, whatever the
    // model it was taken for.
    enum ConfigurationKind { NotHeard, BasicConfiguration, ExtendedConfiguration };
    Q_ENUM(ConfigurationKind)
    // Where the configuration read stands: until it is Read, the configuration
    // parameters hold nothing the sensor said.
    enum ConfigurationState {
        ConfigurationNotRead,
        ConfigurationReading,
        ConfigurationRead,
        ConfigurationFailed
    };
    Q_ENUM(ConfigurationState)

    enum ParameterIndex {
        LevelIndex,
        RawLevelIndex,
        TemperatureIndex,
        FrequencyIndex,
        AutoIntervalIndex,
        FMaxIndex,
        FMinIndex,
        SampleCountIndex,
        PwmMaxIndex,
        ControlOutputIndex,
        DataFormatIndex,
        NormalTemperatureIndex,
        AnalogueOutputRatioIndex,
        AnalogueOutputRangeIndex,
        // Not a parameter: the write-table row of the bare mode-switch command.
        ModeSwitchIndex
    };

    // Capability flag of the models whose configuration reply has extra fields.
    static constexpr quint32 FeatureExtendedConfiguration = 0x0010;

    explicit OmniCommSensor(OmniCommEngine* engine);

    OmniCommEngine* engine() const;
    Mode mode() const { return m_mode; }
    ConfigurationState configurationState() const { return m_configurationState; }
    // Why the last configuration read failed; Ok while none has.
    CommandCallback::Result configurationFailure() const { return m_configurationFailure; }
    // A self-sending sensor that did not answer its configuration reads is not
    // asked again until the user asks or it is switched to polled.
    bool configurationGivenUp() const;
    bool hasExtendedConfiguration() const;
    float dataFormatDivisor() const;
    // Full scale of the raw level in a data format; an unknown one is taken as
    // the widest.
    static float dataFormatFullScale(int dataFormat);
    ConfigurationKind heardConfiguration() const { return m_heardConfiguration; }
    // Its configuration reply was of the other length: the engineer chose the
    // wrong model. Never true before the sensor has answered.
    bool isWrongModel() const;
    // What to tell the engineer when it is: the models that give its reply.
    QString wrongModelText() const;
    // The models whose configuration reply is of the kind, by code.
    static QStringList modelsOf(ConfigurationKind kind);

    EngineCommand pollLevel() override;
    // A data frame heard at heardMs: a probe's answer or one the sensor sent by itself.
    void parseData(const unsigned char* frame, Mode mode, qint64 heardMs);
    void requestConfigurationUpdate();
    void requestChangeParameter(int index, const QVariant& value,
                                CommandCallback* callback) override;
    // The values a write of the parameter can give it; false for a parameter
    // without a write.
    bool parameterRange(int index, int* lowest, int* highest) const;
    void requestSetMode(Mode mode, CommandCallback* callback);
    void requestSetAddress(int newAddress);

signals:
    void configurationUpdated();
    void modeChanged();
    // For the view to tell the user; the sensor's own log record has the exchange.
    void configurationReadFailed(CommandCallback::Result result);
    void addressChangeFailed(CommandCallback::Result result);

private:
    void levelPollCallback(CommandCallback::Result result, const EngineCommand& command);
    void getConfigurationCallback(CommandCallback::Result result, const EngineCommand& command);
    void setAddressCallback(CommandCallback::Result result, const EngineCommand& command);
    void paramSetCallback(CommandCallback::Result result, const EngineCommand& command);
    void modeSetCallback(CommandCallback::Result result, const EngineCommand& command);

    SensorReading storeDataFrame(const OmniCommEngine::DataFrame& values, qint64 timeMs);
    static SensorReading failedReading(qint64 timeMs);
    void storeConfiguration(const OmniCommEngine::Configuration& values);
    void invalidateConfiguration();
    void logCalibration(int index, int value);
    void setMode(Mode mode);
    void setIntValue(int index, int value);
    void askConfigurationWhileSending();

    Mode m_mode = UnknownMode;
    ConfigurationKind m_heardConfiguration = NotHeard;
    ConfigurationState m_configurationState = ConfigurationNotRead;
    CommandCallback::Result m_configurationFailure = CommandCallback::Ok;
    // Failed configuration reads since the sensor was last heard polled.
    int m_failedReadsWhileSending = 0;
    MemFunCommandCallback<OmniCommSensor> m_levelPollCallback;
    MemFunCommandCallback<OmniCommSensor> m_getConfigurationCallback;
    MemFunCommandCallback<OmniCommSensor> m_setAddressCallback;
    MemFunCommandCallback<OmniCommSensor> m_paramSetCallback;
    MemFunCommandCallback<OmniCommSensor> m_modeSetCallback;
};

#include "protocols/omnicommsensor.h"

#include "engine/enginefactory.h"
#include "log/logger.h"

#include <QDateTime>
#include <QDebug>
#include <algorithm>
#include <iterator>

namespace {

const char kLogSection[] = "OmniCommSensor";
// A self-sending sensor may not listen while it sends; after this many reads
// without an answer it is left to send.
const int kReadsWhileSending = 3;

// Which command writes which parameter.
struct WriteRow
{
    int index;
    quint8 code;
};

const WriteRow kWriteTable[] = {
    {OmniCommSensor::AutoIntervalIndex, OmniCommEngine::SetAutoInterval},
    {OmniCommSensor::FMaxIndex, OmniCommEngine::SetFMax},
    {OmniCommSensor::FMinIndex, OmniCommEngine::SetFMin},
    {OmniCommSensor::SampleCountIndex, OmniCommEngine::SetSampleCount},
    {OmniCommSensor::PwmMaxIndex, OmniCommEngine::SetPwmMax},
    {OmniCommSensor::ControlOutputIndex, OmniCommEngine::SetControlOutput},
    {OmniCommSensor::DataFormatIndex, OmniCommEngine::SetDataFormat},
    {OmniCommSensor::NormalTemperatureIndex, OmniCommEngine::SetNormalTemperature},
    {OmniCommSensor::AnalogueOutputRatioIndex, OmniCommEngine::SetAnalogueOutputRatio},
    {OmniCommSensor::AnalogueOutputRangeIndex, OmniCommEngine::SetAnalogueOutputRange},
    {OmniCommSensor::ModeSwitchIndex, OmniCommEngine::EnableAutoMode},
};

const WriteRow* rowOfIndex(int index)
{
    const auto found = std::find_if(std::begin(kWriteTable), std::end(kWriteTable),
                                    [index](const WriteRow& row) { return row.index == index; });
    return found == std::end(kWriteTable) ? nullptr : found;
}

const WriteRow* rowOfCode(quint8 code)
{
    const auto found = std::find_if(std::begin(kWriteTable), std::end(kWriteTable),
                                    [code](const WriteRow& row) { return row.code == code; });
    return found == std::end(kWriteTable) ? nullptr : found;
}

void answer(CommandCallback* callback, CommandCallback::Result result,
            const EngineCommand& command = EngineCommand())
{
    if (callback)
        callback->callback(result, command);
}

} // namespace

OmniCommSensor::OmniCommSensor(OmniCommEngine* engine)
    : SerialSensor(engine)
    , m_levelPollCallback(this, &OmniCommSensor::levelPollCallback)
    , m_getConfigurationCallback(this, &OmniCommSensor::getConfigurationCallback)
    , m_setAddressCallback(this, &OmniCommSensor::setAddressCallback)
    , m_paramSetCallback(this, &OmniCommSensor::paramSetCallback)
    , m_modeSetCallback(this, &OmniCommSensor::modeSetCallback)
{
    addIntParameter(tr("Raw level"));
    addIntParameter(tr("Temperature"));
    addIntParameter(tr("F"));
    addIntParameter(tr("Auto interval"));
    addIntParameter(tr("FMax"));
    addIntParameter(tr("FMin"));
    addIntParameter(tr("SampleCount"));
    addIntParameter(tr("PWM_Max"));
    addIntParameter(tr("ControlOutput"));
    addIntParameter(tr("DataFormat"));
    addIntParameter(tr("NormalTemperature"));
    addIntParameter(tr("AnalogueOutputRatio"));
    addIntParameter(tr("AnalogueOutputRange"));
}

OmniCommEngine* OmniCommSensor::engine() const
{
    return static_cast<OmniCommEngine*>(SerialSensor::engine());
}

bool OmniCommSensor::hasExtendedConfiguration() const
{
    return features() & FeatureExtendedConfiguration;
}

float OmniCommSensor::dataFormatDivisor() const
{
    return dataFormatFullScale(intParameter(DataFormatIndex)->value());
}

float OmniCommSensor::dataFormatFullScale(int dataFormat)
{
    switch (dataFormat) {
    case 0:
        return 1023.0f;
    case 1:
        return 4095.0f;
    case 2:
        return 8191.0f;
    default:
        return 65535.0f;
    }
}

bool OmniCommSensor::isWrongModel() const
{
    return m_heardConfiguration != NotHeard &&
           (m_heardConfiguration == ExtendedConfiguration) != hasExtendedConfiguration();
}

QString OmniCommSensor::wrongModelText() const
{
    if (!isWrongModel())
        return QString();
    const QString kind = m_heardConfiguration == ExtendedConfiguration
                             ? tr("extended configuration")
                             : tr("basic configuration");
    return tr("the sensor at address %1 answers as %2 (%3); choose one of those models")
        .arg(address())
        .arg(modelsOf(m_heardConfiguration).join(QStringLiteral(", ")), kind);
}

QStringList OmniCommSensor::modelsOf(ConfigurationKind kind)
{
    if (kind == NotHeard)
        return {};
    return EngineFactory::modelCodes(EngineFactory::BusOmniComm, FeatureExtendedConfiguration,
                                     kind == ExtendedConfiguration ? FeatureExtendedConfiguration
                                                                   : 0);
}

EngineCommand OmniCommSensor::pollLevel()
{
    EngineCommand command = OmniCommEngine::levelPollCommand(address());
    command.kind = EngineCommand::LevelPoll;
    command.callback = &m_levelPollCallback;
    return command;
}

void OmniCommSensor::parseData(const unsigned char* frame, Mode mode, qint64 heardMs)
{
    const OmniCommEngine::DataFrame values = OmniCommEngine::parseDataFrame(frame);
    const SensorReading reading = storeDataFrame(values, heardMs);
    Logger::debug(kLogSection, "T=%d, lvl=%f, freq=%u", values.temperature,
                  double(floatParameter(LevelIndex)->value()), uint(values.frequency));
    setMode(mode);
    if (mode == AutonomousMode)
        askConfigurationWhileSending();
    report(reading);
}

// A sensor found sending by itself is never polled, so after a lost
// configuration read its data frames are what ask again for the configuration
// that scales its level.
void OmniCommSensor::askConfigurationWhileSending()
{
    if (m_configurationState == ConfigurationFailed && !configurationGivenUp())
        requestConfigurationUpdate();
}

bool OmniCommSensor::configurationGivenUp() const
{
    return m_mode == AutonomousMode && m_failedReadsWhileSending >= kReadsWhileSending;
}

SensorReading OmniCommSensor::storeDataFrame(const OmniCommEngine::DataFrame& values, qint64 timeMs)
{
    intParameter(TemperatureIndex)->setValue(values.temperature);
    intParameter(RawLevelIndex)->setValue(values.rawLevel);
    floatParameter(LevelIndex)->setValue(float(values.rawLevel) / dataFormatDivisor());
    intParameter(FrequencyIndex)->setValue(values.frequency);
    SensorReading reading = failedReading(timeMs);
    reading.error = SensorReading::NoError;
    reading.level = floatParameter(LevelIndex)->value() * 100.0f;
    reading.levelKnown = parameter(DataFormatIndex)->isValid();
    reading.rawLevel = values.rawLevel;
    reading.frequency = values.frequency;
    reading.temperature = values.temperature;
    return reading;
}

SensorReading OmniCommSensor::failedReading(qint64 timeMs)
{
    SensorReading reading;
    reading.timeMs = timeMs;
    reading.hasFrequencyTemperature = true;
    return reading;
}

void OmniCommSensor::setMode(Mode mode)
{
    m_mode = mode;
    emit modeChanged();
}

void OmniCommSensor::setIntValue(int index, int value)
{
    intParameter(index)->setValue(value);
}

void OmniCommSensor::levelPollCallback(CommandCallback::Result result, const EngineCommand& command)
{
    if (result != CommandCallback::Ok) {
        for (int index : {TemperatureIndex, RawLevelIndex, LevelIndex, FrequencyIndex})
            parameter(index)->invalidate();
        logCommandResult(result, command);
        report(failedReading(command.endedMs));
        return;
    }
    // Without a known data format the level cannot be scaled: keep asking for
    // the configuration until it arrives, unless the sensor has made plain that
    // it gives the configuration of another model.
    const bool needsConfiguration =
        (!parameter(LevelIndex)->isValid() || !parameter(DataFormatIndex)->isValid()) &&
        !isWrongModel();
    const OmniCommEngine::DataFrame values = OmniCommEngine::parseDataFrame(command.reply);
    const SensorReading reading = storeDataFrame(values, command.endedMs);
    logCommandResult(CommandCallback::Ok, command,
                     QStringLiteral("rawlvl=%1, lvl=%2, T=%3, freq=%4")
                         .arg(values.rawLevel)
                         .arg(double(floatParameter(LevelIndex)->value()), 0, 'g', 6)
                         .arg(values.temperature)
                         .arg(values.frequency));
    if (needsConfiguration && m_configurationState != ConfigurationReading)
        requestConfigurationUpdate();
    report(reading);
}

void OmniCommSensor::requestConfigurationUpdate()
{
    EngineCommand command =
        OmniCommEngine::configurationCommand(address(), hasExtendedConfiguration());
    command.callback = &m_getConfigurationCallback;
    m_configurationState = ConfigurationReading;
    engine()->request(command);
}

void OmniCommSensor::getConfigurationCallback(CommandCallback::Result result,
                                              const EngineCommand& command)
{
    const ConfigurationKind own =
        hasExtendedConfiguration() ? ExtendedConfiguration : BasicConfiguration;
    m_configurationFailure = result;
    if (result == CommandCallback::Ok) {
        m_heardConfiguration = own;
        m_configurationState = ConfigurationRead;
        m_failedReadsWhileSending = 0;
        storeConfiguration(
            OmniCommEngine::parseConfiguration(command.reply, hasExtendedConfiguration()));
        Logger::debug(kLogSection, "Got configuration");
    } else {
        // Parsed as the other kind, its values would show under controls this
        // model does not have: the engineer is told to choose the right model.
        if (result == CommandCallback::WrongLength)
            m_heardConfiguration =
                own == BasicConfiguration ? ExtendedConfiguration : BasicConfiguration;
        m_configurationState = ConfigurationFailed;
        if (m_mode == AutonomousMode)
            ++m_failedReadsWhileSending;
        invalidateConfiguration();
    }
    emit configurationUpdated();
    if (result != CommandCallback::Ok)
        emit configurationReadFailed(result);
}

void OmniCommSensor::storeConfiguration(const OmniCommEngine::Configuration& values)
{
    setIntValue(FMaxIndex, values.fMax);
    setIntValue(FMinIndex, values.fMin);
    setMode(values.autonomous ? AutonomousMode : NetworkMode);
    setIntValue(SampleCountIndex, values.sampleCount);
    setIntValue(PwmMaxIndex, values.pwmMax);
    setIntValue(ControlOutputIndex, values.controlOutput);
    setIntValue(DataFormatIndex, values.dataFormat);
    setIntValue(NormalTemperatureIndex, values.normalTemperature);
    if (hasExtendedConfiguration()) {
        setIntValue(AnalogueOutputRangeIndex, values.analogueOutputRange);
        setIntValue(AnalogueOutputRatioIndex, values.analogueOutputRatio);
        setIntValue(AutoIntervalIndex, values.autoInterval);
    }
}

void OmniCommSensor::invalidateConfiguration()
{
    for (int index = FMaxIndex; index <= NormalTemperatureIndex; ++index)
        parameter(index)->invalidate();
    if (hasExtendedConfiguration()) {
        for (int index : {AnalogueOutputRangeIndex, AnalogueOutputRatioIndex, AutoIntervalIndex})
            parameter(index)->invalidate();
    }
}

// The device takes an auto interval of 0 as "never send": refused before it
// reaches the line. An index without a write command is refused the same way,
// so the caller always hears back.
void OmniCommSensor::requestChangeParameter(int index, const QVariant& value,
                                            CommandCallback* callback)
{
    const WriteRow* row = rowOfIndex(index);
    if (!row || (index == AutoIntervalIndex && value.toUInt() == 0)) {
        answer(callback, CommandCallback::Nack);
        return;
    }
    EngineCommand command = OmniCommEngine::parameterWriteCommand(address(), row->code, value);
    command.callback = &m_paramSetCallback;
    command.userCallback = callback;
    engine()->request(command);
}

bool OmniCommSensor::parameterRange(int index, int* lowest, int* highest) const
{
    const WriteRow* row = rowOfIndex(index);
    return row && OmniCommEngine::parameterWriteRange(row->code, lowest, highest);
}

void OmniCommSensor::paramSetCallback(CommandCallback::Result result, const EngineCommand& command)
{
    const WriteRow* row = rowOfCode(OmniCommEngine::commandCode(command));
    if (!row)
        return;
    if (result != CommandCallback::Ok) {
        qDebug("Command result not ok: %d", int(result));
        answer(command.userCallback, result, command);
        return;
    }
    if (!OmniCommEngine::isWriteAccepted(command)) {
        answer(command.userCallback, CommandCallback::Nack, command);
        return;
    }
    int value = 0;
    if (row->index < parameterCount() && OmniCommEngine::writtenValue(command, &value)) {
        setIntValue(row->index, value);
        logCalibration(row->index, value);
    }
    answer(command.userCallback, CommandCallback::Ok, command);
}

// The sensor keeps its empty and full points as FMax and FMin, however they
// were written: a hand-edited FMax calibrates the empty tank as much as the
// service action that copies the frequency into it.
void OmniCommSensor::logCalibration(int index, int value)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (index == FMaxIndex)
        calibrationLog().record(CalibrationLog::Empty, value, now);
    else if (index == FMinIndex)
        calibrationLog().record(CalibrationLog::Full, value, now);
}

void OmniCommSensor::requestSetMode(Mode mode, CommandCallback* callback)
{
    if (mode == m_mode) {
        answer(callback, CommandCallback::Ok);
        return;
    }
    EngineCommand command = OmniCommEngine::enableAutoModeCommand(address());
    command.callback = &m_modeSetCallback;
    command.userCallback = callback;
    engine()->request(command);
}

// One command toggles the mode both ways, so the reply's status says nothing
// about which mode the sensor is in now.
void OmniCommSensor::modeSetCallback(CommandCallback::Result result, const EngineCommand& command)
{
    if (result == CommandCallback::Ok)
        setMode(m_mode == AutonomousMode ? NetworkMode : AutonomousMode);
    answer(command.userCallback, result, command);
}

void OmniCommSensor::requestSetAddress(int newAddress)
{
    if (newAddress < 0 || newAddress >= OmniCommEngine::AddressCount)
        return;
    EngineCommand command = engine()->createAddressChangeRequest(this, quint16(newAddress));
    command.callback = &m_setAddressCallback;
    engine()->request(command);
}

void OmniCommSensor::setAddressCallback(CommandCallback::Result result,
                                        const EngineCommand& command)
{
    if (result == CommandCallback::Ok)
        setAddress(OmniCommEngine::requestedAddress(command));
    else
        emit addressChangeFailed(result);
}

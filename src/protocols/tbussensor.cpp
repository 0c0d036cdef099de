#include "protocols/tbussensor.h"

#include "protocols/tbusengine.h"

#include <QDateTime>

namespace {

// Values above this are status codes the sensor reports in place of a level.
const int kLastLevelValue = 0x3FFF;
const float kFullScale = 10000.0f;
const unsigned char kMinimumPoint = 1;
const unsigned char kMaximumPoint = 2;
// Status codes of a sensor without a usable calibration.
const int kMinimumUndefined = 20000;
const int kMaximumUndefined = 30000;
const int kCalibrationInvalid = 40000;

int littleEndianWord(const unsigned char* bytes)
{
    return bytes[0] + 256 * bytes[1];
}

bool isCalibrationStatus(int value)
{
    return value == kMinimumUndefined || value == kMaximumUndefined || value == kCalibrationInvalid;
}

} // namespace

TBusSensor::TBusSensor(TBusEngine* engine)
    : SerialSensor(engine)
    , m_levelPollCallback(this, &TBusSensor::levelPollCallback)
    , m_setMinimumCallback(this, &TBusSensor::setMinimumCallback)
    , m_setMaximumCallback(this, &TBusSensor::setMaximumCallback)
{
    addIntParameter(QStringLiteral("RawLevel"));
    addIntParameter(QStringLiteral("AdcValue"));
}

TBusEngine* TBusSensor::engine() const
{
    return static_cast<TBusEngine*>(SerialSensor::engine());
}

EngineCommand TBusSensor::pollLevel()
{
    EngineCommand command = engine()->levelPollCommand(address());
    command.callback = &m_levelPollCallback;
    return command;
}

void TBusSensor::levelPollCallback(CommandCallback::Result result, const EngineCommand& command)
{
    SensorReading reading;
    reading.timeMs = command.endedMs;
    if (result == CommandCallback::Ok) {
        parseData(command, &reading);
    } else {
        floatParameter(LevelIndex)->invalidate();
        intParameter(RawLevelIndex)->invalidate();
        logCommandResult(result, command);
    }
    report(reading);
}

void TBusSensor::parseData(const EngineCommand& command, SensorReading* reading)
{
    *reading = readingOf(command.reply, command.endedMs);
    const int value = reading->rawLevel;
    intParameter(RawLevelIndex)->setValue(value);
    QString note;
    if (!reading->failed()) {
        const float level = float(value) / kFullScale;
        floatParameter(LevelIndex)->setValue(level);
        note = QStringLiteral("rawlvl=%1, lvl=%2").arg(value).arg(QString::number(level, 'g'));
    } else {
        floatParameter(LevelIndex)->invalidate();
        note = statusText(value);
    }
    logCommandResult(CommandCallback::Ok, command, note);
}

SensorReading TBusSensor::readingOf(const unsigned char* reply, qint64 timeMs)
{
    SensorReading reading;
    reading.timeMs = timeMs;
    reading.rawLevel = littleEndianWord(reply + 1);
    if (reading.rawLevel <= kLastLevelValue) {
        reading.error = SensorReading::NoError;
        reading.level = float(reading.rawLevel) / kFullScale * 100.0f;
    } else {
        reading.error = isCalibrationStatus(reading.rawLevel) ? SensorReading::Uncalibrated
                                                              : SensorReading::SensorStatus;
    }
    return reading;
}

QString TBusSensor::statusText(int value)
{
    switch (value) {
    case kMinimumUndefined:
        return tr("error minimum undefined");
    case kMaximumUndefined:
        return tr("error maximum undefined");
    case kCalibrationInvalid:
        return tr("error calibration invalid");
    default:
        return value <= kLastLevelValue ? QString() : tr("error unknown %1").arg(value);
    }
}

void TBusSensor::requestSetMinimum(CommandCallback* callback)
{
    requestCalibration(kMinimumPoint, &m_setMinimumCallback, callback);
}

void TBusSensor::requestSetMaximum(CommandCallback* callback)
{
    requestCalibration(kMaximumPoint, &m_setMaximumCallback, callback);
}

void TBusSensor::requestCalibration(unsigned char point, CommandCallback* own,
                                    CommandCallback* caller)
{
    EngineCommand command =
        engine()->createCalibrationCommand(address(), TBusEngine::CalibrationPoint, point);
    command.callback = own;
    command.userCallback = caller;
    engine()->request(command);
}

void TBusSensor::setMinimumCallback(CommandCallback::Result result, const EngineCommand& command)
{
    finishCalibration(result, command, CalibrationLog::Minimum, tr("Minimum ADC Value %1"));
}

void TBusSensor::setMaximumCallback(CommandCallback::Result result, const EngineCommand& command)
{
    finishCalibration(result, command, CalibrationLog::Maximum, tr("Maximum ADC Value %1"));
}

void TBusSensor::finishCalibration(CommandCallback::Result result, const EngineCommand& command,
                                   CalibrationLog::Point point, const QString& okNote)
{
    if (result == CommandCallback::Ok) {
        const int value = littleEndianWord(command.reply + 3);
        calibrationLog().record(point, value, QDateTime::currentMSecsSinceEpoch());
        logCommandResult(result, command, okNote.arg(value));
    } else {
        logCommandResult(result, command);
    }
    if (command.userCallback)
        command.userCallback->callback(result, command);
}

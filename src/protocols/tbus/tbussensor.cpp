#include "protocols/tbus/tbussensor.h"

#include "protocols/tbus/tbusengine.h"

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
    setLevelPollCallback(&m_levelPollCallback);
}

TBusEngine* TBusSensor::engine() const
{
    return static_cast<TBusEngine*>(SerialSensor::engine());
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
    const int value = TBusEngine::levelValue(command);
    intParameter(RawLevelIndex)->setValue(value);
    reading->rawLevel = value;
    QString note;
    if (value <= kLastLevelValue) {
        const float level = float(value) / kFullScale;
        floatParameter(LevelIndex)->setValue(level);
        reading->error = SensorReading::NoError;
        reading->level = level * 100.0f;
        note = QStringLiteral("rawlvl=%1, lvl=%2").arg(value).arg(QString::number(level, 'g'));
    } else {
        floatParameter(LevelIndex)->invalidate();
        reading->error =
            isCalibrationStatus(value) ? SensorReading::Uncalibrated : SensorReading::SensorStatus;
        switch (value) {
        case kMinimumUndefined:
            note = tr("error minimum undefined");
            break;
        case kMaximumUndefined:
            note = tr("error maximum undefined");
            break;
        case kCalibrationInvalid:
            note = tr("error calibration invalid");
            break;
        default:
            note = tr("error unknown %1").arg(value);
            break;
        }
    }
    logCommandResult(CommandCallback::Ok, command, note);
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
        const int value = TBusEngine::calibrationValue(command);
        calibrationLog().record(point, value, QDateTime::currentMSecsSinceEpoch());
        logCommandResult(result, command, okNote.arg(value));
    } else {
        logCommandResult(result, command);
    }
    if (command.userCallback)
        command.userCallback->callback(result, command);
}

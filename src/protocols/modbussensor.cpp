#include "protocols/modbussensor.h"

#include "protocols/modbusengine.h"

namespace {
// Position of the new address in the write-single-register request.
const int kNewAddressByte = 5;
} // namespace

ModBusSensor::ModBusSensor(ModBusEngine* engine)
    : SerialSensor(engine)
    , m_levelPollCallback(this, &ModBusSensor::levelPollCallback)
    , m_setAddressCallback(this, &ModBusSensor::setAddressCallback)
{
    addIntParameter(QStringLiteral("RawLevel"));
}

ModBusEngine* ModBusSensor::engine() const
{
    return static_cast<ModBusEngine*>(SerialSensor::engine());
}

EngineCommand ModBusSensor::pollLevel()
{
    EngineCommand command = engine()->levelPollCommand(address());
    command.callback = &m_levelPollCallback;
    return command;
}

void ModBusSensor::requestSetAddress(unsigned char newAddress)
{
    EngineCommand command = engine()->createAddressChangeRequest(this, newAddress);
    // An address the protocol cannot carry gives no request; the address simply
    // stays as it is.
    if (command.requestLength == 0)
        return;
    command.callback = &m_setAddressCallback;
    engine()->request(command);
}

void ModBusSensor::levelPollCallback(CommandCallback::Result result, const EngineCommand& command)
{
    SensorReading reading;
    reading.timeMs = command.endedMs;
    if (result != CommandCallback::Ok) {
        intParameter(RawLevelIndex)->invalidate();
        floatParameter(LevelIndex)->invalidate();
        logCommandResult(result, command);
        report(reading);
        return;
    }
    reading = readingOf(command.reply, command.endedMs);
    intParameter(RawLevelIndex)->setValue(reading.rawLevel);
    floatParameter(LevelIndex)->setValue(reading.level);
    static const QString noteFormat = tr("rawlvl=%1, lvl=%2");
    logCommandResult(CommandCallback::Ok, command,
                     noteFormat.arg(reading.rawLevel).arg(QString::number(reading.level, 'g')));
    report(reading);
}

// The register is big-endian, as ModBus has it; the sensor reports hundredths
// of a percent.
SensorReading ModBusSensor::readingOf(const unsigned char* reply, qint64 timeMs)
{
    SensorReading reading;
    reading.timeMs = timeMs;
    reading.error = SensorReading::NoError;
    reading.rawLevel = reply[3] * 256 + reply[4];
    reading.level = float(reading.rawLevel) / 100.0f;
    return reading;
}

void ModBusSensor::setAddressCallback(CommandCallback::Result result, const EngineCommand& command)
{
    if (result == CommandCallback::Ok)
        setAddress(command.request[kNewAddressByte]);
    else
        emit addressChangeFailed(result);
}

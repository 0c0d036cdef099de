#include "setaddresscommand.h"

#include "engine/readingtext.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "session/enginefactory.h"

namespace {
// A sensor that missed one probe in the noise must not be given a twin.
const int kProbes = 2;
} // namespace

SetAddressCommand::SetAddressCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_probeCallback.setFunction(
        [this](CommandCallback::Result result, const EngineCommand&) { probed(result); });
    m_changeCallback.setFunction(
        [this](CommandCallback::Result result, const EngineCommand&) { changed(result); });
}

void SetAddressCommand::start()
{
    LineSession* line = createSession(m_options.modelIndex);
    m_sensor = line->addSensor(m_options.address);
    bool isNumber = false;
    m_newAddress = m_options.values.value(0).toInt(&isNumber);
    // The engine builds the request, so it alone says which addresses its
    // protocol can give; a protocol without address changes builds none.
    EngineCommand change;
    if (m_sensor && isNumber && m_newAddress >= 0)
        change = line->engine()->createAddressChangeRequest(m_sensor, quint16(m_newAddress));
    if (!isNumber || m_newAddress < 0) {
        finish(ExitBadArguments, QStringLiteral("the new address \"%1\" is not an address: give "
                                                "a whole number from 0 to 255")
                                     .arg(m_options.values.value(0)));
        return;
    }
    if (!checkNewAddress(change) || !openPort())
        return;
    m_change = change;
    m_change.callback = &m_changeCallback;
    probe();
    line->start(false);
}

bool SetAddressCommand::checkNewAddress(const EngineCommand& change)
{
    QString error;
    int lowest = 0;
    int highest = 0;
    if (change.requestLength == 0)
        error = QStringLiteral("model %1 cannot move a sensor from address %2 to \"%3\": give "
                               "addresses its protocol has (set-address is for Omnicomm and "
                               "ModBus models)")
                    .arg(m_options.modelCode)
                    .arg(m_options.address)
                    .arg(m_options.values.value(0));
    else if (!EngineFactory::addressRange(unsigned(m_options.modelIndex), &lowest, &highest) ||
             m_newAddress < lowest || m_newAddress > highest)
        error = QStringLiteral("a %1 sensor takes an address from %2 to %3, not %4")
                    .arg(EngineFactory::protocolName(unsigned(m_options.modelIndex)))
                    .arg(lowest)
                    .arg(highest)
                    .arg(m_newAddress);
    else if (m_newAddress == m_options.address)
        error = QStringLiteral("the sensor is at address %1 already").arg(m_newAddress);
    if (!error.isEmpty())
        finish(ExitBadArguments, error);
    return error.isEmpty();
}

// A level poll of the new address, which the sensor builds as if it were there
// already: its protocol alone knows where the address goes.
void SetAddressCommand::probe()
{
    m_sensor->setAddress(quint8(m_newAddress));
    EngineCommand poll = m_sensor->pollLevel();
    m_sensor->setAddress(quint8(m_options.address));
    poll.callback = &m_probeCallback;
    session()->engine()->request(poll);
}

// Any reply, even a damaged one, means a device is there; so does a frame it
// sent by itself, which makes the engine take it on as a sensor.
void SetAddressCommand::probed(CommandCallback::Result result)
{
    const bool silent = result == CommandCallback::Timeout &&
                        !session()->engine()->sensorByAddress(quint8(m_newAddress));
    if (silent && ++m_probes < kProbes) {
        probe();
    } else if (silent) {
        session()->engine()->request(m_change);
    } else if (result == CommandCallback::Failed || result == CommandCallback::Canceled) {
        finish(exitCodeOf(result), QStringLiteral("probing address %1 failed: %2")
                                       .arg(m_newAddress)
                                       .arg(callbackResultToString(result)));
    } else {
        finish(ExitRefused,
               QStringLiteral("address %1 is taken: a device answers there; give a free address "
                              "(\"nivelon-cli scan\" lists the ones in use)")
                   .arg(m_newAddress));
    }
}

void SetAddressCommand::changed(CommandCallback::Result result)
{
    if (result != CommandCallback::Ok) {
        finish(exitCodeOf(result),
               QStringLiteral("the address change at %1 failed: %2; check the address, the "
                              "model and the wiring")
                   .arg(m_options.address)
                   .arg(callbackResultToString(result)));
        return;
    }
    m_sensor->setAddress(quint8(m_newAddress));
    connect(m_sensor, &SerialSensor::reported, this, &SetAddressCommand::confirmed);
}

void SetAddressCommand::confirmed(const SensorReading& reading)
{
    disconnect(m_sensor, nullptr, this, nullptr);
    m_output->text(QStringLiteral("address %1 changed to %2: %3")
                       .arg(m_options.address)
                       .arg(m_newAddress)
                       .arg(ReadingText::toText(reading)));
    QJsonObject result = ReadingText::toJson(reading);
    result.insert("address", m_newAddress);
    result.insert("previousAddress", m_options.address);
    m_output->json(result);
    if (reading.failed())
        finish(ExitPortFailure,
               QStringLiteral("the sensor took address %1 but gave no reading there: poll it "
                              "to check")
                   .arg(m_newAddress));
    else
        finish(ExitDone);
}

#include "setaddresscommand.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "reading.h"

#include <QDateTime>

SetAddressCommand::SetAddressCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_callback.setFunction(
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
    EngineCommand command;
    if (m_sensor && isNumber && m_newAddress >= 0)
        command = line->engine()->createAddressChangeRequest(m_sensor, quint16(m_newAddress));
    if (command.requestLength == 0) {
        finish(ExitBadArguments,
               QStringLiteral("model %1 cannot move a sensor from address %2 to \"%3\": give "
                              "addresses its protocol has (set-address is for Omnicomm and "
                              "ModBus models)")
                   .arg(m_options.modelCode)
                   .arg(m_options.address)
                   .arg(m_options.values.value(0)));
        return;
    }
    if (!openPort())
        return;
    command.callback = &m_callback;
    line->engine()->request(command);
    line->start(false);
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
    connect(m_sensor, &SerialSensor::updated, this, &SetAddressCommand::confirmed);
}

void SetAddressCommand::confirmed()
{
    disconnect(m_sensor, nullptr, this, nullptr);
    const Reading reading = Reading::of(m_sensor, QDateTime::currentMSecsSinceEpoch());
    m_output->text(QStringLiteral("address %1 changed to %2: %3")
                       .arg(m_options.address)
                       .arg(m_newAddress)
                       .arg(reading.toText()));
    QJsonObject result = reading.toJson();
    result.insert("address", m_newAddress);
    result.insert("previousAddress", m_options.address);
    m_output->json(result);
    if (reading.error)
        finish(ExitPortFailure,
               QStringLiteral("the sensor took address %1 but gave no reading there: poll it "
                              "to check")
                   .arg(m_newAddress));
    else
        finish(ExitDone);
}

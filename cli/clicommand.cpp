#include "clicommand.h"

#include "engine/serialengine.h"
#include "fleetdelivery.h"
#include "linesession.h"

#include <csignal>

CliCommand::CliCommand(const CliOptions& options, CliOutput* output, QObject* parent)
    : QObject(parent)
    , m_options(options)
    , m_output(output)
{
    connect(output, &CliOutput::writeFailed, this,
            [this](const QString& reason) { finish(ExitPortFailure, reason); });
}

CliCommand::~CliCommand() = default;

void CliCommand::finish(ExitCode code, const QString& error)
{
    if (m_finished)
        return;
    m_finished = true;
    if (!error.isEmpty())
        m_output->error(error, code);
    emit finished(code);
}

void CliCommand::interrupt(int signalNumber)
{
    finish(exitCodeOfSignal(signalNumber), stoppedBy(signalNumber));
}

QString CliCommand::stoppedBy(int signalNumber)
{
    return QStringLiteral("stopped by %1").arg(signalNumber == SIGTERM ? "SIGTERM" : "SIGINT");
}

void CliCommand::lineFailed(const QString& reason)
{
    finish(ExitPortFailure, reason);
}

LineSession* CliCommand::createSession(int modelIndex)
{
    m_session = std::make_unique<LineSession>(modelIndex);
    m_session->engine()->setReplyTimeoutMs(m_options.replyTimeoutMs);
    connect(m_session.get(), &LineSession::portFailed, this, &CliCommand::lineFailed);
    return m_session.get();
}

SerialSensor* CliCommand::createSensorSession()
{
    SerialSensor* sensor = createSession(m_options.modelIndex)->addSensor(m_options.address);
    if (!sensor)
        finish(ExitBadArguments, QStringLiteral("address %1 is outside the range of model %2")
                                     .arg(m_options.address)
                                     .arg(m_options.modelCode));
    return sensor;
}

bool CliCommand::openPort()
{
    QString error;
    if (m_session->open(m_options.port, &error))
        return true;
    finish(ExitPortFailure, error);
    return false;
}

LineSession* CliCommand::openSession(int modelIndex)
{
    createSession(modelIndex);
    return openPort() ? m_session.get() : nullptr;
}

void CliCommand::closeSession()
{
    m_session.reset();
}

void CliCommand::publishThenFinish(const QList<FleetMessage>& messages)
{
    auto* delivery = new FleetDelivery(m_options.fleet.server, m_output, this);
    connect(delivery, &FleetDelivery::done, this, [this, delivery](bool delivered) {
        if (!delivered)
            m_output->note(delivery->failureText());
        finish(ExitDone);
    });
    QString error;
    if (!delivery->send(messages, &error))
        finish(ExitPortFailure, error);
}

#include "clicommand.h"

#include "calibratecommand.h"
#include "configcommand.h"
#include "identifycommand.h"
#include "linesession.h"
#include "pollcommand.h"
#include "portscommand.h"
#include "recordcommand.h"
#include "scancommand.h"
#include "setaddresscommand.h"
#include "tarecommand.h"

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

CliCommand* CliCommand::create(const CliOptions& options, CliOutput* output)
{
    const QString& name = options.command;
    if (name == QLatin1String("ports"))
        return new PortsCommand(options, output);
    if (name == QLatin1String("scan"))
        return new ScanCommand(options, output);
    if (name == QLatin1String("poll"))
        return new PollCommand(options, output);
    if (name == QLatin1String("config"))
        return new ConfigCommand(options, output);
    if (name == QLatin1String("set-address"))
        return new SetAddressCommand(options, output);
    if (name == QLatin1String("calibrate"))
        return new CalibrateCommand(options, output);
    if (name == QLatin1String("identify"))
        return new IdentifyCommand(options, output);
    if (name == QLatin1String("tare"))
        return new TareCommand(options, output);
    if (name == QLatin1String("record"))
        return new RecordCommand(options, output);
    return nullptr;
}

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
    finish(exitCodeOfSignal(signalNumber),
           QStringLiteral("stopped by %1").arg(signalNumber == SIGTERM ? "SIGTERM" : "SIGINT"));
}

LineSession* CliCommand::createSession(int modelIndex)
{
    m_session = std::make_unique<LineSession>(modelIndex);
    connect(m_session.get(), &LineSession::portFailed, this,
            [this](const QString& reason) { finish(ExitPortFailure, reason); });
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

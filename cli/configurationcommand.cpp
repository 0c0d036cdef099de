#include "configurationcommand.h"

#include "linesession.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/enginefactory.h"
#include "session/omnicommmodels.h"

ConfigurationCommand::ConfigurationCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{}

// The transfer's write callback must outlive the commands of the session.
ConfigurationCommand::~ConfigurationCommand()
{
    closeSession();
}

OmniCommSensor* ConfigurationCommand::createSensor()
{
    LineSession* line = createSession(m_options.modelIndex);
    m_sensor = qobject_cast<OmniCommSensor*>(line->addSensor(m_options.address));
    if (!m_sensor) {
        const QStringList models = LineSession::modelCodes(EngineFactory::BusOmniComm);
        finish(ExitBadArguments,
               QStringLiteral("config is for Omnicomm models, not %1: give one of %2")
                   .arg(m_options.modelCode, models.join(QStringLiteral(", "))));
        return nullptr;
    }
    m_transfer = std::make_unique<ConfigurationTransfer>(m_sensor);
    connect(m_transfer.get(), &ConfigurationTransfer::configurationRead, this,
            &ConfigurationCommand::configurationRead);
    connect(m_transfer.get(), &ConfigurationTransfer::written, this,
            &ConfigurationCommand::written);
    connect(m_transfer.get(), &ConfigurationTransfer::readFailed, this,
            &ConfigurationCommand::readFailed);
    connect(m_transfer.get(), &ConfigurationTransfer::writeFailed, this,
            &ConfigurationCommand::writeFailed);
    return m_sensor;
}

void ConfigurationCommand::startReading()
{
    if (!openPort())
        return;
    session()->start(false);
    m_transfer->read();
}

void ConfigurationCommand::write(const ConfigurationValues& values)
{
    m_transfer->write(values);
}

void ConfigurationCommand::readFailed()
{
    if (m_sensor->isWrongModel()) {
        finish(ExitNothingAnswered, QStringLiteral("no configuration from address %1: %2")
                                        .arg(m_options.address)
                                        .arg(OmniCommModels::wrongModelText(*m_sensor)));
        return;
    }
    finish(ExitNothingAnswered,
           QStringLiteral("no configuration from address %1 on %2: check the address, the "
                          "model and the wiring")
               .arg(m_options.address)
               .arg(m_options.port));
}

void ConfigurationCommand::writeFailed(int index, qint64 value, CommandCallback::Result result)
{
    finish(exitCodeOf(result),
           QStringLiteral("writing %1 failed: %2; check the wiring and run the command again")
               .arg(assignment(index, value), callbackResultToString(result)));
}

QString ConfigurationCommand::assignment(int index, qint64 value)
{
    return QStringLiteral("%1=%2").arg(ConfigurationParameters::name(index)).arg(value);
}

// A value the sensor did not keep is a fault of the sensor; one it refused,
// a value it does not take.
void ConfigurationCommand::finishWrites()
{
    QStringList refused;
    QStringList notKept;
    for (const ConfigurationTransfer::Write& write : writes()) {
        if (write.outcome == ConfigurationTransfer::Refused)
            refused << assignment(write.index, write.value);
        else if (write.outcome == ConfigurationTransfer::NotKept)
            notKept << assignment(write.index, write.value);
    }
    const QString separator = QStringLiteral(", ");
    if (!notKept.isEmpty())
        finish(ExitPortFailure, QStringLiteral("the sensor did not keep %1: it reads back "
                                               "another value; check the sensor")
                                    .arg(notKept.join(separator)));
    else if (!refused.isEmpty())
        finish(ExitRefused, QStringLiteral("the sensor refused %1; the other values were written")
                                .arg(refused.join(separator)));
    else
        finish(ExitDone);
}

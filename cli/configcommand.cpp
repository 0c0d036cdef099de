#include "configcommand.h"

#include "profiles/profilefile.h"
#include "protocols/omnicommsensor.h"

#include <QJsonArray>

void ConfigCommand::start()
{
    if (createSensor() && readAssignments())
        startReading();
}

bool ConfigCommand::readAssignments()
{
    for (const QString& assignment : m_options.values) {
        const QString name = assignment.section('=', 0, 0);
        const int index = ConfigurationParameters::indexOf(name);
        qint64 value = 0;
        QString error =
            QStringLiteral(
                "unknown parameter \"%1\": see \"nivelon-cli config --help\" for the names")
                .arg(name);
        if (index < 0 || !ConfigurationParameters::readValue(
                             m_sensor, index, assignment.section('=', 1), &value, &error)) {
            finish(ExitBadArguments, error);
            return false;
        }
        m_assignments.append({index, value});
    }
    return true;
}

void ConfigCommand::configurationRead()
{
    if (!m_assignments.isEmpty()) {
        write(m_assignments);
        return;
    }
    print();
    finish(ExitDone);
}

void ConfigCommand::written()
{
    print();
    finishWrites();
}

void ConfigCommand::print()
{
    const QJsonObject configuration = ProfileFile::configurationJson(m_sensor);
    for (int index : ConfigurationParameters::reported(m_sensor)) {
        const QString name = ConfigurationParameters::name(index);
        if (configuration.contains(name))
            m_output->text(
                QStringLiteral("%1=%2").arg(name).arg(configuration.value(name).toInt()));
    }
    const QString mode =
        m_sensor->mode() == OmniCommSensor::AutonomousMode ? "autonomous" : "network";
    m_output->text(QStringLiteral("Mode=%1").arg(mode));
    QJsonArray written;
    QJsonArray unconfirmed;
    for (const ConfigurationTransfer::Write& write : writes()) {
        const QString name = ConfigurationParameters::name(write.index);
        written.append(name);
        if (write.outcome != ConfigurationTransfer::Unconfirmed)
            continue;
        unconfirmed.append(name);
        m_output->note(
            QStringLiteral("%1 %2").arg(assignment(write.index, write.value),
                                        ConfigurationTransfer::outcomeText(write.outcome)));
    }
    m_output->json(QJsonObject{{"address", m_options.address},
                               {"model", m_options.modelCode},
                               {"mode", mode},
                               {"configuration", configuration},
                               {"written", written},
                               {"unconfirmed", unconfirmed}});
}

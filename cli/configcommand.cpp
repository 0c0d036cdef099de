#include "configcommand.h"

#include "profiles/profilefile.h"
#include "protocols/omnicomm/omnicommsensor.h"

#include <QJsonArray>

void ConfigCommand::start()
{
    if (createSensor() && readAssignments())
        startReading();
}

namespace {

const char* const kModeNames[] = {"unknown", "network", "autonomous"};

} // namespace

ConfigCommand::ConfigCommand(const CliOptions& options, CliOutput* output)
    : ConfigurationCommand(options, output)
{
    m_modeCallback.setFunction(
        [this](CommandCallback::Result result, const EngineCommand&) { modeSet(result); });
}

bool ConfigCommand::readAssignments()
{
    for (const QString& assignment : m_options.values) {
        const QString name = assignment.section('=', 0, 0);
        if (name.compare(QLatin1String("Mode"), Qt::CaseInsensitive) == 0) {
            if (!readMode(assignment.section('=', 1)))
                return false;
            continue;
        }
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

bool ConfigCommand::readMode(const QString& text)
{
    for (OmniCommSensor::Mode mode : {OmniCommSensor::NetworkMode, OmniCommSensor::AutonomousMode})
        if (text.compare(QLatin1String(kModeNames[mode]), Qt::CaseInsensitive) == 0) {
            m_mode = mode;
            return true;
        }
    finish(ExitBadArguments,
           QStringLiteral("Mode is \"network\" (polled) or \"autonomous\" (sends by itself), "
                          "not \"%1\"")
               .arg(text));
    return false;
}

void ConfigCommand::configurationRead()
{
    if (!m_assignments.isEmpty())
        write(m_assignments);
    else
        switchMode();
}

void ConfigCommand::written()
{
    switchMode();
}

// The mode goes last: the parameters are written while the sensor is still
// polled as it was found.
void ConfigCommand::switchMode()
{
    if (m_mode == OmniCommSensor::UnknownMode || m_mode == m_sensor->mode()) {
        print();
        finishWrites();
        return;
    }
    m_sensor->requestSetMode(m_mode, &m_modeCallback);
}

void ConfigCommand::modeSet(CommandCallback::Result result)
{
    if (result != CommandCallback::Ok) {
        finish(exitCodeOf(result),
               QStringLiteral("switching to Mode=%1 failed: %2; check the "
                              "wiring and run the command again")
                   .arg(QLatin1String(kModeNames[m_mode]), callbackResultToString(result)));
        return;
    }
    print();
    finishWrites();
}

void ConfigCommand::print()
{
    QJsonObject configuration = ProfileFile::configurationJson(m_sensor);
    for (int index : ConfigurationParameters::reported(m_sensor)) {
        const QString name = ConfigurationParameters::name(index);
        if (configuration.contains(name))
            m_output->text(
                QStringLiteral("%1=%2").arg(name).arg(configuration.value(name).toInt()));
    }
    const QString mode = QLatin1String(kModeNames[m_sensor->mode()]);
    configuration.insert("Mode", mode);
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
                               {"configuration", configuration},
                               {"written", written},
                               {"unconfirmed", unconfirmed}});
}

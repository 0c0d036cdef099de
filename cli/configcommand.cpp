#include "configcommand.h"

#include "engine/enginefactory.h"
#include "linesession.h"
#include "parameters/ktparameter.h"
#include "protocols/omnicommparameternames.h"
#include "protocols/omnicommsensor.h"

#include <QJsonArray>

namespace {
// A lost or damaged frame is no reason to give up; a silent sensor is.
const int kTries = 3;
} // namespace

ConfigCommand::ConfigCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_writeCallback.setFunction([this](CommandCallback::Result result,
                                       const EngineCommand& command) { written(result, command); });
}

void ConfigCommand::start()
{
    LineSession* line = createSession(m_options.modelIndex);
    m_sensor = qobject_cast<OmniCommSensor*>(line->addSensor(m_options.address));
    if (!m_sensor) {
        const QStringList models = LineSession::modelCodes(EngineFactory::BusOmniComm);
        finish(ExitBadArguments,
               QStringLiteral("config is for Omnicomm models, not %1: give one of %2")
                   .arg(m_options.modelCode, models.join(QStringLiteral(", "))));
        return;
    }
    if (!readAssignments() || !openPort())
        return;
    // A new sensor asks for its configuration at once.
    connect(m_sensor, &OmniCommSensor::configurationUpdated, this,
            &ConfigCommand::configurationRead);
    line->start(false);
}

bool ConfigCommand::readAssignments()
{
    for (const QString& assignment : m_options.values) {
        const QString name = assignment.section('=', 0, 0);
        const QString text = assignment.section('=', 1);
        const int index = OmniCommParameterNames::indexOf(name);
        bool number = false;
        const qint64 value = text.toLongLong(&number);
        int lowest = 0;
        int highest = 0;
        QString error;
        if (index < 0 || !m_sensor->parameterRange(index, &lowest, &highest))
            error = QStringLiteral("unknown parameter \"%1\": see \"nivelon-cli config --help\" "
                                   "for the names")
                        .arg(name);
        else if (!number || value < lowest || value > highest)
            error = QStringLiteral("%1 cannot take \"%2\": give a whole number from %3 to %4; "
                                   "nothing was written")
                        .arg(OmniCommParameterNames::nameOf(index), text)
                        .arg(lowest)
                        .arg(highest);
        if (!error.isEmpty()) {
            finish(ExitBadArguments, error);
            return false;
        }
        m_assignments.append({index, value});
    }
    return true;
}

void ConfigCommand::configurationRead()
{
    if (m_stage == Writing)
        return;
    if (!m_sensor->parameter(OmniCommSensor::FMaxIndex)->isValid()) {
        if (++m_readTries < kTries) {
            m_sensor->requestConfigurationUpdate();
            return;
        }
        finish(ExitNothingAnswered,
               QStringLiteral("no configuration from address %1 on %2: check the address, the "
                              "model and the wiring")
                   .arg(m_options.address)
                   .arg(m_options.port));
        return;
    }
    m_readTries = 0;
    if (m_reported.isEmpty())
        m_reported = validParameters();
    if (m_stage == ReadingBack) {
        confirm();
    } else if (m_assignments.isEmpty()) {
        print();
        finish(ExitDone);
    } else {
        m_stage = Writing;
        writeNext();
    }
}

void ConfigCommand::writeNext()
{
    if (m_nextWrite == m_assignments.size()) {
        m_stage = ReadingBack;
        m_sensor->requestConfigurationUpdate();
        return;
    }
    const auto& [index, value] = m_assignments.at(m_nextWrite);
    m_sensor->requestChangeParameter(index, value, &m_writeCallback);
}

// Writes set a value, so one that got no answer is simply sent again.
void ConfigCommand::written(CommandCallback::Result result, const EngineCommand&)
{
    const auto& [index, value] = m_assignments.at(m_nextWrite);
    const QString assignment =
        QStringLiteral("%1=%2").arg(OmniCommParameterNames::nameOf(index)).arg(value);
    if (result == CommandCallback::Ok) {
        m_writeTries = 0;
        ++m_nextWrite;
        writeNext();
    } else if (result == CommandCallback::Nack) {
        finish(ExitRefused, QStringLiteral("the sensor refused %1; the parameters before it "
                                           "were written, none after it")
                                .arg(assignment));
    } else if ((result == CommandCallback::Timeout || result == CommandCallback::CrcFail) &&
               ++m_writeTries < kTries) {
        writeNext();
    } else {
        finish(exitCodeOf(result),
               QStringLiteral("writing %1 failed: %2; check the wiring and run the command again")
                   .arg(assignment, callbackResultToString(result)));
    }
}

// What the model's configuration frame carries is valid after the first read;
// a written value of anything else is only the one the sensor was sent.
QList<int> ConfigCommand::validParameters() const
{
    QList<int> valid;
    for (int index : m_sensor->configurationIndices()) {
        if (m_sensor->parameter(index)->isValid())
            valid << index;
    }
    return valid;
}

void ConfigCommand::confirm()
{
    print();
    for (const auto& [index, value] : m_assignments) {
        if (!m_reported.contains(index))
            continue;
        const qint64 kept = m_sensor->parameter(index)->variantValue().toLongLong();
        if (kept != value) {
            finish(ExitPortFailure,
                   QStringLiteral("%1 reads back as %2 after writing %3: the sensor did not "
                                  "keep it; check the sensor")
                       .arg(OmniCommParameterNames::nameOf(index))
                       .arg(kept)
                       .arg(value));
            return;
        }
    }
    finish(ExitDone);
}

void ConfigCommand::print()
{
    QJsonObject configuration;
    for (int index : qAsConst(m_reported)) {
        const int value = m_sensor->parameter(index)->variantValue().toInt();
        m_output->text(
            QStringLiteral("%1=%2").arg(OmniCommParameterNames::nameOf(index)).arg(value));
        configuration.insert(OmniCommParameterNames::nameOf(index), value);
    }
    const QString mode =
        m_sensor->mode() == OmniCommSensor::AutonomousMode ? "autonomous" : "network";
    m_output->text(QStringLiteral("Mode=%1").arg(mode));
    QJsonArray written;
    QJsonArray unconfirmed;
    for (const auto& [index, value] : m_assignments) {
        written.append(OmniCommParameterNames::nameOf(index));
        if (m_reported.contains(index))
            continue;
        unconfirmed.append(OmniCommParameterNames::nameOf(index));
        m_output->note(QStringLiteral("%1=%2 written, not confirmed: this model does not report it")
                           .arg(OmniCommParameterNames::nameOf(index))
                           .arg(value));
    }
    m_output->json(QJsonObject{{"address", m_options.address},
                               {"model", m_options.modelCode},
                               {"mode", mode},
                               {"configuration", configuration},
                               {"written", written},
                               {"unconfirmed", unconfirmed}});
}

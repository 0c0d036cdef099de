#include "profilecommand.h"

#include "profiles/profilefile.h"
#include "protocols/omnicomm/omnicommsensor.h"

#include <QJsonArray>

namespace {

QString outcomeKey(ConfigurationTransfer::Outcome outcome)
{
    static const char* const keys[] = {"not written", "applied", "refused", "not kept",
                                       "unconfirmed"};
    return QLatin1String(keys[outcome]);
}

} // namespace

void ProfileCommand::start()
{
    if (!createSensor())
        return;
    // A profile that cannot be applied whole is refused before the line is opened.
    QString error;
    if (!m_options.profile.apply.isEmpty() &&
        !ProfileFile::load(m_options.profile.apply, m_sensor, &m_profile, &error)) {
        finish(ExitBadArguments, error);
        return;
    }
    startReading();
}

void ProfileCommand::configurationRead()
{
    if (m_options.profile.apply.isEmpty()) {
        save();
        return;
    }
    const ConfigurationValues differences = ProfileFile::differences(m_sensor, m_profile);
    showDifferences(differences);
    if (m_options.profile.dryRun || differences.isEmpty())
        finish(ExitDone);
    else
        write(differences);
}

void ProfileCommand::save()
{
    QString error;
    if (!ProfileFile::save(m_options.profile.save, m_sensor, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    const QJsonObject configuration = ProfileFile::configurationJson(m_sensor);
    m_output->text(QStringLiteral("saved %1 parameters of %2 at address %3 to %4")
                       .arg(configuration.size())
                       .arg(m_options.modelCode)
                       .arg(m_options.address)
                       .arg(m_options.profile.save));
    m_output->json(QJsonObject{{"saved", m_options.profile.save},
                               {"model", m_options.modelCode},
                               {"address", m_options.address},
                               {"configuration", configuration}});
    finish(ExitDone);
}

// The sensor's value of a parameter its configuration does not report is not
// known: such a parameter is always written.
void ProfileCommand::showDifferences(const ConfigurationValues& differences)
{
    if (differences.isEmpty())
        m_output->text(QStringLiteral("the sensor has the profile's configuration already"));
    QJsonArray listed;
    for (const auto& [index, value] : differences) {
        const KtParameter* parameter = m_sensor->parameter(index);
        const QString name = ConfigurationParameters::name(index);
        const QJsonValue held =
            parameter->isValid() ? QJsonValue(parameter->variantValue().toInt()) : QJsonValue();
        m_output->text(
            QStringLiteral("%1: sensor %2, profile %3")
                .arg(name, parameter->isValid() ? parameter->toString() : QStringLiteral("unknown"))
                .arg(value));
        listed.append(QJsonObject{{"parameter", name}, {"sensor", held}, {"profile", value}});
    }
    m_output->json(QJsonObject{{"differences", listed}, {"dryRun", m_options.profile.dryRun}});
}

void ProfileCommand::written()
{
    QJsonArray results;
    for (const ConfigurationTransfer::Write& write : writes()) {
        m_output->text(
            QStringLiteral("%1 %2").arg(assignment(write.index, write.value),
                                        ConfigurationTransfer::outcomeText(write.outcome)));
        results.append(QJsonObject{{"parameter", ConfigurationParameters::name(write.index)},
                                   {"value", write.value},
                                   {"result", outcomeKey(write.outcome)}});
    }
    m_output->json(QJsonObject{{"results", results}});
    finishWrites();
}

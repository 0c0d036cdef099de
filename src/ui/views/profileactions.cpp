#include "views/profileactions.h"

#include "profiles/profilefile.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "settings/settingskeys.h"
#include "views/failurestatusline.h"
#include "views/lastfolder.h"
#include "views/profileapplydialog.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>

ProfileActions::ProfileActions(OmniCommSensor* sensor, FailureStatusLine* statusLine, QWidget* view)
    : QObject(view)
    , m_sensor(sensor)
    , m_statusLine(statusLine)
    , m_view(view)
    , m_saveAction(new QAction(tr("Save profile..."), this))
    , m_applyAction(new QAction(tr("Apply profile..."), this))
    , m_transfer(sensor)
{
    connect(m_saveAction, &QAction::triggered, this, &ProfileActions::chooseSaveFile);
    connect(m_applyAction, &QAction::triggered, this, &ProfileActions::chooseApplyFile);
    connect(&m_transfer, &ConfigurationTransfer::configurationRead, this,
            &ProfileActions::configurationRead);
    connect(&m_transfer, &ConfigurationTransfer::written, this, &ProfileActions::written);
    connect(&m_transfer, &ConfigurationTransfer::readFailed, this, &ProfileActions::readFailed);
    connect(&m_transfer, &ConfigurationTransfer::writeFailed, this, &ProfileActions::writeFailed);
}

QList<QAction*> ProfileActions::actions() const
{
    return {m_saveAction, m_applyAction};
}

void ProfileActions::chooseSaveFile()
{
    const QString name =
        m_sensor ? QStringLiteral("%1_profile.json").arg(ProfileFile::modelCode(m_sensor)) : QString();
    const QString path = LastFolder::askSave(m_view, tr("Save profile"), SettingsKeys::ProfileFolder,
                                             name, tr("Profiles (*.json)"), QStringLiteral("json"));
    if (!path.isEmpty())
        saveTo(path);
}

void ProfileActions::chooseApplyFile()
{
    const QString path = LastFolder::askOpen(m_view, tr("Apply profile"),
                                             SettingsKeys::ProfileFolder, tr("Profiles (*.json)"));
    if (!path.isEmpty())
        applyFrom(path);
}

void ProfileActions::saveTo(const QString& path)
{
    if (!m_sensor)
        return;
    m_applying = false;
    start(path);
}

// The whole profile is checked before the sensor is even read.
void ProfileActions::applyFrom(const QString& path)
{
    if (!m_sensor)
        return;
    QString error;
    if (!ProfileFile::load(path, m_sensor, &m_profile, &error)) {
        LastFolder::remember(SettingsKeys::ProfileFolder, path);
        QMessageBox::warning(m_view, tr("Apply profile"),
                             tr("This profile cannot be applied: %1").arg(error));
        return;
    }
    m_applying = true;
    start(path);
}

void ProfileActions::start(const QString& path)
{
    LastFolder::remember(SettingsKeys::ProfileFolder, path);
    m_path = path;
    m_saveAction->setEnabled(false);
    m_applyAction->setEnabled(false);
    m_transfer.read();
}

void ProfileActions::end()
{
    m_saveAction->setEnabled(true);
    m_applyAction->setEnabled(true);
}

void ProfileActions::configurationRead()
{
    if (m_applying) {
        showDifferences();
        return;
    }
    end();
    QString error;
    if (ProfileFile::save(m_path, m_sensor, &error))
        m_statusLine->inform(tr("Profile saved to %1").arg(m_path));
    else
        QMessageBox::warning(m_view, tr("Save profile"),
                             tr("The profile was not saved: %1").arg(error));
}

void ProfileActions::showDifferences()
{
    m_differences = ProfileFile::differences(m_sensor, m_profile);
    if (m_differences.isEmpty()) {
        end();
        m_statusLine->inform(tr("The sensor has the configuration of %1 already").arg(m_path));
        return;
    }
    QList<ProfileApplyDialog::Row> rows;
    for (const auto& [index, value] : qAsConst(m_differences)) {
        const KtParameter* parameter = m_sensor->parameter(index);
        rows.append({ConfigurationParameters::name(index),
                     parameter->isValid() ? parameter->toString() : tr("unknown"),
                     QString::number(value)});
    }
    m_dialog = new ProfileApplyDialog(QFileInfo(m_path).fileName(), rows, m_view);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &ProfileApplyDialog::applyRequested, this,
            [this] { m_transfer.write(m_differences); });
    connect(m_dialog, &QDialog::rejected, this, &ProfileActions::end);
    m_dialog->open();
}

void ProfileActions::written()
{
    end();
    showResults();
    const QString text = summary();
    bool allApplied = true;
    for (const ConfigurationTransfer::Write& write : m_transfer.writes())
        allApplied = allApplied && write.outcome == ConfigurationTransfer::Applied;
    if (!m_sensor || allApplied)
        m_statusLine->inform(text);
    else
        m_statusLine->report(m_sensor->address(), text);
}

void ProfileActions::readFailed(CommandCallback::Result result)
{
    end();
    showResults();
    if (m_sensor)
        m_statusLine->reportResult(m_sensor->address(), tr("Profile: configuration read"), result);
}

void ProfileActions::writeFailed(int index, qint64 value, CommandCallback::Result result)
{
    end();
    showResults();
    if (m_sensor)
        m_statusLine->reportResult(
            m_sensor->address(),
            tr("Profile: writing %1=%2").arg(ConfigurationParameters::name(index)).arg(value),
            result);
}

void ProfileActions::showResults()
{
    if (!m_dialog)
        return;
    QStringList results;
    for (const ConfigurationTransfer::Write& write : m_transfer.writes())
        results << ConfigurationTransfer::outcomeText(write.outcome);
    m_dialog->showResults(results, summary());
}

// "Profile tank.json: 3 of 4 parameters applied".
QString ProfileActions::summary() const
{
    int applied = 0;
    for (const ConfigurationTransfer::Write& write : m_transfer.writes())
        applied += write.outcome == ConfigurationTransfer::Applied ? 1 : 0;
    return tr("Profile %1: %2 of %3 parameters applied")
        .arg(QFileInfo(m_path).fileName())
        .arg(applied)
        .arg(m_transfer.writes().size());
}

#pragma once

#include "profiles/configurationtransfer.h"

#include <QObject>
#include <QPointer>

class FailureStatusLine;
class OmniCommSensor;
class ProfileApplyDialog;
class QAction;
class QWidget;

// "Save profile..." and "Apply profile..." of an Omnicomm sensor's view: its
// configuration, freshly read, kept in a file; and another file's configuration
// given to it after the engineer has seen how the two differ. One at a time.
class ProfileActions : public QObject
{
    Q_OBJECT
public:
    ProfileActions(OmniCommSensor* sensor, FailureStatusLine* statusLine, QWidget* view);

    QList<QAction*> actions() const;

public slots:
    void saveTo(const QString& path);
    void applyFrom(const QString& path);

private slots:
    void chooseSaveFile();
    void chooseApplyFile();

private:
    void configurationRead();
    void showDifferences();
    void written();
    void readFailed(CommandCallback::Result result);
    void writeFailed(int index, qint64 value, CommandCallback::Result result);
    void showResults();
    void start(const QString& path);
    void end();
    QString summary() const;

    QPointer<OmniCommSensor> m_sensor;
    FailureStatusLine* m_statusLine;
    QWidget* m_view;
    QAction* m_saveAction;
    QAction* m_applyAction;
    ConfigurationTransfer m_transfer;
    QString m_path;
    bool m_applying = false;
    ConfigurationValues m_profile;
    ConfigurationValues m_differences;
    QPointer<ProfileApplyDialog> m_dialog;
};

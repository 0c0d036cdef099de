#pragma once

#include "settings/settingskeys.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVector>

class QAction;
class QFile;
class QPlainTextEdit;
class QWidget;

// Turns the logger's text into the read-only log view of the status tab: one line
// per message, filtered by per-section switches the user sets from the view's
// context menu (remembered per controller), and optionally copied into a file.
class LogDisplayController : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultMaxLogLines = SettingsKeys::MaxLogLinesDefault;

    explicit LogDisplayController(QObject* parent = nullptr);

    QWidget* widget();
    QWidget* createWidget();
    bool writeTo(const QString& fileName);
    void disableWrite();
    bool isWriteEnabled() const { return m_file != nullptr; }

    // The line form of the view and the file.
    static QString formatLine(const QString& sectionTitle, const QDateTime& dt, const QString& msg);

protected slots:
    void slotLoggerMessage(int section, QDateTime dt, QString msg);
    void slotSectionToggled(bool v);
    void slotWriteToTriggered(bool v);
    void slotEnableAllSections();
    void slotDisableAllSections();

private:
    void addMenuActions(QPlainTextEdit* view);
    void addSectionActions(QPlainTextEdit* view);
    QAction* addAction(QPlainTextEdit* view, const QString& text);
    QString sectionsGroup() const;
    void showLine(int section, const QString& msg, const QString& line);
    bool writeLine(const QString& line);
    void stopWritingAfterFailure();
    void setAllSections(bool on);

    QPointer<QPlainTextEdit> m_view;
    QMetaObject::Connection m_viewDestroyed;
    QVector<bool> m_sectionEnabled;
    QList<QAction*> m_sectionActions;
    QPointer<QAction> m_writeAction;
    QFile* m_file = nullptr;
    // The message the view's last line shows, and how many times it came.
    int m_shownSection = -1;
    QString m_shownMessage;
    QString m_shownLine;
    int m_repeats = 0;
};

#include "log/logdisplaycontroller.h"

#include "files/wholefile.h"
#include "log/followingscroll.h"
#include "log/logger.h"
#include "settings/boundedsetting.h"
#include "settings/settingskeys.h"
#include "views/lastfolder.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// 0 is the view's own "no limit".
int readMaxLogLines()
{
    QSettings settings;
    settings.beginGroup(SettingsKeys::LogGroup);
    return boundedSetting(settings, SettingsKeys::MaxLogLines,
                          LogDisplayController::DefaultMaxLogLines, 0);
}

} // namespace

LogDisplayController::LogDisplayController(QObject* parent)
    : QObject(parent)
{
    connect(Logger::instance(), qOverload<int, QDateTime, QString>(&Logger::newMessage), this,
            &LogDisplayController::slotLoggerMessage);
}

QWidget* LogDisplayController::widget()
{
    return m_view ? m_view.data() : createWidget();
}

QWidget* LogDisplayController::createWidget()
{
    auto* view = new QPlainTextEdit;
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setMaximumBlockCount(readMaxLogLines());
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_view = view;
    new FollowingScroll(view->verticalScrollBar());
    addMenuActions(view);
    addSectionActions(view);
    // The section actions die with their view; the switches must not outlive them.
    // Only the newest view's end counts. No guarded pointer is read here: by the
    // time destroyed() comes the view is no longer a QPlainTextEdit.
    disconnect(m_viewDestroyed);
    m_viewDestroyed = connect(view, &QObject::destroyed, this, [this] {
        m_sectionActions.clear();
        m_sectionEnabled.clear();
    });
    return view;
}

QAction* LogDisplayController::addAction(QPlainTextEdit* view, const QString& text)
{
    auto* action = new QAction(text, view);
    view->addAction(action);
    return action;
}

void LogDisplayController::addMenuActions(QPlainTextEdit* view)
{
    connect(addAction(view, tr("Clear")), &QAction::triggered, view, &QPlainTextEdit::clear);
    connect(addAction(view, tr("Select All")), &QAction::triggered, view,
            &QPlainTextEdit::selectAll);
    connect(addAction(view, tr("Copy")), &QAction::triggered, view, &QPlainTextEdit::copy);
    m_writeAction = addAction(view, tr("Write to.."));
    m_writeAction->setCheckable(true);
    m_writeAction->setChecked(isWriteEnabled());
    connect(m_writeAction, &QAction::triggered, this, &LogDisplayController::slotWriteToTriggered);
    connect(addAction(view, tr("Enable all sections")), &QAction::triggered, this,
            &LogDisplayController::slotEnableAllSections);
    connect(addAction(view, tr("Disable all sections")), &QAction::triggered, this,
            &LogDisplayController::slotDisableAllSections);
    addAction(view, QString())->setSeparator(true);
}

void LogDisplayController::addSectionActions(QPlainTextEdit* view)
{
    m_sectionEnabled.clear();
    m_sectionActions.clear();
    QSettings settings;
    settings.beginGroup(sectionsGroup());
    const QList<Logger::Section>& sections = Logger::instance()->sections();
    for (int i = 0; i < sections.size(); ++i) {
        const Logger::Section& section = sections.at(i);
        QAction* action = addAction(view, section.title);
        action->setCheckable(true);
        action->setData(i);
        action->setChecked(
            settings.value(QString::fromLatin1(section.name), section.enabledByDefault).toBool());
        connect(action, &QAction::toggled, this, &LogDisplayController::slotSectionToggled);
        m_sectionEnabled.append(action->isChecked());
        m_sectionActions.append(action);
    }
}

QString LogDisplayController::sectionsGroup() const
{
    return QStringLiteral("%1/%2").arg(QLatin1String(SettingsKeys::LogGroup), objectName());
}

QString LogDisplayController::formatLine(const QString& sectionTitle, const QDateTime& dt,
                                         const QString& msg)
{
    return QStringLiteral("[%1][%2]%3").arg(sectionTitle, dt.toString(Qt::ISODate), msg);
}

void LogDisplayController::slotLoggerMessage(int section, QDateTime dt, QString msg)
{
    if (!m_view || section < 0 || section >= m_sectionEnabled.size() ||
        !m_sectionEnabled.at(section))
        return;
    const QString line = formatLine(Logger::instance()->sectionTitle(section), dt, msg);
    const bool written = !m_file || writeLine(line);
    showLine(section, msg, line);
    // Reported after the line is shown: the report is itself a log line.
    if (!written)
        stopWritingAfterFailure();
}

// A message the same as the one before (a sensor that keeps timing out) takes
// that one's place with a count, so that the view does not fill with it; the
// file keeps every line.
void LogDisplayController::showLine(int section, const QString& msg, const QString& line)
{
    QTextBlock last = m_view->document()->lastBlock();
    const bool repeated = section == m_shownSection && msg == m_shownMessage && last.isValid() &&
                          last.text() == m_shownLine;
    if (!repeated) {
        m_shownSection = section;
        m_shownMessage = msg;
        m_repeats = 1;
        m_shownLine = line;
        m_view->appendPlainText(line);
        return;
    }
    m_shownLine = tr("%1 (%2 times)").arg(line).arg(++m_repeats);
    QTextCursor cursor(last);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(m_shownLine);
}

bool LogDisplayController::writeLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    // Flushed at once: a line still in a buffer would be lost with the program.
    return m_file->write(bytes) == bytes.size() && m_file->flush();
}

void LogDisplayController::stopWritingAfterFailure()
{
    const QString error = WholeFile::writeFailure(m_file->fileName(), m_file->errorString());
    disableWrite();
    if (m_writeAction)
        m_writeAction->setChecked(false);
    Logger::message(Logger::PortStatus,
                    tr("%1. The log is no longer written to a file.").arg(error));
}

void LogDisplayController::slotSectionToggled(bool v)
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    const int section = action->data().toInt();
    if (section < 0 || section >= m_sectionEnabled.size())
        return;
    m_sectionEnabled[section] = v;
    QSettings settings;
    settings.beginGroup(sectionsGroup());
    settings.setValue(Logger::instance()->sectionName(section), v);
}

void LogDisplayController::slotEnableAllSections()
{
    setAllSections(true);
}

void LogDisplayController::slotDisableAllSections()
{
    setAllSections(false);
}

void LogDisplayController::setAllSections(bool on)
{
    // Each toggle stores its own switch; a copy, since a toggle could rebuild the list.
    const QList<QAction*> actions = m_sectionActions;
    for (QAction* action : actions) {
        if (action->isChecked() != on)
            action->toggle();
    }
}

void LogDisplayController::slotWriteToTriggered(bool v)
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!v) {
        disableWrite();
        return;
    }
    const QString name = LastFolder::askSave(
        m_view, tr("Log file"), SettingsKeys::LogFolder,
        QStringLiteral("nivelon_%1.log")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm"))),
        tr("Log files (*.log *.txt)"), QStringLiteral("log"));
    if ((name.isEmpty() || !writeTo(name)) && action)
        action->setChecked(false);
}

bool LogDisplayController::writeTo(const QString& fileName)
{
    disableWrite();
    // A pipe or a device would block or be harmed; the log goes to files only.
    QString error;
    const QString target = WholeFile::target(fileName, &error);
    if (!target.isEmpty()) {
        m_file = new QFile(target, this);
        if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = WholeFile::writeFailure(fileName, m_file->errorString());
            disableWrite();
        }
    }
    if (m_writeAction)
        m_writeAction->setChecked(m_file != nullptr);
    if (!m_file)
        Logger::message(Logger::PortStatus,
                        tr("%1. The log is not written to a file.").arg(error));
    return m_file != nullptr;
}

void LogDisplayController::disableWrite()
{
    if (!m_file)
        return;
    m_file->close();
    m_file->deleteLater();
    m_file = nullptr;
}

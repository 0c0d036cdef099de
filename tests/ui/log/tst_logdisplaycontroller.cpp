#include "log/logdisplaycontroller.h"
#include "log/logger.h"
#include "support/fullfolder.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

namespace {

struct Controller
{
    Controller()
    {
        controller.setObjectName(QStringLiteral("StatusLogController"));
        view.reset(qobject_cast<QPlainTextEdit*>(controller.widget()));
    }

    QAction* action(const QString& text) const
    {
        for (QAction* action : view->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }
    QStringList lines() const
    {
        return view->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    LogDisplayController controller;
    std::unique_ptr<QPlainTextEdit> view;
};

QVariant stored(const QString& section)
{
    return QSettings().value(QStringLiteral("Log/StatusLogController/") + section);
}

QString status(const QString& text)
{
    Logger::message(Logger::PortStatus, text);
    return text;
}

} // namespace

class TestLogDisplayController : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void sectionSwitchesFilterAndAreRemembered();
    void viewKeepsAtMostMaxLogLines();
    void fileGetsEachLineWithOneLineFeed();
    void failedWriteStopsTheFileAndSaysSo_data();
    void failedWriteStopsTheFileAndSaysSo();
    void onlyRegularFilesTakeTheLog();
    void repeatedMessagesFoldIntoOneLine();
    void viewFollowsNewLinesUnlessScrolledUp();

private:
    std::unique_ptr<Logger> m_logger;
};

void TestLogDisplayController::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    m_logger = std::make_unique<Logger>();
}

void TestLogDisplayController::init()
{
    QSettings().clear();
}

void TestLogDisplayController::sectionSwitchesFilterAndAreRemembered()
{
    {
        Controller log;
        const QDateTime before = QDateTime::currentDateTime();
        status(QStringLiteral("opened"));
        Logger::message(Logger::Error, QStringLiteral("hidden"));
        QCOMPARE(log.lines().size(), 1);
        const QRegularExpression form(QStringLiteral(R"(^\[PortStatus\]\[(.+)\]opened$)"));
        const QRegularExpressionMatch match = form.match(log.lines().first());
        QVERIFY2(match.hasMatch(), qPrintable(log.lines().first()));
        const QDateTime stamp = QDateTime::fromString(match.captured(1), Qt::ISODate);
        QVERIFY(qAbs(stamp.secsTo(before)) <= 1);
        QVERIFY(!match.captured(1).contains(QLatin1Char('.')));

        log.action(QStringLiteral("Error"))->toggle();
        log.action(QStringLiteral("PortStatus"))->toggle();
        Logger::message(Logger::Error, QStringLiteral("shown"));
        status(QStringLiteral("hidden"));
        QCOMPARE(log.lines().size(), 2);
        QVERIFY(log.lines().last().endsWith(QLatin1String("]shown")));
        QCOMPARE(stored(QStringLiteral("PortStatus")), QVariant(false));
    }
    {
        Controller restarted;
        QVERIFY(restarted.action(QStringLiteral("Error"))->isChecked());
        QVERIFY(!restarted.action(QStringLiteral("PortStatus"))->isChecked());
        restarted.action(QStringLiteral("Disable all sections"))->trigger();
        QCOMPARE(stored(QStringLiteral("Error")), QVariant(false));
        restarted.action(QStringLiteral("Enable all sections"))->trigger();
        QCOMPARE(stored(QStringLiteral("PortStatus")), QVariant(true));
        QCOMPARE(stored(QStringLiteral("Error")), QVariant(true));
        status(QStringLiteral("back"));
        QCOMPARE(restarted.lines().size(), 1);
    }
}

void TestLogDisplayController::viewKeepsAtMostMaxLogLines()
{
    QSettings().setValue(QStringLiteral("Log/MaxLogLines"), 10);
    Controller log;
    for (int i = 0; i < 25; ++i)
        status(QString::number(i));
    QCOMPARE(log.lines().size(), 10);
    QVERIFY(log.lines().last().endsWith(QLatin1String("]24")));
}

void TestLogDisplayController::fileGetsEachLineWithOneLineFeed()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    Controller log;
    status(QStringLiteral("before the file"));
    QVERIFY(log.controller.writeTo(path));
    QVERIFY(log.action(QStringLiteral("Write to.."))->isChecked());
    status(QStringLiteral("Füllstand 50 %"));
    status(QStringLiteral("Порт открыт"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList shown = log.lines().mid(1);
    QCOMPARE(file.readAll(), (shown.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());

    log.action(QStringLiteral("Write to.."))->trigger();
    QVERIFY(!log.controller.isWriteEnabled());
    QVERIFY(!log.controller.writeTo(dir.filePath(QStringLiteral("no/such/folder/log.txt"))));
    QVERIFY(!log.controller.isWriteEnabled());
    QVERIFY(!log.action(QStringLiteral("Write to.."))->isChecked());
}

void TestLogDisplayController::failedWriteStopsTheFileAndSaysSo_data()
{
    QTest::addColumn<FullFolder::Kind>("kind");
    QTest::newRow("tmpfs") << FullFolder::FullFileSystem;
    QTest::newRow("size limit") << FullFolder::WriteLimit;
}

void TestLogDisplayController::failedWriteStopsTheFileAndSaysSo()
{
    QFETCH(FullFolder::Kind, kind);
    FullFolder folder(kind);
    if (!folder.unavailable().isEmpty())
        QSKIP(qPrintable(folder.unavailable()));
    const QString path = folder.filePath(QStringLiteral("log.txt"));
    Controller log;
    QVERIFY(log.controller.writeTo(path));
    folder.fill();
    status(QStringLiteral("lost"));
    folder.release();
    QVERIFY(!log.controller.isWriteEnabled());
    QVERIFY(!log.action(QStringLiteral("Write to.."))->isChecked());
    status(QStringLiteral("after"));
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).endsWith(QLatin1String("]lost")));
    QVERIFY(lines.at(1).startsWith(QLatin1String("[PortStatus]")));
    QVERIFY2(lines.at(1).endsWith(QStringLiteral("]cannot write %1: %2. The log is no longer "
                                                 "written to a file.")
                                      .arg(path, folder.reason())),
             qPrintable(lines.at(1)));
    QVERIFY(lines.at(2).endsWith(QLatin1String("]after")));
}

// A device or a pipe would be harmed or block the window: refused, and said.
void TestLogDisplayController::onlyRegularFilesTakeTheLog()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/dev/full"), pipe}) {
        Controller log;
        QVERIFY(!log.controller.writeTo(path));
        QVERIFY(!log.controller.isWriteEnabled());
        QVERIFY(!log.action(QStringLiteral("Write to.."))->isChecked());
        QVERIFY2(log.lines().value(0).endsWith(
                     QStringLiteral("]cannot write %1: not a regular file (a device or a pipe). "
                                    "The log is not written to a file.")
                         .arg(path)),
                 qPrintable(log.lines().join('\n')));
    }
}

// A sensor that keeps timing out fills one line with a count, not the view; the
// file still has every line.
void TestLogDisplayController::repeatedMessagesFoldIntoOneLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    Controller log;
    QVERIFY(log.controller.writeTo(path));
    status(QStringLiteral("Sensor 1: Configuration read: Timeout"));
    for (int i = 0; i < 39; ++i)
        status(QStringLiteral("Sensor 1: Configuration read: Timeout"));
    Logger::message(Logger::Sensors, QStringLiteral("Sensor 1: Configuration read: Timeout"));
    status(QStringLiteral("Sensor 2: answers again"));
    status(QStringLiteral("Sensor 1: Configuration read: Timeout"));
    QCOMPARE(log.lines().size(), 4);
    QVERIFY2(log.lines().at(0).endsWith(QLatin1String("]Sensor 1: Configuration read: Timeout "
                                                      "(40 times)")),
             qPrintable(log.lines().at(0)));
    QVERIFY(log.lines().at(1).endsWith(QLatin1String("]Sensor 1: Configuration read: Timeout")));
    QVERIFY(log.lines().at(3).endsWith(QLatin1String("]Sensor 1: Configuration read: Timeout")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 43);

    // A cleared view starts the count again.
    log.action(QStringLiteral("Clear"))->trigger();
    status(QStringLiteral("Sensor 1: Configuration read: Timeout"));
    QCOMPARE(log.lines().size(), 1);
    QVERIFY(log.lines().at(0).endsWith(QLatin1String("Timeout")));
}

// New lines keep the view at the bottom, also while it is hidden behind another
// tab; a user who scrolled up to read stays there until back at the bottom.
void TestLogDisplayController::viewFollowsNewLinesUnlessScrolledUp()
{
    Controller log;
    log.view->resize(400, 200);
    QScrollBar* bar = log.view->verticalScrollBar();
    for (int i = 0; i < 100; ++i)
        status(QStringLiteral("hidden %1").arg(i));
    log.view->show();
    QVERIFY(QTest::qWaitForWindowExposed(log.view.get()));
    QTRY_VERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    for (int i = 0; i < 20; ++i)
        status(QStringLiteral("shown %1").arg(i));
    QCOMPARE(bar->value(), bar->maximum());

    bar->setValue(10);
    for (int i = 0; i < 20; ++i)
        status(QStringLiteral("while reading %1").arg(i));
    QCOMPARE(bar->value(), 10);

    bar->setValue(bar->maximum());
    status(QStringLiteral("after reading"));
    QCOMPARE(bar->value(), bar->maximum());
}

QTEST_MAIN(TestLogDisplayController)
#include "tst_logdisplaycontroller.moc"

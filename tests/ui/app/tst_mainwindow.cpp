// The whole main window against simulated sensor lines over real pseudo-terminals,
// offscreen, with settings in the test's own folder.
#include "app/bustypedialog.h"
#include "app/customprogressbar.h"
#include "app/detectionreminderdialog.h"
#include "app/maintabwidget.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "parameters/parameterwidget.h"
#include "port/scriptedserialport.h"
#include "profiles/configurationparameters.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "protocols/tbus/tbussensor.h"
#include "record/recorddialog.h"
#include "simline.h"
#include "simsensor.h"
#include "support/answermodal.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"
#include "support/simulatedline.h"
#include "views/plotsettingsdialog.h"
#include "views/sensorwidget.h"

#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <qwt_plot.h>

namespace {

const int kDetectMs = 20000;
// Two detection passes over every Omnicomm address on a line where nobody answers.
const int kSweepMs = 180000;
const int kOmnicommModel = 2; // ZT-33
const int kModBusModel = 1;   // ZT-32
const int kTBusModel = 4;     // ZT-35

std::unique_ptr<sim::SimLine> startLine(const QString& model, const QList<int>& addresses)
{
    auto line = std::make_unique<sim::SimLine>(SimulatedLine::options(model, addresses));
    QString error;
    if (!line->start(&error))
        qWarning("simulated line: %s", qPrintable(error));
    return line;
}

void storeChoices(int model, const QString& port, bool portSearch)
{
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("BusType"), model);
    settings.setValue(QStringLiteral("SerialPort/UsedPort"), port);
    settings.setValue(QStringLiteral("SerialPort/AutoDetectPort"), portSearch);
}

MainTabWidget* tabsOf(const MainWindow& window)
{
    return window.findChild<MainTabWidget*>(QStringLiteral("sensorTabWidget"));
}

QAction* actionOf(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

QStringList tabTitles(const MainWindow& window)
{
    QStringList titles;
    for (int i = 0; i < tabsOf(window)->count(); ++i)
        titles << tabsOf(window)->tabText(i);
    return titles;
}

QAction* modelAction(const MainWindow& window, const QString& code)
{
    for (QAction* action : window.findChild<QMenu*>(QStringLiteral("menuSensors"))->actions()) {
        if (action->text().startsWith(code + QLatin1Char(' ')))
            return action;
    }
    return nullptr;
}

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void firstStartAsksForTheModelAndShowsEverySensor();
    void closingATabDismantlesItsSensor();
    void tabsStayInAddressOrder();
    void lostLineIsToldInEveryTab();
    void anotherModelMovesTheSearchToItsLine();
    void emptyLineSaysSensorsNotDetectedOnce();
    void queryIntervalReachesEverySensorOnlyOnOk();
    void geometryAndHeaderStateSurviveARestart();
    void logDockTogglesFromADialog();
    void lostLineIsSaidAndPolledAgain_data();
    void lostLineIsSaidAndPolledAgain();
    void portTroubleIsSaidInTheStatusBar_data();
    void portTroubleIsSaidInTheStatusBar();
    void quittingCompletesQueuedCommandsOnce_data();
    void quittingCompletesQueuedCommandsOnce();
    void statusTabAndLineDataTellTheLine();
    void commissioningRecordHoldsTheSensorAsItIs();
    void typedNumbersAreTakenExactlyOrRefused();
    void firstStartFitsTheScreen_data();
    void firstStartFitsTheScreen();
    void smallWindowScrollsRatherThanSqueezes();

private:
    std::unique_ptr<LogCapture> log;
    std::unique_ptr<FakePortEnumerator> enumerator;
};

void TestMainWindow::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    initResources();
    log = std::make_unique<LogCapture>(true);
}

void TestMainWindow::init()
{
    QSettings().clear();
    enumerator = std::make_unique<FakePortEnumerator>();
    globalPortEnumerator = enumerator.get();
}

void TestMainWindow::firstStartAsksForTheModelAndShowsEverySensor()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1, 2, 3});
    enumerator->plug(line->portPath());
    answerNextModal<BusTypeDialog>(
        [](BusTypeDialog* d) { d->slotOnButtonClicked(kOmnicommModel); });
    MainWindow window(enumerator.get());
    QCOMPARE(QSettings().value(QStringLiteral("BusType")).toInt(), kOmnicommModel);
    QCOMPARE(modelAction(window, QStringLiteral("ZT-33"))->isChecked(), true);
    QCOMPARE(modelAction(window, QStringLiteral("ZT-32"))->text(),
             QStringLiteral("ZT-32 \u2014 ModBus RTU"));

    MainTabWidget* tabs = tabsOf(window);
    QTRY_COMPARE_WITH_TIMEOUT(tabs->count(), 4, kDetectMs);
    QCOMPARE(tabTitles(window), QStringList({"Status", "1 (0x01)", "2 (0x02)", "3 (0x03)"}));
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(actionOf(window, "actionSave_plot")->isEnabled());

    // The plot's own menu reaches the plot settings.
    bool asked = false;
    answerNextModal<PlotSettingsDialog>([&asked](PlotSettingsDialog* dialog) {
        asked = true;
        dialog->reject();
    });
    for (QAction* action : tabs->widget(1)->findChild<QwtPlot*>()->actions()) {
        if (action->text() == QStringLiteral("Plot settings..."))
            action->trigger();
    }
    QVERIFY(asked);

    // Diagnostic logging: every exchange reaches the line-data table.
    auto* table = window.findChild<QTableView*>(QStringLiteral("lineDataView"));
    QTRY_VERIFY(table->model()->rowCount() > 0);
    QVERIFY(window.findChild<QDockWidget*>(QStringLiteral("logDockWidget"))->isHidden());

    tabs->setCurrentIndex(0);
    QVERIFY(!actionOf(window, "actionSave_plot")->isEnabled());
    QVERIFY(!window.findChild<QMenu*>(QStringLiteral("menuActions"))->isEnabled());
}

void TestMainWindow::closingATabDismantlesItsSensor()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1, 2});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    MainTabWidget* tabs = tabsOf(window);
    QTRY_COMPARE_WITH_TIMEOUT(tabs->count(), 3, kDetectMs);

    // The status tab has no close button, and asking to close it does nothing.
    QTabBar* bar = tabs->tabBar();
    QVERIFY(!bar->tabButton(0, QTabBar::LeftSide) && !bar->tabButton(0, QTabBar::RightSide));
    emit tabs->tabCloseRequested(0);
    QCOMPARE(tabs->count(), 3);

    QPointer<SensorWidget> view = qobject_cast<SensorWidget*>(tabs->widget(2));
    QPointer<BaseSensor> sensor = view->baseSensor();
    emit tabs->tabCloseRequested(2);
    QTRY_VERIFY(!sensor && !view);
    QCOMPARE(tabTitles(window), QStringList({"Status", "1 (0x01)"}));
    QCOMPARE(SimulatedLine::addressesOf(*window.manager()->engine()), QList<int>({1}));
}

void TestMainWindow::tabsStayInAddressOrder()
{
    auto line = startLine(QStringLiteral("ZT-32"), {20});
    enumerator->plug(line->portPath());
    storeChoices(kModBusModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 2, kDetectMs);
    auto* engine = static_cast<ModBusEngine*>(window.manager()->engine());
    engine->addSensorAtAddress(30);
    auto* moved = static_cast<ModBusSensor*>(engine->addSensorAtAddress(3));
    QCOMPARE(tabTitles(window), QStringList({"Status", "3 (0x03)", "20 (0x14)", "30 (0x1e)"}));

    moved->setAddress(25);
    QCOMPARE(tabTitles(window), QStringList({"Status", "20 (0x14)", "25 (0x19)", "30 (0x1e)"}));
    QCOMPARE(qobject_cast<SensorWidget*>(tabsOf(window)->widget(2))->baseSensor(), moved);
}

void TestMainWindow::lostLineIsToldInEveryTab()
{
    auto line = startLine(QStringLiteral("ZT-32"), {1, 2});
    enumerator->plug(line->portPath());
    storeChoices(kModBusModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 3, kDetectMs);
    QList<QLabel*> lines;
    for (int i = 1; i < 3; ++i)
        lines.append(tabsOf(window)->widget(i)->findChild<QLabel*>("replyStatusLine"));

    const QString lost =
        QStringLiteral("Line lost: %1 (Resource error); waiting for it to come back")
            .arg(line->portPath());
    emit window.manager()->lineLost(lost);
    // A sensor added by hand meanwhile is told too.
    static_cast<ModBusEngine*>(window.manager()->engine())->addSensorAtAddress(3);
    QCOMPARE(tabsOf(window)->count(), 4);
    lines.append(tabsOf(window)->widget(3)->findChild<QLabel*>("replyStatusLine"));
    for (const QLabel* label : lines)
        QVERIFY(!label->isHidden() && label->text().startsWith(lost));
    emit window.manager()->lineRestored();
    for (const QLabel* label : lines)
        QVERIFY(!label->text().startsWith(lost));
    QVERIFY(lines[0]->isHidden() && lines[1]->isHidden());
}

void TestMainWindow::anotherModelMovesTheSearchToItsLine()
{
    auto modbus = startLine(QStringLiteral("ZT-32"), {1});
    auto omnicomm = startLine(QStringLiteral("ZT-33"), {5, 7});
    enumerator->plug(modbus->portPath());
    enumerator->plug(omnicomm->portPath());
    storeChoices(kModBusModel, modbus->portPath(), true);
    MainWindow window(enumerator.get());
    MainTabWidget* tabs = tabsOf(window);
    QTRY_COMPARE_WITH_TIMEOUT(tabs->count(), 2, kDetectMs);
    QPointer<QWidget> modbusView = tabs->widget(1);

    // Nobody on the ModBus line speaks Omnicomm: after two detection passes in
    // vain the search moves on to the next line.
    modelAction(window, QStringLiteral("ZT-33"))->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("BusType")).toInt(), kOmnicommModel);
    const QList<QLabel*> labels = tabs->cornerWidget()->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first()->text(), QStringLiteral("<b>ZT-33</b>"));
    QTRY_VERIFY(!modbusView);
    QTRY_COMPARE_WITH_TIMEOUT(tabTitles(window), QStringList({"Status", "5 (0x05)", "7 (0x07)"}),
                              kSweepMs);
    QCOMPARE(window.manager()->currentPort()->portName(), omnicomm->portPath());
}

void TestMainWindow::emptyLineSaysSensorsNotDetectedOnce()
{
    auto line = startLine(QStringLiteral("ZT-33"), {});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    auto* reminder = window.findChild<DetectionReminderDialog*>();
    auto* progress = window.statusBar()->findChild<CustomProgressBar*>();
    QVERIFY(reminder->isVisible() && !progress->isHidden());
    QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);

    // Two complete passes over 256 addresses take over a minute on the line; the
    // engine's pass count is told here, everything after it is the window's.
    SerialEngine* engine = window.manager()->engine();
    for (int state : {1, 2, 2})
        emit engine->detectionStateChanged(state);
    const QString notDetected = QStringLiteral("Sensors not detected, check connection");
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.first().first().toString(), notDetected);
    QVERIFY(reminder->findChild<QLabel*>(QStringLiteral("labelNotDetected"))->isVisible());
    QVERIFY(progress->text().startsWith(QStringLiteral("Detecting sensors: ")));

    emit engine->detectionStateChanged(0);
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    // What the line had to say stays when detection starts over.
    emit engine->lineNoisy(400, 1000);
    const QString noisy = window.statusBar()->currentMessage();
    QVERIFY2(noisy.startsWith(QStringLiteral("the line is noisy: 400 bytes in 1.0 s")),
             qPrintable(noisy));
    emit engine->detectionStateChanged(0);
    QCOMPARE(window.statusBar()->currentMessage(), noisy);
    // Once the line has been clean for a while, it no longer says so.
    emit engine->lineClean();
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    actionOf(window, "actionAutoDetectSensors")->setChecked(false);
    QVERIFY(!reminder->isVisible() && progress->isHidden());
}

void TestMainWindow::queryIntervalReachesEverySensorOnlyOnOk()
{
    auto line = startLine(QStringLiteral("ZT-32"), {1, 2});
    enumerator->plug(line->portPath());
    storeChoices(kModBusModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 3, kDetectMs);
    const QList<SerialSensor*> sensors = window.manager()->engine()->sensors();

    answerNextModal<QInputDialog>([](QInputDialog* d) {
        QCOMPARE(d->intValue(), 1);
        // Neither cut to the range nor stripped of its sign, but refused.
        for (int typed : {999999, -5}) {
            d->setIntValue(typed);
            QCOMPARE(d->intValue(), typed);
            d->accept();
            QVERIFY(d->isVisible());
            QVERIFY2(d->labelText().startsWith(
                         QStringLiteral("%1 is refused: it must be from 1 to 99999").arg(typed)),
                     qPrintable(d->labelText()));
        }
        d->setIntValue(250);
        d->accept();
    });
    actionOf(window, "actionQueryInterval")->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("QueryInterval")).toInt(), 250);
    for (SerialSensor* sensor : sensors)
        QCOMPARE(sensor->queryInterval(), 250);

    answerNextModal<QInputDialog>([](QInputDialog* d) {
        QCOMPARE(d->intValue(), 250);
        d->setIntValue(40);
        d->reject();
    });
    actionOf(window, "actionQueryInterval")->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("QueryInterval")).toInt(), 250);
    for (SerialSensor* sensor : sensors)
        QCOMPARE(sensor->queryInterval(), 250);
}

void TestMainWindow::geometryAndHeaderStateSurviveARestart()
{
    storeChoices(kOmnicommModel, QString(), false);
    const QRect placed(40, 50, 900, 640);
    {
        MainWindow window(enumerator.get());
        window.show();
        window.setGeometry(placed);
        window.findChild<QTableView*>()->horizontalHeader()->hideSection(1);
        window.findChild<QDockWidget*>()->show();
    }
    MainWindow window(enumerator.get());
    window.show();
    QCOMPARE(window.geometry().size(), placed.size());
    QVERIFY(window.findChild<QTableView*>()->horizontalHeader()->isSectionHidden(1));
    QVERIFY(!window.findChild<QTableView*>()->horizontalHeader()->isSectionHidden(2));
    QVERIFY(window.findChild<QDockWidget*>()->isHidden());
}

void TestMainWindow::logDockTogglesFromADialog()
{
    storeChoices(kOmnicommModel, QString(), false);
    MainWindow window(enumerator.get());
    window.show();
    auto* dock = window.findChild<QDockWidget*>(QStringLiteral("logDockWidget"));
    QVERIFY(dock->isHidden());
    QDialog dialog(&window);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(dock->isVisible());
    QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(dock->isHidden());
}

void TestMainWindow::lostLineIsSaidAndPolledAgain_data()
{
    QTest::addColumn<bool>("portSearch");
    QTest::newRow("search off") << false;
    QTest::newRow("search on") << true;
}

// The simulator goes away and its link with it, as an unplugged adapter does,
// then comes back under the same name.
void TestMainWindow::lostLineIsSaidAndPolledAgain()
{
    QFETCH(bool, portSearch);
    QTemporaryDir dir;
    sim::LineOptions options = SimulatedLine::options(QStringLiteral("ZT-33"), {1});
    options.linkPath = dir.filePath(QStringLiteral("line"));
    sim::SimLine line(options);
    QVERIFY(line.start());
    enumerator->plug(options.linkPath);
    storeChoices(kOmnicommModel, options.linkPath, portSearch);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 2, kDetectMs);
    SerialPortManager* manager = window.manager();

    line.stop();
    QTRY_VERIFY(!manager->currentPort()->isOpen());
    const QString message = window.statusBar()->currentMessage();
    QVERIFY2(message.startsWith(QStringLiteral("Line lost: %1 (").arg(options.linkPath)) &&
                 message.endsWith(QStringLiteral("); waiting for it to come back")),
             qPrintable(message));
    // Waiting costs nothing: nothing of the line ticks more than once a second.
    for (const QTimer* timer : manager->findChildren<QTimer*>())
        QVERIFY(!timer->isActive() || timer->interval() >= 1000);
    QVERIFY(actionOf(window, "actionStart")->isChecked());
    QVERIFY(window.statusBar()->findChild<CustomProgressBar*>()->isHidden());

    const quint64 polled = line.sensorAt(1)->counters().requests;
    QVERIFY(line.start());
    QTRY_VERIFY_WITH_TIMEOUT(line.sensorAt(1)->counters().requests > polled, 5000);
    QTRY_VERIFY(window.statusBar()->currentMessage().isEmpty());
    QCOMPARE(manager->currentPort()->portName(), options.linkPath);
    QCOMPARE(tabTitles(window), QStringList({"Status", "1 (0x01)"}));
}

void TestMainWindow::portTroubleIsSaidInTheStatusBar_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("dialoutHint");
    QTest::newRow("missing adapter") << int(SerialPort::NotFoundError) << false;
    QTest::newRow("no permission") << int(SerialPort::PermissionError) << true;
}

void TestMainWindow::portTroubleIsSaidInTheStatusBar()
{
    QFETCH(int, error);
    QFETCH(bool, dialoutHint);
    enumerator->plug(QStringLiteral("/dev/ttyUSB7"));
    storeChoices(kOmnicommModel, QStringLiteral("/dev/ttyUSB7"), false);
    ScriptedSerialPort* port = nullptr;
    SerialPortManager::Hooks hooks;
    hooks.makePort = [&port, error](QObject* parent) {
        port = new ScriptedSerialPort(parent);
        port->failOpen = true;
        port->openError = error;
        return port;
    };
    MainWindow window(enumerator.get(), nullptr, hooks);
    const QString message = window.statusBar()->currentMessage();
    QVERIFY2(message.startsWith(QStringLiteral("Cannot open port /dev/ttyUSB7: ")),
             qPrintable(message));
    QCOMPARE(message.contains(QStringLiteral("dialout group")), dialoutHint);
    QCOMPARE(message.contains(QStringLiteral("log in again")), dialoutHint);

    // Once the port opens, the message goes.
    port->failOpen = false;
    window.manager()->start();
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

void TestMainWindow::quittingCompletesQueuedCommandsOnce_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("modelIndex");
    QTest::addColumn<int>("address");
    QTest::newRow("Omnicomm: parameter write and empty calibration")
        << QStringLiteral("ZT-33") << kOmnicommModel << 1;
    QTest::newRow("TBus: minimum and maximum calibration")
        << QStringLiteral("ZT-35") << kTBusModel << 10;
}

void TestMainWindow::quittingCompletesQueuedCommandsOnce()
{
    QFETCH(QString, model);
    QFETCH(int, modelIndex);
    QFETCH(int, address);
    auto line = startLine(model, {address});
    enumerator->plug(line->portPath());
    storeChoices(modelIndex, line->portPath(), false);
    RecordingCallback first;
    RecordingCallback second;
    {
        MainWindow window(enumerator.get());
        const SerialEngine* engine = window.manager()->engine();
        QTRY_VERIFY_WITH_TIMEOUT(!engine->sensors().isEmpty(), kDetectMs);
        BaseSensor* sensor = engine->sensors().first();
        if (auto* omnicomm = qobject_cast<OmniCommSensor*>(sensor)) {
            omnicomm->requestChangeParameter(OmniCommSensor::AutoIntervalIndex, 5, &first);
            omnicomm->requestChangeParameter(OmniCommSensor::FMaxIndex, 1000, &second);
        } else if (auto* tbus = qobject_cast<TBusSensor*>(sensor)) {
            tbus->requestSetMinimum(&first);
            tbus->requestSetMaximum(&second);
        }
    }
    QCOMPARE(first.results, QList<CommandCallback::Result>({CommandCallback::Canceled}));
    QCOMPARE(second.results, QList<CommandCallback::Result>({CommandCallback::Canceled}));
}

// On a live line: the line-data table fills a wide dock (and the dock can be wide),
// scrolls in a narrow one, and never cuts a time or a frame; the status tab tells, one line each,
// what became of the sensor and what was written to it.
void TestMainWindow::statusTabAndLineDataTellTheLine()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    window.resize(1600, 1000);
    window.show();
    auto* dock = window.findChild<QDockWidget*>(QStringLiteral("logDockWidget"));
    dock->show();
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 2, kDetectMs);
    auto* view = qobject_cast<SensorWidget*>(tabsOf(window)->widget(1));
    QTRY_VERIFY(view->baseSensor()->parameter(OmniCommSensor::FMaxIndex)->isValid());
    // Else the sensor would be found again at the address it moves to below.
    actionOf(window, "actionAutoDetectSensors")->setChecked(false);
    // Still rows, so that they are measured as they stand.
    window.manager()->stop();
    auto* table = window.findChild<QTableView*>(QStringLiteral("lineDataView"));
    const QHeaderView* header = table->horizontalHeader();
    for (int width : {500, 0}) {
        window.resizeDocks({dock}, {width}, Qt::Horizontal);
        QTest::qWait(100);
        int content = 0;
        for (int column = 0; column < 3; ++column) {
            const int needed =
                std::max(header->sectionSizeHint(column),
                         static_cast<QAbstractItemView*>(table)->sizeHintForColumn(column));
            QVERIFY(header->sectionSize(column) >= needed);
            content += needed;
        }
        QCOMPARE(header->length(), std::max(content, table->viewport()->width()));
        QVERIFY(width == 0 || dock->width() > 400);
    }
    window.manager()->start();

    auto* fmin = view->findChild<ParameterWidget*>(QStringLiteral("frequencyMinWidget"));
    for (int value : {65000, 10}) {
        fmin->setEditVariantValue(value);
        fmin->slotAcceptClicked();
    }
    const auto* log =
        window.findChild<QWidget*>(QStringLiteral("statusTab"))->findChild<QPlainTextEdit*>();
    QTRY_VERIFY(log->toPlainText().contains(QStringLiteral("written")));
    line->sensorAt(1)->setAddress(9);
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(QStringLiteral("lost")), 10000);
    line->sensorAt(9)->setAddress(1);
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains(QStringLiteral("again")), 10000);
    const QString story = log->toPlainText();
    QVERIFY2(
        QRegularExpression(
            QStringLiteral(
                "Sensor 1 \\(0x01\\): found on %1\\n.*Sensor 1 \\(0x01\\): FMin 65000 refused: it "
                "must be below FMax \\(\\d+\\)\\n.*Sensor 1 \\(0x01\\): FMin 10 written\\n"
                ".*Sensor 1 \\(0x01\\): lost: no reply since \\d\\d:\\d\\d:\\d\\d\\n"
                ".*Sensor 1 \\(0x01\\): answers again")
                .arg(QRegularExpression::escape(line->portPath())),
            QRegularExpression::DotMatchesEverythingOption)
            .match(story)
            .hasMatch(),
        qPrintable(story));
}

// From the Actions menu to FILE.json and FILE.pdf: both hold the configuration
// as the sensor has it, the empty point set in this session and the line
// statistics; the page is one or two pages of text, not a picture.
void TestMainWindow::commissioningRecordHoldsTheSensorAsItIs()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 2, kDetectMs);
    auto* view = qobject_cast<SensorWidget*>(tabsOf(window)->widget(1));
    auto* fMax = view->findChild<ParameterWidget*>(QStringLiteral("frequencyMaxWidget"));
    QTRY_VERIFY(fMax->editVariantValue().toInt() == 20000);
    // The write alone on the line; on a busy machine its reply may still come
    // late, and the installer would write it again.
    auto* sensor = qobject_cast<SerialSensor*>(view->baseSensor());
    SimulatedLine::holdPolls(sensor);
    for (int tries = 0; tries < 3 && fMax->state() != ParameterWidget::StateOk; ++tries) {
        fMax->setEditVariantValue(17000);
        fMax->slotAcceptClicked();
        QTRY_VERIFY(fMax->state() == ParameterWidget::StateOk ||
                    fMax->state() == ParameterWidget::StateFailed);
    }
    QCOMPARE(fMax->state(), ParameterWidget::StateOk);
    SimulatedLine::releasePolls(sensor);

    QTemporaryDir folder;
    const QString base = folder.filePath(QStringLiteral("bus-7"));
    answerNextModal<RecordDialog>([base](RecordDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("vehicleEdit"))->setText("AB 123 C");
        dialog->findChild<QLineEdit*>(QStringLiteral("installerEdit"))->setText("Ivan Petrov");
        answerComingModal<QFileDialog>([base](QFileDialog* files) {
            QVERIFY(files->selectedFiles().value(0).contains(QStringLiteral("ZT-33_1_")));
            files->selectFile(base + QStringLiteral(".pdf"));
            // selectFile leaves the name field alone once it has the focus,
            // which a shown save dialog may already have given it.
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(base + QStringLiteral(".pdf"));
            static_cast<QDialog*>(files)->accept(); // QFileDialog hides it
        });
        dialog->accept();
    });
    QMenu* actions = window.findChild<QMenu*>(QStringLiteral("menuActions"));
    QCOMPARE(actions->actions().last()->text(), QStringLiteral("Commissioning record..."));
    actions->actions().last()->trigger();
    QCOMPARE(QSettings().value(QStringLiteral("Record/Installer")).toString(), "Ivan Petrov");

    QFile json(base + QStringLiteral(".json"));
    QVERIFY(json.open(QIODevice::ReadOnly));
    const QJsonObject record = QJsonDocument::fromJson(json.readAll()).object();
    QCOMPARE(record.value("model").toString(), QStringLiteral("ZT-33"));
    QCOMPARE(record.value("vehicle").toString(), QStringLiteral("AB 123 C"));
    const QJsonObject configuration = record.value("configuration").toObject();
    const sim::OmnicommConfig& simulated = line->sensorAt(1)->omnicomm();
    const QList<QPair<QString, int>> expected{{"FMax", 17000},
                                              {"FMin", simulated.fMin},
                                              {"SampleCount", simulated.sampleCount},
                                              {"PWM_Max", simulated.pwmMax},
                                              {"ControlOutput", simulated.controlOutput},
                                              {"DataFormat", simulated.dataFormat},
                                              {"NormalTemperature", simulated.normalTemperature}};
    QCOMPARE(configuration.size(), expected.size() + 1); // and the mode
    const QJsonObject calibration = record.value("calibrations").toArray().at(0).toObject();
    QCOMPARE(calibration.value("point").toString(), QStringLiteral("empty"));
    QCOMPARE(calibration.value("value").toInt(), 17000);
    const QJsonObject statistics = record.value("statistics").toObject();
    QVERIFY(statistics.value("successes").toInt() > 0);

    const QString pdf = base + QStringLiteral(".pdf");
    const QString pages =
        runTool("pdfinfo", {pdf}).section(QStringLiteral("Pages:"), 1).section('\n', 0, 0);
    QVERIFY2(pages.trimmed() == "1" || pages.trimmed() == "2", qPrintable(pages));
    const QString text = runTool("pdftotext", {"-layout", pdf, "-"});
    QVERIFY2(text.contains(QStringLiteral("ZT-33, address 1")), qPrintable(text));
    for (const auto& [name, value] : expected)
        QCOMPARE(configuration.value(name).toInt(), value);
    QCOMPARE(configuration.value("Mode").toString(), QStringLiteral("network"));
    // Both files say what the window says, in its words; the reading as rounded there.
    const QJsonObject reading = record.value("reading").toObject();
    // A configuration read lost on a busy line leaves the last level unscaled.
    if (!reading.value("LevelPercent").isNull()) {
        const double level = reading.value("LevelPercent").toDouble();
        QCOMPARE(level * 100, double(qRound(level * 100)));
        QVERIFY2(text.contains(QLocale::c().toString(level, 'f', 2)), qPrintable(text));
    }
    const QJsonArray shown = record.value("shown").toArray();
    const QList<ParameterWidget*> fields = view->findChildren<ParameterWidget*>();
    QCOMPARE(shown.size(), fields.size() + 1); // and the mode
    for (const ParameterWidget* field : fields) {
        const QString name = ConfigurationParameters::name(field->parameterIndex());
        const auto entry = std::find_if(shown.begin(), shown.end(), [&](const QJsonValue& value) {
            return value.toObject().value("name").toString() == name;
        });
        QVERIFY2(entry != shown.end(), qPrintable(name));
        QCOMPARE(entry->toObject().value("text").toString(), field->displayText().trimmed());
    }
    for (const QJsonValue& value : shown) {
        const QString label = value.toObject().value("label").toString();
        const QString shownText = value.toObject().value("text").toString();
        // A long label wraps in its cell: its first word starts the value's line.
        const QRegularExpression row(QStringLiteral("%1[^\\n]*\\s%2")
                                         .arg(QRegularExpression::escape(label.section(' ', 0, 0)),
                                              QRegularExpression::escape(shownText)));
        QVERIFY2(text.contains(row),
                 qPrintable(label + " " + shownText + " not on the page:\n" + text));
    }
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Data format\\s+8192 \\(13 bits\\)"))),
             qPrintable(text));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Mode\\s+network \\(polled\\)"))),
             qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("SampleCount")) &&
                 !text.contains(QLatin1String("PWM_Max")),
             qPrintable(text));
    QVERIFY(text.contains(QLatin1String("Level over the session")));
}

// Every number typed is taken as typed or refused with the allowed range, before
// anything is sent: a parameter against the simulated sensor, and the address
// of a sensor to add, which starts at the first free one.
void TestMainWindow::typedNumbersAreTakenExactlyOrRefused()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1, 2, 3});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 4, kDetectMs);
    auto* view = qobject_cast<SensorWidget*>(tabsOf(window)->widget(1));
    auto* sampleCount =
        view->findChild<IntSpinBoxParameterWidget*>(QStringLiteral("sampleCountWidget"));
    const int before = line->sensorAt(1)->omnicomm().sampleCount;
    QTRY_COMPARE(sampleCount->editVariantValue().toInt(), before);
    QVERIFY(sampleCount->spinBox()->toolTip().contains(QStringLiteral("from 1 to 255")));

    QSignalSpy refused(sampleCount, &ParameterWidget::writeFailed);
    const auto type = [&](const QString& text) {
        QVERIFY(QMetaObject::invokeMethod(sampleCount, "slotEditClicked"));
        QSpinBox* box = sampleCount->spinBox();
        box->selectAll();
        QTest::keyClicks(box, text);
        QCOMPARE(box->text(), text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    type(QStringLiteral("300"));
    QCOMPARE(refused.size(), 1);
    QCOMPARE(refused.first().first().toString(),
             QStringLiteral("SampleCount 300 refused: it must be from 1 to 255"));
    QCOMPARE(sampleCount->state(), ParameterWidget::StateFailed);
    type(QStringLiteral("-5"));
    QCOMPARE(refused.size(), 2);
    auto* sensor = qobject_cast<SerialSensor*>(view->baseSensor());
    SimulatedLine::holdPolls(sensor);
    type(QStringLiteral("200"));
    QTRY_COMPARE_WITH_TIMEOUT(line->sensorAt(1)->omnicomm().sampleCount, 200, 5000);
    SimulatedLine::releasePolls(sensor);
    QCOMPARE(refused.size(), 2);

    actionOf(window, "actionAddSensor")->trigger();
    auto* add = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    QVERIFY(add);
    QCOMPARE(add->intValue(), 4);
    const QList<QPair<int, QString>> refusals{
        {2, QStringLiteral("A sensor with address 2 (0x02) is already on this line")},
        {300, QStringLiteral("300 is refused: it must be from 0 to 255")}};
    for (const auto& [address, reason] : refusals) {
        add->setIntValue(address);
        add->accept();
        QVERIFY(add->isVisible());
        QVERIFY2(add->labelText().startsWith(reason), qPrintable(add->labelText()));
    }
    QCOMPARE(window.manager()->engine()->sensors().size(), 3);
    add->setIntValue(4);
    add->accept();
    QTRY_COMPARE(window.manager()->engine()->sensors().size(), 4);
}

void TestMainWindow::firstStartFitsTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::newRow("1600x1000") << QSize(1600, 1000) << QSize(1360, 850);
    QTest::newRow("1024x768") << QSize(1024, 768) << QSize(1024, 700);
    QTest::newRow("800x500") << QSize(800, 500) << QSize(800, 500);
}

void TestMainWindow::firstStartFitsTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QCOMPARE(MainWindow::firstSize(screen), window);
}

// A window smaller than a sensor's tab with the line-data table beside it: every
// field, label and button keeps its least width, and the tab scrolls.
void TestMainWindow::smallWindowScrollsRatherThanSqueezes()
{
    auto line = startLine(QStringLiteral("ZT-33"), {1});
    enumerator->plug(line->portPath());
    storeChoices(kOmnicommModel, line->portPath(), false);
    MainWindow window(enumerator.get());
    window.resize(800, 500);
    window.show();
    window.findChild<QDockWidget*>(QStringLiteral("logDockWidget"))->show();
    QTRY_COMPARE_WITH_TIMEOUT(tabsOf(window)->count(), 2, kDetectMs);
    tabsOf(window)->setCurrentIndex(1);
    QTRY_VERIFY(window.width() <= 800);
    auto* view = qobject_cast<SensorWidget*>(tabsOf(window)->widget(1));
    QTRY_VERIFY(view->isVisible());
    QApplication::processEvents();
    // A reading that came in during processEvents() changed texts whose layouts
    // have only asked to be redone yet: redo them before measuring.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (const QWidget* widget : view->findChildren<QWidget*>()) {
        const bool control = qobject_cast<const QLineEdit*>(widget) ||
                             qobject_cast<const QLabel*>(widget) ||
                             qobject_cast<const QAbstractButton*>(widget);
        if (!control || !widget->isVisibleTo(view) || widget->minimumSizeHint().width() <= 0)
            continue;
        QVERIFY2(widget->width() >=
                     std::max(widget->minimumSizeHint().width(), widget->minimumWidth()),
                 qPrintable(widget->objectName()));
    }
    auto* scroll = window.findChild<QScrollArea*>(QStringLiteral("tabsScrollArea"));
    QTRY_VERIFY(scroll->widget()->width() >= scroll->widget()->minimumSizeHint().width());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

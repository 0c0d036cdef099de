// Watching a tracker's line from the window: the simulated tracker polls three ModBus
// sensors, and the window listens on its tap without writing a byte.
#include "app/maintabwidget.h"
#include "app/mainwindow.h"
#include "app/resources.h"
#include "log/linedatamodel.h"
#include "monitor/linemonitorpage.h"
#include "monitor/monitorlevelplot.h"
#include "port/portenumerator.h"
#include "support/countingserialport.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"
#include "trackerbus.h"

#include <QAction>
#include <QSettings>
#include <QTableView>
#include <QtTest>

namespace {

const int kModBusModel = 1; // ZT-32

quint64 writesOf(const QList<QPointer<CountingSerialPort>>& ports)
{
    quint64 writes = 0;
    for (const auto& port : ports)
        writes += port ? port->writes() : 0;
    return writes;
}

int figure(const MonitorFiguresModel* model, int row, int column)
{
    return model->data(model->index(row, column)).toString().section(':', 0, 0).toInt();
}

} // namespace

class LineMonitorWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void watchingSendsNothingAndPollingComesBack();

private:
    std::unique_ptr<LogCapture> log;
};

void LineMonitorWindowTest::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    initResources();
    log = std::make_unique<LogCapture>(false);
}

void LineMonitorWindowTest::watchingSendsNothingAndPollingComesBack()
{
    sim::LineOptions options;
    sim::SensorModel::byCode(QStringLiteral("ZT-32"), &options.model);
    options.addresses = {1, 2, 3};
    options.tracker.periodMs = 100;
    options.tracker.exceptionShare = 0.2;
    options.faults.noReply = 0.1;
    sim::TrackerBus bus(options);
    QVERIFY(bus.start());

    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("BusType"), kModBusModel);
    settings.setValue(QStringLiteral("SerialPort/UsedPort"), bus.tapPath());
    settings.setValue(QStringLiteral("SerialPort/AutoDetectPort"), false);
    FakePortEnumerator enumerator({bus.tapPath()});
    globalPortEnumerator = &enumerator;
    QList<QPointer<CountingSerialPort>> ports;
    SerialPortManager::Hooks hooks;
    hooks.makePort = [&ports](QObject* parent) {
        auto* port = new CountingSerialPort(parent);
        ports << port;
        return port;
    };
    MainWindow window(&enumerator, nullptr, hooks);
    auto* tabs = window.findChild<MainTabWidget*>(QStringLiteral("sensorTabWidget"));
    auto* watch = window.findChild<QAction*>(QStringLiteral("actionWatchLine"));
    QVERIFY(watch);
    QTRY_VERIFY(window.manager()->isStarted());

    watch->trigger();
    QVERIFY(watch->isChecked());
    QVERIFY(!window.manager()->isStarted());
    auto* page = window.findChild<LineMonitorPage*>();
    QVERIFY(page);
    QCOMPARE(tabs->currentWidget(), page);
    QCOMPARE(ports.size(), 2);
    const quint64 writesBefore = writesOf(ports);

    const MonitorFiguresModel* figures = page->figuresModel();
    QTRY_VERIFY_WITH_TIMEOUT(figures->rowCount() == 3 &&
                                 figure(figures, 2, MonitorFiguresModel::RequestsColumn) >= 10,
                             10000);
    // Not one byte from either port while the line was watched, and the watching port read.
    QCOMPARE(writesOf(ports), writesBefore);
    QCOMPARE(ports.last()->writes(), 0u);
    QVERIFY(ports.last()->bytesRead() > 0);

    int exceptions = 0;
    int timeouts = 0;
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(figure(figures, row, MonitorFiguresModel::AddressColumn), row + 1);
        exceptions += figure(figures, row, MonitorFiguresModel::ExceptionsColumn);
        timeouts += figure(figures, row, MonitorFiguresModel::TimeoutsColumn);
        QVERIFY(figures->data(figures->index(row, MonitorFiguresModel::LevelColumn))
                    .toString()
                    .endsWith('%'));
    }
    QVERIFY(exceptions > 0);
    QVERIFY(timeouts > 0);
    QCOMPARE(page->levelPlot()->curveCount(), 3);
    auto* lineData = qobject_cast<LineDataModel*>(
        window.findChild<QTableView*>(QStringLiteral("lineDataView"))->model());
    QVERIFY(lineData->rowCount() > 10);
    const QString response =
        lineData->data(lineData->index(lineData->rowCount() - 1, 2)).toString();
    QVERIFY2(response.contains(QStringLiteral("request")), qPrintable(response));

    // Leaving gives the line back to polling.
    watch->trigger();
    QVERIFY(!watch->isChecked());
    QVERIFY(window.manager()->isStarted());
    QTRY_VERIFY(!window.findChild<LineMonitorPage*>());
    QVERIFY(writesOf(ports) >= writesBefore);
    QTRY_VERIFY(writesOf(ports) > writesBefore);

    // The window may close while the line is watched.
    watch->trigger();
    QVERIFY(window.findChild<LineMonitorPage*>());
    globalPortEnumerator = nullptr;
}

QTEST_MAIN(LineMonitorWindowTest)
#include "tst_linemonitorwindow.moc"

// The port manager's search over lines where nobody answers: pseudo-terminals
// that open fine but stay silent.
#include "engine/basesensor.h"
#include "engine/serialsensor.h"
#include "port/serialport.h"
#include "session/serialportmanager.h"
#include "simline.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"
#include "support/simulatedline.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

const int kSweepMs = 60000;

// The far end of a line nobody answers on; what is sent there is read and dropped.
class SilentLine
{
public:
    SilentLine()
        : m_fd(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0)
            m_path = QString::fromLocal8Bit(ptsname(m_fd));
    }
    ~SilentLine()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    const QString& path() const { return m_path; }
    void drain() const
    {
        char buffer[256];
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
    }

private:
    int m_fd;
    QString m_path;
};

// Runs the engine until it has finished the given number of detection sweeps or
// the manager has left the port; the sweeps finished there, or -1 on time-out.
// Probes of empty addresses are timed out at once instead of after their reply
// window; everything else runs at the line's own pace.
int sweep(SerialPortManager& manager, int sweeps, const QList<SilentLine*>& silent = {})
{
    const QString port = manager.currentPort()->portName();
    SerialEngine* engine = manager.engine();
    QSignalSpy finished(engine, &SerialEngine::detectionSweepFinished);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kSweepMs) {
        const bool probing = engine->state() == SerialEngine::WaitingReply &&
                             engine->currentCommand().kind == EngineCommand::Plain;
        if (probing || engine->state() == SerialEngine::Synchronizing)
            engine->slotOnStateCheckTimeout();
        else
            QTest::qWait(1);
        if (manager.currentPort()->portName() != port || finished.size() >= sweeps)
            return finished.size();
        for (const SilentLine* line : silent)
            line->drain();
        QCoreApplication::processEvents();
    }
    return -1;
}

} // namespace

class TestPortSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init_data();
    void init();
    void lineBehindSilentPortsIsReachedWithinOneSweepOfEach_data();
    void lineBehindSilentPortsIsReachedWithinOneSweepOfEach();
    void aSingleSilentPortIsKeptAndSweptAgain_data();
    void aSingleSilentPortIsKeptAndSweptAgain();
};

void TestPortSearch::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    qRegisterMetaType<BaseSensor*>();
}

// Every protocol: the search must not depend on one engine's way of detecting.
void TestPortSearch::init_data()
{
    QTest::addColumn<int>("busType");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("addresses");
    QTest::newRow("Omnicomm") << 2 << QStringLiteral("ZT-33") << QList<int>{1, 3};
    QTest::newRow("ModBus") << 1 << QStringLiteral("ZT-32") << QList<int>{1, 3};
    QTest::newRow("TBus") << 0 << QStringLiteral("ZT-31") << QList<int>{10};
}

void TestPortSearch::lineBehindSilentPortsIsReachedWithinOneSweepOfEach_data()
{
    init_data();
}

void TestPortSearch::aSingleSilentPortIsKeptAndSweptAgain_data()
{
    init_data();
}

void TestPortSearch::init()
{
    QFETCH(int, busType);
    QSettings().clear();
    QSettings().setValue(QStringLiteral("BusType"), busType);
}

// Three silent lines list before the one with sensors, as a PC's own serial
// ports do before a USB adapter: the line is reached after at most one sweep of
// each silent port, or sooner, when a scout finds it first.
void TestPortSearch::lineBehindSilentPortsIsReachedWithinOneSweepOfEach()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, addresses);
    sim::SimLine sensors(SimulatedLine::options(model, addresses));
    QString error;
    QVERIFY2(sensors.start(&error), qPrintable(error));
    SilentLine silent[3];
    FakePortEnumerator enumerator(
        {silent[0].path(), silent[1].path(), silent[2].path(), sensors.portPath()});
    QTimer drain;
    QObject::connect(&drain, &QTimer::timeout, [&silent] {
        for (const SilentLine& line : silent)
            line.drain();
    });
    drain.start(100);

    LogCapture log(false);
    SerialPortManager manager(&enumerator);
    QCOMPARE(manager.currentPort()->portName(), silent[0].path());
    QMap<QString, int> sweepsOn;
    QObject::connect(manager.engine(), &SerialEngine::detectionSweepFinished, &manager,
                     [&] { ++sweepsOn[manager.currentPort()->portName()]; });
    QSignalSpy detected(&manager, &SerialPortManager::sensorDetected);
    while (detected.size() < addresses.size() && detected.wait(kSweepMs)) {
    }
    QCOMPARE(detected.size(), addresses.size());
    QCOMPARE(manager.currentPort()->portName(), sensors.portPath());
    for (const SilentLine& line : silent)
        QVERIFY2(sweepsOn.value(line.path()) <= 1, qPrintable(line.path()));

    // Two sweeps again, now with sensors on the line: the port stays.
    for (const QList<QVariant>& arguments : std::as_const(detected))
        SimulatedLine::holdPolls(qobject_cast<SerialSensor*>(arguments.at(0).value<BaseSensor*>()));
    log.clear();
    SerialEngine* engine = manager.engine();
    QCOMPARE(sweep(manager, 2), 2);
    QCoreApplication::processEvents();
    QCOMPARE(manager.engine(), engine);
    QCOMPARE(manager.currentPort()->portName(), sensors.portPath());
    QVERIFY(manager.currentPort()->isOpen());
    QCOMPARE(manager.engine()->sensors().size(), addresses.size());
    QVERIFY(!log.contains(QStringLiteral("No sensor answers")));
}

void TestPortSearch::aSingleSilentPortIsKeptAndSweptAgain()
{
    SilentLine silent;
    FakePortEnumerator enumerator({silent.path()});
    LogCapture log(false);
    SerialPortManager manager(&enumerator);
    const QString silentLine = QStringLiteral("No sensor answers on port %1").arg(silent.path());
    QCOMPARE(sweep(manager, 3, {&silent}), 3);
    // The first sweep is enough to say so, later ones come in pairs.
    QTRY_VERIFY(log.linesOf(Logger::PortStatus).count(silentLine) >= 2);
    QCOMPARE(manager.currentPort()->portName(), silent.path());
    QVERIFY(manager.currentPort()->isOpen());
    QVERIFY(!log.contains(QStringLiteral("Closing port")));
}

QTEST_MAIN(TestPortSearch)
#include "tst_portsearch.moc"

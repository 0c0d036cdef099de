#include "port/scriptedserialport.h"
#include "session/serialportmanager.h"
#include "support/childprocess.h"
#include "support/fakeportenumerator.h"
#include "support/fakeprotocol.h"
#include "support/logcapture.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

// A port that fails to open under the names a test lists, like an adapter that
// is gone, and remembers every name it was opened under.
class LinePort : public ScriptedSerialPort
{
public:
    using ScriptedSerialPort::ScriptedSerialPort;
    bool open() override
    {
        attempts.append(portName());
        failOpen = deadNames.contains(portName());
        return ScriptedSerialPort::open();
    }
    QStringList deadNames;
    QStringList attempts;
};

struct Rig
{
    explicit Rig(const QStringList& ports = {"A", "B", "C"}, const QStringList& dead = {})
        : enumerator(ports)
        , deadNames(dead)
    {}

    SerialPortManager& make()
    {
        SerialPortManager::Hooks hooks;
        // The manager makes its own port first; the others are its scouts'.
        hooks.makePort = [this](QObject* parent) {
            auto* made = new LinePort(parent);
            made->deadNames = deadNames;
            (port ? scoutPorts.append(made) : void(port = made));
            return made;
        };
        // Like the model table: rows 0 to 10 exist, nothing else.
        hooks.makeEngine = [this](unsigned index) -> SerialEngine* {
            if (index > 10)
                return nullptr;
            engines.append(new FakeEngine());
            return engines.last();
        };
        hooks.askBusType = [this] {
            ++questions;
            return answer;
        };
        manager = std::make_unique<SerialPortManager>(&enumerator, nullptr, hooks);
        return *manager;
    }

    FakeEngine* engine() const { return static_cast<FakeEngine*>(manager->engine()); }
    // The engine's quiet period ends and it sends its first probe.
    void engineSends() { engine()->slotOnStateCheckTimeout(); }
    void retry() { manager->slotOnPortListChanged(); }
    QStringList status() const { return log.linesOf(Logger::PortStatus); }

    LogCapture log;
    FakePortEnumerator enumerator;
    QStringList deadNames;
    LinePort* port = nullptr;
    QList<QPointer<LinePort>> scoutPorts;
    QList<QPointer<FakeEngine>> engines;
    int answer = 2;
    int questions = 0;
    std::unique_ptr<SerialPortManager> manager;
};

void store(const char* key, const QVariant& value)
{
    QSettings().setValue(QLatin1String(key), value);
}

QVariant stored(const char* key)
{
    return QSettings().value(QLatin1String(key));
}

void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSerialPortManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void modelIsAskedOnlyWithoutAValidStoredOne_data();
    void modelIsAskedOnlyWithoutAValidStoredOne();
    void refusingTheModelEndsTheProcessQuietly();
    void startupListsPortsAndOpensTheRememberedOrFirst();
    void firstStateFollowsPortAndDetection();
    void searchWalksThePortsAndWraps();
    void portErrorMovesTheSearchOnByOnePort();
    void searchGoesLastUsedThenAdaptersThenOthers_data();
    void searchGoesLastUsedThenAdaptersThenOthers();
    void silentPortIsLeftAfterOneSweep_data();
    void silentPortIsLeftAfterOneSweep();
    void portPluggedInWhileSearchingIsTriedAtOnce();
    void scoutsSweepThePortsAheadOfTheLine();
    void modelChangeStartsWhereItsSensorsAnswered();
    void lostLineIsWaitedForAndPolledAgain_data();
    void lostLineIsWaitedForAndPolledAgain();
    void searchOffIgnoresOtherPortsButFollowsItsOwn();
    void removingTheOpenPort();
    void modelSwitchReplacesTheEngineAndKeepsTheLine();
    void modelSwitchToAnUnknownModelKeepsTheEngine();
    void startStopAndBaudRate();
    void choicesAreRemembered();
    void manualPortChoice();
};

void TestSerialPortManager::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
}

void TestSerialPortManager::init()
{
    QSettings().clear();
}

void TestSerialPortManager::modelIsAskedOnlyWithoutAValidStoredOne_data()
{
    QTest::addColumn<QVariant>("storedType");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("model");
    QTest::newRow("absent") << QVariant() << true << 3;
    QTest::newRow("11") << QVariant(11) << true << 3;
    QTest::newRow("-1") << QVariant(-1) << true << 3;
    QTest::newRow("text") << QVariant(QStringLiteral("ZT-33")) << true << 3;
    QTest::newRow("0") << QVariant(0) << false << 0;
    QTest::newRow("10") << QVariant(10) << false << 10;
}

void TestSerialPortManager::modelIsAskedOnlyWithoutAValidStoredOne()
{
    QFETCH(QVariant, storedType);
    QFETCH(bool, asked);
    QFETCH(int, model);
    if (storedType.isValid())
        store("BusType", storedType);
    Rig rig;
    rig.answer = 3;
    rig.make();
    QCOMPARE(rig.questions, asked ? 1 : 0);
    QCOMPARE(rig.manager->busType(), model);
    QCOMPARE(stored("BusType").toInt(), model);
    QCOMPARE(rig.engines.size(), 1);
    QCOMPARE(rig.engine()->port(), rig.port);
}

void TestSerialPortManager::refusingTheModelEndsTheProcessQuietly()
{
    const ChildResult child = runSelf({QStringLiteral("--refuse-model")});
    QVERIFY(!child.crashed);
    QCOMPARE(child.exitCode, 0);
    QVERIFY2(!child.output.contains(QLatin1String("constructed")), qPrintable(child.output));
}

void TestSerialPortManager::startupListsPortsAndOpensTheRememberedOrFirst()
{
    store("BusType", 2);
    store("SerialPort/UsedPort", QStringLiteral("B"));
    {
        Rig rig;
        rig.make();
        QCOMPARE(rig.port->attempts, QStringList({"B"}));
        QCOMPARE(rig.status().mid(0, 5),
                 QStringList({"List of found COM port(s):", "\t1. Fake line (A)",
                              "\t2. Fake line (B)", "\t3. Fake line (C)", "Opened port B"}));
    }
    store("SerialPort/UsedPort", QStringLiteral("gone"));
    {
        Rig rig;
        rig.make();
        QCOMPARE(rig.port->attempts, QStringList({"A"}));
    }
    {
        Rig rig{QStringList()};
        rig.make();
        QCOMPARE(rig.status().first(), QStringLiteral("No COM ports found"));
        QVERIFY(rig.port->attempts.isEmpty());
        // Nothing to open yet: the search keeps looking.
        QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
        rig.retry();
        QVERIFY(rig.port->attempts.isEmpty());
        rig.enumerator.plug(QStringLiteral("D"));
        QCOMPARE(rig.port->attempts, QStringList({"D"}));
        QVERIFY(rig.port->isOpen());
    }
}

void TestSerialPortManager::firstStateFollowsPortAndDetection()
{
    store("BusType", 2);
    {
        Rig rig;
        rig.make();
        QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
        QVERIFY(rig.manager->isAutoDetectSensorsEnabled());
        QVERIFY(rig.manager->isStarted());
        // The first exchange on the line means the line is in use.
        rig.engineSends();
        QCOMPARE(rig.engine()->state(), SerialEngine::WaitingReply);
        QCOMPARE(rig.manager->state(), SerialPortManager::StateNormal);
    }
    store("SerialPort/AutoDetectAddress", false);
    {
        Rig rig;
        rig.make();
        QCOMPARE(rig.manager->state(), SerialPortManager::StateNormal);
        QVERIFY(!rig.engine()->isAutoDetectSensorsEnabled());
        QVERIFY(rig.status().contains(QStringLiteral("Auto detect disabled")));
    }
    store("SerialPort/AutoDetectPort", false);
    {
        Rig rig({"A"}, {"A"});
        rig.make();
        QCOMPARE(rig.manager->state(), SerialPortManager::StateInit);
    }
}

void TestSerialPortManager::searchWalksThePortsAndWraps()
{
    store("BusType", 2);
    Rig rig({"A", "B", "C"}, {"A", "B", "C"});
    rig.make();
    QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
    for (int tick = 0; tick < 3; ++tick)
        rig.retry();
    QCOMPARE(rig.port->attempts, QStringList({"A", "B", "C", "A"}));
    QVERIFY(rig.status().contains(QStringLiteral("Opening port C failed")));

    rig.port->deadNames = QStringList({"A", "C"});
    rig.retry();
    QCOMPARE(rig.port->portName(), QStringLiteral("B"));
    QVERIFY(rig.port->isOpen());
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);
    // An open port is left alone by later retries.
    rig.retry();
    QCOMPARE(rig.port->attempts.size(), 5);
    rig.engineSends();
    QCOMPARE(rig.manager->state(), SerialPortManager::StateNormal);
}

void TestSerialPortManager::portErrorMovesTheSearchOnByOnePort()
{
    store("BusType", 2);
    Rig rig;
    rig.make();
    rig.engineSends();
    rig.port->failReads = true;
    rig.port->feed("x");
    QCOMPARE(rig.port->attempts, QStringList({"A", "B"}));
    QVERIFY(rig.status().contains(QStringLiteral("Closing port A")));
    QVERIFY(rig.port->isOpen());
    QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);
}

void TestSerialPortManager::searchGoesLastUsedThenAdaptersThenOthers_data()
{
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QString>("lastUsed");
    QTest::addColumn<QStringList>("tried");
    const QStringList pc = {"ttyS0", "ttyS1", "/dev/ttyUSB3", "ttyS2", "ttyACM0", "usb-serial"};
    QTest::newRow("adapters first") << pc << QString()
                                    << QStringList({"/dev/ttyUSB3", "ttyACM0", "usb-serial",
                                                    "ttyS0", "ttyS1", "ttyS2", "/dev/ttyUSB3"});
    QTest::newRow("last used before them")
        << pc << QStringLiteral("ttyS1")
        << QStringList(
               {"ttyS1", "/dev/ttyUSB3", "ttyACM0", "usb-serial", "ttyS0", "ttyS2", "ttyS1"});
    QTest::newRow("no adapter: as listed")
        << QStringList({"B", "A", "C"}) << QStringLiteral("A") << QStringList({"A", "B", "C", "A"});
}

// Every port is dead, so each retry moves the search on by one port.
void TestSerialPortManager::searchGoesLastUsedThenAdaptersThenOthers()
{
    QFETCH(QStringList, ports);
    QFETCH(QString, lastUsed);
    QFETCH(QStringList, tried);
    store("BusType", 2);
    store("SerialPort/UsedPort", lastUsed);
    Rig rig(ports, ports);
    // An adapter known only by its USB vendor id.
    for (SerialPortInfo& info : rig.enumerator.ports)
        info.vendorID = info.portName == QLatin1String("usb-serial") ? 0x0403 : 0;
    rig.make();
    while (rig.port->attempts.size() < tried.size())
        rig.retry();
    QCOMPARE(rig.port->attempts, tried);
}

void TestSerialPortManager::silentPortIsLeftAfterOneSweep_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("secondVisit");
    QTest::addColumn<int>("sweeps");
    QTest::newRow("nothing decoded") << false << false << 1;
    QTest::newRow("something answered") << true << false << 2;
    QTest::newRow("silent, but swept before") << false << true << 2;
}

void TestSerialPortManager::silentPortIsLeftAfterOneSweep()
{
    QFETCH(bool, answered);
    QFETCH(bool, secondVisit);
    QFETCH(int, sweeps);
    store("BusType", 2);
    Rig rig({"A", "B"});
    rig.make();
    rig.engineSends();
    auto sweepEnds = [&rig] {
        emit rig.engine()->detectionSweepFinished();
        QCoreApplication::processEvents();
    };
    if (secondVisit) {
        sweepEnds();
        QCOMPARE(rig.port->portName(), QStringLiteral("B"));
        sweepEnds();
    }
    if (answered)
        rig.port->feed(rig.port->writes.last().bytes);
    for (int sweep = 1; sweep <= sweeps; ++sweep) {
        QCOMPARE(rig.port->portName(), QStringLiteral("A"));
        sweepEnds();
    }
    QCOMPARE(rig.port->portName(), QStringLiteral("B"));
}

void TestSerialPortManager::portPluggedInWhileSearchingIsTriedAtOnce()
{
    store("BusType", 2);
    Rig rig;
    rig.make();
    rig.engineSends();
    rig.enumerator.plug(QStringLiteral("D"));
    QCOMPARE(rig.port->attempts, QStringList({"A", "D"}));
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);

    // A line where sensors answer is not left for a new port.
    new FakeSensor(rig.engine(), 3);
    rig.enumerator.plug(QStringLiteral("E"));
    QCOMPARE(rig.port->attempts.size(), 2);
}

void TestSerialPortManager::scoutsSweepThePortsAheadOfTheLine()
{
    store("BusType", 2);
    Rig rig({"A", "B", "C", "D", "E", "F"});
    rig.make();
    rig.engineSends();
    QStringList scouted;
    for (const LinePort* port : std::as_const(rig.scoutPorts))
        scouted << port->portName();
    QCOMPARE(scouted, QStringList({"B", "C", "D", "E"}));
    FakeEngine* onB = rig.engines.at(1);
    FakeEngine* onE = rig.engines.at(4);

    // B stays silent for a whole sweep: its scout leaves, and the line skips it
    // when it leaves its own silent port; F gets a scout instead.
    emit onB->detectionSweepFinished();
    QCoreApplication::processEvents();
    QVERIFY(!rig.scoutPorts.at(0)->isOpen());
    emit rig.engine()->detectionSweepFinished();
    QCoreApplication::processEvents();
    QCOMPARE(rig.port->portName(), QStringLiteral("C"));
    QVERIFY(!rig.scoutPorts.at(1)->isOpen());
    rig.engineSends();
    QCOMPARE(rig.scoutPorts.last()->portName(), QStringLiteral("F"));

    // Sensors answer E's scout: the line moves there at once, the scouts stop.
    onE->slotOnStateCheckTimeout();
    rig.scoutPorts.at(3)->feed(rig.scoutPorts.at(3)->writes.last().bytes);
    QCoreApplication::processEvents();
    QCOMPARE(rig.port->portName(), QStringLiteral("E"));
    QVERIFY(rig.port->isOpen());
    QVERIFY(rig.status().contains(QStringLiteral("Sensors answer on port E")));
    for (const LinePort* port : std::as_const(rig.scoutPorts))
        QVERIFY(!port || !port->isOpen());
}

void TestSerialPortManager::modelChangeStartsWhereItsSensorsAnswered()
{
    store("BusType", 5);
    {
        Rig rig;
        rig.make();
        rig.manager->setPortDetection(false);
        rig.manager->setSerialPort(FakePortEnumerator::info(QStringLiteral("C")));
        rig.manager->setPortDetection(true);
        emit rig.engine()->sensorDetected(new FakeSensor(rig.engine(), 3));
    }
    store("BusType", 2);
    store("SerialPort/UsedPort", QStringLiteral("A"));
    Rig rig;
    rig.make();
    QCOMPARE(rig.port->attempts, QStringList({"A"}));
    rig.manager->setBusType(5);
    QCOMPARE(rig.port->attempts, QStringList({"A", "C"}));
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);

    // The next start goes straight to where the stored model answered.
    rig.manager.reset();
    store("SerialPort/UsedPort", QStringLiteral("A"));
    Rig again;
    again.make();
    QCOMPARE(again.port->attempts, QStringList({"C"}));
}

void TestSerialPortManager::lostLineIsWaitedForAndPolledAgain_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<bool>("unplugged");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("returnsAs");
    QTest::addColumn<bool>("announced");
    QTest::addColumn<int>("readError");
    const QString unplugged = QStringLiteral("the adapter was unplugged");
    const QString silent = QStringLiteral("the device stopped answering: scripted error 2");
    QTest::newRow("search off, read fails, retried")
        << false << false << silent << "A" << false << int(SerialPort::ReadError);
    QTest::newRow("search off, read finds the device gone")
        << false << false << unplugged << "A" << false << int(SerialPort::DeviceRemovedError);
    QTest::newRow("search off, unplugged, plugged in")
        << false << true << unplugged << "A" << true << int(SerialPort::ReadError);
    QTest::newRow("search on, read fails, plugged in")
        << true << false << silent << "A" << true << int(SerialPort::ReadError);
    QTest::newRow("search on, back under another name")
        << true << true << unplugged << "D" << true << int(SerialPort::ReadError);
}

// The line with sensors, or the port chosen by hand, fails: it is closed, said,
// waited for, and polled again when it is back.
void TestSerialPortManager::lostLineIsWaitedForAndPolledAgain()
{
    QFETCH(bool, search);
    QFETCH(bool, unplugged);
    QFETCH(QString, reason);
    QFETCH(QString, returnsAs);
    QFETCH(bool, announced);
    QFETCH(int, readError);
    store("BusType", 2);
    store("SerialPort/AutoDetectPort", search);
    Rig rig;
    rig.make();
    rig.engineSends();
    QPointer<FakeSensor> sensor = search ? new FakeSensor(rig.engine(), 3) : nullptr;
    if (sensor)
        emit rig.engine()->sensorDetected(sensor);
    QSignalSpy lost(rig.manager.get(), &SerialPortManager::lineLost);
    QSignalSpy restored(rig.manager.get(), &SerialPortManager::lineRestored);
    rig.port->deadNames = QStringList({"A"});
    if (unplugged) {
        rig.enumerator.unplug(QStringLiteral("A"));
    } else {
        rig.port->failReads = true;
        rig.port->readError = readError;
        rig.port->feed("x");
    }

    QVERIFY(!rig.port->isOpen());
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost.first().first().toString(),
             QStringLiteral("Line lost: A (%1); waiting for it to come back").arg(reason));
    QVERIFY(rig.manager->isStarted());
    for (int tick = 0; tick < 3; ++tick)
        rig.retry();
    // Only the lost port is tried, and its failing openings are not repeated in the log.
    QCOMPARE(rig.port->attempts, QStringList({"A", "A", "A", "A"}));
    QVERIFY(!rig.status().contains(QStringLiteral("Opening port A failed")));

    rig.port->deadNames.clear();
    rig.port->failReads = false;
    if (announced)
        rig.enumerator.plug(returnsAs);
    else
        rig.retry();
    QCOMPARE(rig.port->portName(), returnsAs);
    QVERIFY(rig.port->isOpen());
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);
    // Sensors must answer first; a line without them is back once it opens.
    QCOMPARE(restored.size(), search ? 0 : 1);
    rig.engineSends();
    rig.port->feed(rig.port->writes.last().bytes);
    QCOMPARE(restored.size(), 1);
    QCOMPARE(rig.engine()->sensors().size(), search ? 1 : 0);
    QCOMPARE(sensor.isNull(), !search);
}

void TestSerialPortManager::searchOffIgnoresOtherPortsButFollowsItsOwn()
{
    store("BusType", 2);
    store("SerialPort/AutoDetectPort", false);
    Rig rig({"A"}, {"A"});
    rig.make();
    QCOMPARE(rig.manager->state(), SerialPortManager::StateInit);
    QSignalSpy polling(rig.manager.get(), &SerialPortManager::pollStateChanged);

    rig.enumerator.plug(QStringLiteral("D"));
    QVERIFY(rig.status().contains(QStringLiteral("port D detected")));
    QCOMPARE(rig.port->attempts, QStringList({"A"}));
    QCOMPARE(rig.manager->state(), SerialPortManager::StateInit);

    rig.port->deadNames.clear();
    rig.enumerator.plug(QStringLiteral("A"));
    QCOMPARE(rig.port->attempts, QStringList({"A", "A"}));
    QVERIFY(rig.port->isOpen());
    QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
    QVERIFY(rig.manager->isStarted());
    QCOMPARE(polling.size(), 1);
    QCOMPARE(polling.last().at(0).toBool(), true);
    // The retry timer never moves a port chosen by hand.
    rig.port->close();
    rig.retry();
    QCOMPARE(rig.port->attempts.size(), 2);
}

void TestSerialPortManager::removingTheOpenPort()
{
    store("BusType", 2);
    store("SerialPort/AutoDetectPort", false);
    {
        Rig rig;
        rig.make();
        QSignalSpy polling(rig.manager.get(), &SerialPortManager::pollStateChanged);
        rig.log.clear();
        rig.enumerator.unplug(QStringLiteral("B"));
        QCOMPARE(rig.status(), QStringList({"port B removed"}));
        QVERIFY(rig.port->isOpen());

        rig.log.clear();
        rig.enumerator.unplug(QStringLiteral("A"));
        QCOMPARE(
            rig.status(),
            QStringList({"port A removed", "Closing port A",
                         "Line lost: A (the adapter was unplugged); waiting for it to come back"}));
        QVERIFY(polling.isEmpty());
    }
    store("SerialPort/AutoDetectPort", true);
    {
        Rig rig;
        rig.make();
        rig.log.clear();
        rig.enumerator.unplug(QStringLiteral("A"));
        QCOMPARE(rig.status(), QStringList({"port A removed", "Closing port A"}));
        QVERIFY(rig.manager->isStarted());
        rig.retry();
        QCOMPARE(rig.port->portName(), QStringLiteral("B"));
        QVERIFY(rig.port->isOpen());
    }
}

void TestSerialPortManager::modelSwitchReplacesTheEngineAndKeepsTheLine()
{
    store("BusType", 2);
    Rig rig;
    rig.make();
    rig.manager->setAutoDetectSensorsEnabled(false);
    QSignalSpy parameters(rig.manager.get(), &SerialPortManager::serialPortParametersChanged);
    QSignalSpy detected(rig.manager.get(), &SerialPortManager::sensorDetected);
    rig.log.clear();

    rig.manager->setBusType(2);
    QCOMPARE(rig.engines.size(), 1);
    QCOMPARE(parameters.size(), 0);
    QVERIFY(rig.log.lines.isEmpty());

    QPointer<FakeEngine> old = rig.engine();
    QPointer<FakeSensor> sensor = new FakeSensor(old, 7);
    rig.manager->setBusType(5);
    QCOMPARE(rig.manager->busType(), 5);
    QCOMPARE(stored("BusType").toInt(), 5);
    QCOMPARE(parameters.size(), 1);
    QCOMPARE(parameters.last().at(0).value<SerialPortSettings>().portName, QStringLiteral("A"));
    QVERIFY(rig.engine() != old);
    QCOMPARE(old->state(), SerialEngine::Terminating);
    QVERIFY(!rig.engine()->isAutoDetectSensorsEnabled());
    QCOMPARE(rig.engine()->port(), rig.port);
    QVERIFY(rig.port->isOpen());
    QCOMPARE(rig.port->attempts.size(), 1);

    // Until the event loop deletes it, the old engine reads nothing of the line.
    const int oldReads = old->repackCalls;
    rig.port->feed("zz");
    QCOMPARE(old->repackCalls, oldReads);
    QCOMPARE(rig.engine()->repackCalls, 1);
    deleteLaterNow();
    QVERIFY(old.isNull());
    QVERIFY(sensor.isNull());

    // The new engine drives the manager and reports its sensors through it.
    rig.manager->stop();
    rig.manager->start();
    new FakeSensor(rig.engine(), 3);
    emit rig.engine()->sensorDetected(rig.engine()->sensors().first());
    QCOMPARE(detected.size(), 1);
    rig.engineSends();
    rig.engineSends();
    QCOMPARE(rig.manager->state(), SerialPortManager::StateNormal);
}

void TestSerialPortManager::modelSwitchToAnUnknownModelKeepsTheEngine()
{
    store("BusType", 2);
    Rig rig;
    rig.make();
    FakeEngine* engine = rig.engine();
    rig.manager->setBusType(11);
    QCOMPARE(rig.manager->engine(), engine);
    QCOMPARE(rig.manager->busType(), 2);
    QCOMPARE(stored("BusType").toInt(), 2);
    QCOMPARE(engine->state(), SerialEngine::Synchronizing);

    // A switch while stopped leaves the line stopped.
    rig.manager->stop();
    rig.manager->setBusType(4);
    QVERIFY(!rig.manager->isStarted());
    QCOMPARE(rig.engine()->state(), SerialEngine::Stopped);
}

void TestSerialPortManager::startStopAndBaudRate()
{
    store("BusType", 2);
    Rig rig;
    rig.make();
    QSignalSpy polling(rig.manager.get(), &SerialPortManager::pollStateChanged);
    QSignalSpy parameters(rig.manager.get(), &SerialPortManager::serialPortParametersChanged);
    rig.log.clear();
    rig.manager->stop();
    QCOMPARE(rig.status(), QStringList({"Stopped", "Closing port A"}));
    QVERIFY(!rig.port->isOpen());
    QVERIFY(!rig.manager->isStarted());
    QCOMPARE(polling.last().at(0).toBool(), false);
    // A stop holds: the retry timer does not reopen the line behind the user.
    QVERIFY(!rig.manager->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly)->isActive());

    rig.manager->start();
    QCOMPARE(rig.status().mid(2, 1), QStringList({"Started"}));
    QVERIFY(rig.port->isOpen());
    QVERIFY(rig.manager->isStarted());
    QCOMPARE(polling.last().at(0).toBool(), true);

    parameters.clear();
    rig.manager->setPortBaudRate(BAUD9600);
    QCOMPARE(rig.port->settings().BaudRate, BAUD9600);
    QCOMPARE(parameters.size(), 1);
    QCOMPARE(parameters.last().at(0).value<SerialPortSettings>().settings.BaudRate, BAUD9600);
    rig.manager->setPortBaudRate(22);
    QCOMPARE(parameters.size(), 1);
    QCOMPARE(baudRateToString(22), QString());
    QCOMPARE(baudRateToString(12), QStringLiteral("9.6kbps"));
}

void TestSerialPortManager::choicesAreRemembered()
{
    store("BusType", 2);
    {
        Rig rig;
        rig.make();
        rig.manager->setAutoDetectSensorsEnabled(false);
        QCOMPARE(rig.status().last(), QStringLiteral("Auto detect disabled"));
        rig.manager->setPortDetection(false);
        rig.enumerator.unplug(QStringLiteral("A"));
        rig.manager->setPortDetection(true);
        rig.retry();
        QCOMPARE(rig.port->portName(), QStringLiteral("B"));
    }
    QCOMPARE(stored("SerialPort/UsedPort").toString(), QStringLiteral("B"));
    QCOMPARE(stored("SerialPort/AutoDetectPort").toBool(), true);
    QCOMPARE(stored("SerialPort/AutoDetectAddress").toBool(), false);
    Rig again;
    again.make();
    QCOMPARE(again.port->portName(), QStringLiteral("B"));
    QVERIFY(!again.manager->isAutoDetectSensorsEnabled());
}

void TestSerialPortManager::manualPortChoice()
{
    store("BusType", 2);
    store("SerialPort/AutoDetectPort", false);
    Rig rig;
    rig.make();
    QPointer<FakeSensor> sensor = new FakeSensor(rig.engine(), 1);
    rig.log.clear();

    // An emptied selection and the port already in use change nothing.
    rig.manager->setSerialPort(SerialPortInfo());
    rig.manager->setSerialPort(FakePortEnumerator::info(QStringLiteral("A")));
    QVERIFY(rig.log.lines.isEmpty());
    QCOMPARE(rig.engine()->sensors().size(), 1);

    rig.manager->setSerialPort(FakePortEnumerator::info(QStringLiteral("C")));
    QCOMPARE(rig.status(), QStringList({"Closing port A", "Opened port C"}));
    QVERIFY(rig.engine()->sensors().isEmpty());
    deleteLaterNow();
    QVERIFY(sensor.isNull());
    QCOMPARE(rig.manager->state(), SerialPortManager::StateDetecting);
    QCOMPARE(rig.engine()->state(), SerialEngine::Synchronizing);

    // While the search runs the port is not chosen by hand.
    rig.manager->setPortDetection(true);
    rig.manager->setSerialPort(FakePortEnumerator::info(QStringLiteral("B")));
    QCOMPARE(rig.port->portName(), QStringLiteral("C"));
}

namespace {

// Runs in a child process: the user closes the model question at first start.
int refuseModel(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    QSettings().clear();
    FakePortEnumerator enumerator({"A"});
    SerialPortManager::Hooks hooks;
    hooks.makePort = [](QObject* parent) {
        return new ScriptedSerialPort(parent);
    };
    hooks.askBusType = [] {
        return -1;
    };
    SerialPortManager manager(&enumerator, nullptr, hooks);
    std::puts("constructed");
    return 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--refuse-model") == 0)
        return refuseModel(argc, argv);
    QCoreApplication app(argc, argv);
    TestSerialPortManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serialportmanager.moc"

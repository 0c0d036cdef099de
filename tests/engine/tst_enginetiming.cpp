// When the engines speak: how long a probe waits for its answer, how much of the
// line the search for sensors takes as it goes on, and how long the wait for a
// quiet line may last. A ModBus line on the scripted port; timer handlers are
// called directly.
#include "engine/enginefactory.h"
#include "port/scriptedserialport.h"
#include "protocols/modbusengine.h"
#include "protocols/modbussensor.h"
#include "support/logcapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// A probe and its answer, 8 and 7 bytes, take 15.6 ms at 9600 baud.
const int kFirstSweepWindowMs = 16 + DetectionPace::InitialMarginMs;
// A probe sent from the idle step waits the idle interval.
const int kProtocolWindowMs = 50;

// Detection on, a sensor at each address given, past the quiet period.
struct Line
{
    explicit Line(const QList<int>& sensors = {})
    {
        for (int address : sensors)
            engine.addSensorAtAddress(address);
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(true);
        engine.resetStateMachine();
        tick();
    }
    ~Line() { engine.deinit(); }

    void tick() { engine.slotOnStateCheckTimeout(); }
    int window() const { return engine.stateCheckTimer()->interval(); }
    int lastAddress() const
    {
        return port.writes.isEmpty() ? -1 : quint8(port.writes.last().bytes.at(0));
    }
    bool lastWasProbe() const { return !engine.sensorByAddress(quint8(lastAddress())); }
    // Runs until the engine has finished another sweep, answering the polls of
    // the sensor at 1.
    void runSweep()
    {
        const int before = sweeps.count();
        while (sweeps.count() == before)
            step();
    }
    // One exchange: a poll of 1 is answered, a probe times out.
    void step()
    {
        if (engine.state() == SerialEngine::WaitingReply && !lastWasProbe()) {
            port.feed(hex("0103021388b512"));
            for (SerialSensor* sensor : engine.sensors())
                sensor->slotResetCoolDown();
        }
        tick();
    }

    LogCapture log{false};
    ScriptedSerialPort port;
    ModBusEngine engine;
    QSignalSpy sweeps{&engine, &SerialEngine::detectionSweepFinished};
};

} // namespace

class TestEngineTiming : public QObject
{
    Q_OBJECT

private slots:
    void firstSweepWaitsWhatTheLineNeeds();
    void lateAnswerWidensTheRestOfTheSweep();
    void searchGoesOnQuietlyAfterTheSweeps();
    void detectionSwitchedOnAgainSweepsFastAtOnce();
    void waitForQuietIsBounded_data();
    void waitForQuietIsBounded();
};

void TestEngineTiming::firstSweepWaitsWhatTheLineNeeds()
{
    Line line;
    QCOMPARE(line.lastAddress(), 1);
    QCOMPARE(line.window(), kFirstSweepWindowMs);
    line.runSweep();
    QCOMPARE(line.port.writes.size(), 248);
    // The next sweep gives a slow sensor the protocol's whole window.
    QCOMPARE(line.lastAddress(), 1);
    QCOMPARE(line.window(), kProtocolWindowMs);
    QCOMPARE(line.engine.detectionState(), 1);

    // A poll keeps its window in the first sweep too.
    Line polled({1});
    polled.step();
    QCOMPARE(polled.lastAddress(), 1);
    QCOMPARE(polled.window(), kProtocolWindowMs);
}

void TestEngineTiming::lateAnswerWidensTheRestOfTheSweep()
{
    Line line;
    line.tick();
    QCOMPARE(line.lastAddress(), 2);
    // Address 1 answers while 2 is being asked: it is asked again, and it and
    // the rest of the sweep get a wider window.
    line.port.feed(hex("0103021388b512"));
    QVERIFY(line.engine.sensors().isEmpty());
    line.tick();
    QCOMPARE(line.lastAddress(), 1);
    QCOMPARE(line.window(), kFirstSweepWindowMs + DetectionPace::InitialMarginMs);
    line.port.feed(hex("0103021388b512"));
    QCOMPARE(line.engine.sensors().size(), 1);
    QCOMPARE(int(line.engine.sensors().at(0)->address()), 1);
    line.tick(); // the new sensor's first poll
    line.tick();
    QCOMPARE(line.lastAddress(), 3);
    QCOMPARE(line.window(), kFirstSweepWindowMs + DetectionPace::InitialMarginMs);
}

void TestEngineTiming::searchGoesOnQuietlyAfterTheSweeps()
{
    Line line({1});
    line.runSweep();
    line.runSweep();
    QVERIFY(line.engine.isDetectionInBackground());
    QCOMPARE(line.engine.detectionState(), 2);
    QVERIFY(line.lastWasProbe());
    QCOMPARE(line.window(), kFirstSweepWindowMs);

    // Until the next probe is due, every exchange is a poll, and the progress bar
    // hears nothing more.
    QSignalSpy progress(&line.engine, &SerialEngine::detectionStateChanged);
    QElapsedTimer elapsed;
    elapsed.start();
    int polls = 0;
    do {
        line.step();
        polls += line.lastWasProbe() ? 0 : 1;
    } while (!line.lastWasProbe() && elapsed.elapsed() < 3000);
    QVERIFY(line.lastWasProbe());
    QVERIFY(elapsed.elapsed() >= DetectionPace::BackgroundIntervalMs - 1);
    QVERIFY(polls > 100);
    QCOMPARE(line.window(), kFirstSweepWindowMs);
    QVERIFY(progress.isEmpty());
}

void TestEngineTiming::detectionSwitchedOnAgainSweepsFastAtOnce()
{
    Line line({1});
    line.runSweep();
    line.runSweep();
    QVERIFY(line.engine.isDetectionInBackground());

    QSignalSpy progress(&line.engine, &SerialEngine::detectionStateChanged);
    line.engine.setAutoDetectSensorsEnabled(false);
    line.engine.setAutoDetectSensorsEnabled(true);
    QCOMPARE(progress.takeFirst().at(0).toInt(), 0);
    QVERIFY(!line.engine.isDetectionInBackground());
    // The exchange in flight ends; the next one is the sweep's first probe.
    line.step();
    QCOMPARE(line.lastAddress(), 2);
    QCOMPARE(line.window(), kFirstSweepWindowMs);
}

void TestEngineTiming::waitForQuietIsBounded_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("TBus") << 0;
    QTest::newRow("ModBus") << 1;
    QTest::newRow("Omnicomm") << 2;
}

// Bytes every 20 ms never leave the line quiet; the engine sends all the same,
// and says so once.
void TestEngineTiming::waitForQuietIsBounded()
{
    QFETCH(int, model);
    LogCapture log;
    ScriptedSerialPort port;
    std::unique_ptr<SerialEngine> engine(EngineFactory::createSerialEngine(unsigned(model)));
    engine->setPort(&port);
    engine->setAutoDetectSensorsEnabled(true);
    QSignalSpy noisy(engine.get(), &SerialEngine::lineNoisy);
    QTimer noise;
    QObject::connect(&noise, &QTimer::timeout, [&] { port.feed(hex("5a")); });
    noise.start(20);
    engine->resetStateMachine();
    port.feed(hex("5a"));
    QVERIFY(noisy.wait(5000));
    QVERIFY(!port.writes.isEmpty());
    QVERIFY(noisy.at(0).at(0).toULongLong() > 10);
    QVERIFY(noisy.at(0).at(1).toLongLong() >= QuietWait::LimitMs);
    QVERIFY(!noisy.wait(300));
    engine->deinit();
}

QTEST_MAIN(TestEngineTiming)
#include "tst_enginetiming.moc"

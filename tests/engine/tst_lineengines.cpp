// The line engines on the scripted port, timer handlers called directly: what
// they take for an answer to their request (not their own request handed back
// by an echoing line, not a late answer to an earlier one, not a frame of
// another address, function or length, not noise), the reading a sensor makes
// of its reply, how long a probe waits for
// its answer, how much of the line the search for sensors takes as it goes on,
// and how long the wait for a quiet line may last.
#include "engine/serialsensor.h"
#include "port/scriptedserialport.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "session/enginefactory.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

// Rows of the model table, one per protocol.
enum Model { TBus = 0, ModBus = 1, Omnicomm = 2 };
const CommandCallback::Result Ok = CommandCallback::Ok;
const CommandCallback::Result Timeout = CommandCallback::Timeout;

// Input in hexadecimal, the chunks as they arrive separated by spaces; the reply
// the command completes with, if it is Ok.
const struct
{
    const char* name;
    Model model;
    const char* request;
    int replyLength;
    const char* input;
    CommandCallback::Result result;
    const char* reply;
} kRows[] = {
    {"Omnicomm echo, then reply", Omnicomm, "3101066c", 9, "3101 066c3e0106190002102746", Ok,
     "3e0106190002102746"},
    {"Omnicomm other code", Omnicomm, "3101066c", 9, "3e01070098", Timeout, ""},
    {"Omnicomm noise, then reply", Omnicomm, "3101066c", 9, "003155 3e0106190002102746", Ok,
     "3e0106190002102746"},
    {"ModBus echo, then reply", ModBus, "010300000001840a", 7, "010300000001840a0103021388b512", Ok,
     "0103021388b512"},
    // The first seven bytes of this echo pass the check sum of a read reply.
    {"ModBus echo of 0x6b", ModBus, "6b03000000018d00", 7, "6b03000000018d00", Timeout, ""},
    {"ModBus other address", ModBus, "010300000001840a", 7, "0203021388f112", Timeout, ""},
    {"ModBus other function", ModBus, "010300000001840a", 7, "0104021388b466", Timeout, ""},
    {"ModBus other byte count", ModBus, "010300000001840a", 7, "010304138800007e9d", Timeout, ""},
    {"ModBus late answer of another, then reply", ModBus, "010300000001840a", 7,
     "0203021388f112 0103021388b512", Ok, "0103021388b512"},
    {"TBus echo, then reply", TBus, "8a", 4, "8a0a881391", Ok, "0a881391"},
    {"TBus other identifier", TBus, "8a", 4, "8a 0b881390", CommandCallback::Failed, ""},
};

std::unique_ptr<SerialEngine> startedEngine(ScriptedSerialPort* port, int model, bool detection)
{
    std::unique_ptr<SerialEngine> engine(EngineFactory::createSerialEngine(unsigned(model)));
    engine->setPort(port);
    engine->setAutoDetectSensorsEnabled(detection);
    engine->resetStateMachine();
    return engine;
}

// A probe and its answer, 8 and 7 bytes, take 15.6 ms at 9600 baud.
const int kFirstSweepWindowMs = 16 + DetectionPace::InitialMarginMs;
// A poll waits the protocol's whole reply window, a probe of a sweep after the
// first at least the idle interval.
const int kPollWindowMs = 100;
const int kLaterSweepWindowMs = 50;
const QByteArray kAnswerOf1 = QByteArray::fromHex("0103021388b512");

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
    int lastAddress() const { return quint8(port.writes.last().bytes.at(0)); }
    bool lastWasProbe() const { return !engine.sensorByAddress(quint8(lastAddress())); }
    // One exchange: a poll of 1 is answered, a probe times out.
    void step()
    {
        if (!lastWasProbe() && engine.state() == SerialEngine::WaitingReply) {
            port.feed(kAnswerOf1);
            engine.sensors().first()->slotResetCoolDown();
        }
        tick();
    }
    void runSweeps(int count)
    {
        for (const int end = sweeps.count() + count; sweeps.count() < end;)
            step();
    }

    LogCapture log{false};
    ScriptedSerialPort port;
    ModBusEngine engine;
    QSignalSpy sweeps{&engine, &SerialEngine::detectionSweepFinished};
};

} // namespace

class TestLineEngines : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheAnswerIsTaken_data();
    void onlyTheAnswerIsTaken();
    void readingIsTheReplys_data();
    void readingIsTheReplys();
    void probeWindowFollowsTheLine();
    void probeCutShortIsAskedAgainAtOnce_data();
    void probeCutShortIsAskedAgainAtOnce();
    void foundSensorIsNeverProbedAndItsLateReplyIsItsReading();
    void searchGoesOnQuietlyUntilSwitchedOnAgain();
    void waitForQuietIsBounded_data();
    void waitForQuietIsBounded();
};

void TestLineEngines::onlyTheAnswerIsTaken_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kRows)); ++row)
        QTest::newRow(kRows[row].name) << row;
}

// The state-check timer ends whatever wait is left once the input is in.
void TestLineEngines::onlyTheAnswerIsTaken()
{
    QFETCH(int, row);
    const auto& fit = kRows[row];
    LogCapture log;
    RecordingCallback callback;
    ScriptedSerialPort port;
    const std::unique_ptr<SerialEngine> engine = startedEngine(&port, fit.model, false);
    engine->slotOnStateCheckTimeout();

    EngineCommand command;
    const QByteArray request = QByteArray::fromHex(fit.request);
    std::copy(request.begin(), request.end(), command.request);
    command.requestLength = quint8(request.size());
    command.replyLength = quint8(fit.replyLength);
    command.callback = &callback;
    engine->request(command);
    for (const QByteArray& chunk : QByteArray(fit.input).split(' '))
        port.feed(QByteArray::fromHex(chunk));
    engine->slotOnStateCheckTimeout();

    QCOMPARE(callback.results, QList<CommandCallback::Result>{fit.result});
    const EngineCommand& answered = callback.lastCommand();
    if (fit.result == Ok)
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(answered.reply), answered.replyLength),
                 QByteArray::fromHex(fit.reply));
    engine->deinit();
}

void TestLineEngines::readingIsTheReplys_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("rawLevel");
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("frequencyTemperature");
    // Omnicomm scales by its data format, here not yet known: 512 of 1023.
    QTest::newRow("Omnicomm") << int(Omnicomm) << 1 << QByteArray::fromHex("3e0106190002102746")
                              << 512 << 50.05 << true;
    QTest::newRow("ModBus, hundredths") << int(ModBus) << 1 << kAnswerOf1 << 5000 << 50.0 << false;
    QTest::newRow("TBus, ten-thousandths")
        << int(TBus) << 10 << QByteArray::fromHex("0a881391") << 5000 << 50.0 << false;
}

// Every protocol's reading has its level in percent and bears the time the
// exchange ended, the time its statistics have, a failed one too.
void TestLineEngines::readingIsTheReplys()
{
    QFETCH(int, model);
    QFETCH(int, address);
    QFETCH(QByteArray, reply);
    QFETCH(int, rawLevel);
    QFETCH(double, level);
    QFETCH(bool, frequencyTemperature);
    LogCapture log(false);
    ScriptedSerialPort port;
    const std::unique_ptr<SerialEngine> engine = startedEngine(&port, model, false);
    engine->slotAddSensorFromDialog(address);
    SerialSensor* sensor = engine->sensorByAddress(quint8(address));
    sensor->invokeCoolDown(); // the test polls, not the engine
    engine->slotOnStateCheckTimeout();
    engine->slotOnStateCheckTimeout(); // Omnicomm's configuration request goes unanswered

    engine->request(sensor->pollLevel());
    engine->slotOnStateCheckTimeout(); // no reply
    const SensorReading failed = sensor->lastReading();
    QVERIFY(failed.failed() && !failed.answered());
    QVERIFY(failed.timeMs > 0);

    engine->slotOnStateCheckTimeout();
    engine->request(sensor->pollLevel());
    port.feed(port.writes.last().bytes + reply); // an echo does no harm
    engine->slotOnStateCheckTimeout();
    const SensorReading answered = sensor->lastReading();
    QCOMPARE(answered.error, SensorReading::NoError);
    QCOMPARE(answered.rawLevel, rawLevel);
    QVERIFY2(qAbs(answered.level - level) < 0.01, qPrintable(QString::number(answered.level)));
    QCOMPARE(answered.hasFrequencyTemperature, frequencyTemperature);
    QCOMPARE(answered.timeMs, sensor->lineStatistics().lastHeardMs);
    QVERIFY(answered.timeMs >= failed.timeMs);
    engine->deinit();
}

void TestLineEngines::probeWindowFollowsTheLine()
{
    Line line;
    QCOMPARE(line.window(), kFirstSweepWindowMs);
    line.tick();
    // Address 1 answers while 2 is being asked: it is asked again at once, and
    // it and the rest of the sweep get a wider window.
    line.port.feed(kAnswerOf1);
    line.tick();
    QCOMPARE(line.lastAddress(), 1);
    QCOMPARE(line.window(), kFirstSweepWindowMs + DetectionPace::InitialMarginMs);
    line.port.feed(kAnswerOf1);
    QCOMPARE(line.engine.sensors().size(), 1);
    line.tick(); // the new sensor's first poll, which keeps its window
    QCOMPARE(line.window(), kPollWindowMs);
    line.tick();
    QCOMPARE(line.lastAddress(), 3);
    QCOMPARE(line.window(), kFirstSweepWindowMs + DetectionPace::InitialMarginMs);

    // The next sweep gives a slow sensor a wider window.
    line.runSweeps(1);
    QVERIFY(line.lastWasProbe());
    QCOMPARE(line.window(), kLaterSweepWindowMs);
    QCOMPARE(line.engine.detectionState(), 1);
}

// Half an answer in the window, or a garbled one: the sensor is there, so it is
// asked again next, with a wider window, rather than left for the next sweep.
void TestLineEngines::probeCutShortIsAskedAgainAtOnce_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("cut short") << QByteArray::fromHex("010302");
    QTest::newRow("garbled") << QByteArray::fromHex("0103021388b513");
}

void TestLineEngines::probeCutShortIsAskedAgainAtOnce()
{
    QFETCH(QByteArray, answer);
    Line line;
    line.port.feed(answer);
    line.tick();
    QCOMPARE(line.lastAddress(), 1);
    QVERIFY(line.window() > kFirstSweepWindowMs);
    line.port.feed(kAnswerOf1);
    QCOMPARE(line.engine.sensors().size(), 1);
    QCOMPARE(int(line.engine.sensors().first()->address()), 1);
}

// Neither the sweeps after the first, nor those in the background, nor a
// search switched on again or a restarted line probe a sensor already found;
// its answer to a poll that had timed out is still its reading.
void TestLineEngines::foundSensorIsNeverProbedAndItsLateReplyIsItsReading()
{
    Line line({1});
    auto* sensor = qobject_cast<ModBusSensor*>(line.engine.sensors().first());
    // Held off polls, so every request to it would be a probe.
    sensor->setQueryInterval(3600000);
    sensor->invokeCoolDown();
    line.runSweeps(3);
    QVERIFY(line.engine.isDetectionInBackground());
    line.engine.setAutoDetectSensorsEnabled(false);
    line.engine.setAutoDetectSensorsEnabled(true);
    line.runSweeps(1);
    line.engine.resetStateMachine();
    line.tick();
    line.runSweeps(1);
    for (const ScriptedSerialPort::Write& write : line.port.writes)
        QVERIFY(quint8(write.bytes.at(0)) != 1);

    line.port.feed(kAnswerOf1);
    QCOMPARE(sensor->lastReading().error, SensorReading::NoError);
    QCOMPARE(sensor->lastReading().rawLevel, 5000);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QVERIFY(line.engine.inputBuffer().isEmpty());
    line.tick();
    QVERIFY(line.lastAddress() != 1);
}

void TestLineEngines::searchGoesOnQuietlyUntilSwitchedOnAgain()
{
    Line line({1});
    line.runSweeps(2);
    QVERIFY(line.engine.isDetectionInBackground());
    QCOMPARE(line.window(), kFirstSweepWindowMs);

    // Until the next probe is due every exchange is a poll, and the progress bar
    // hears nothing.
    QSignalSpy progress(&line.engine, &SerialEngine::detectionStateChanged);
    QElapsedTimer elapsed;
    elapsed.start();
    int polls = 0;
    do {
        line.step();
        polls += line.lastWasProbe() ? 0 : 1;
    } while (!line.lastWasProbe() && elapsed.elapsed() < 3000);
    QVERIFY(elapsed.elapsed() >= DetectionPace::BackgroundIntervalMs - 1);
    QVERIFY(polls > 100);
    QCOMPARE(line.window(), kFirstSweepWindowMs);
    QVERIFY(progress.isEmpty());

    line.engine.setAutoDetectSensorsEnabled(false);
    line.engine.setAutoDetectSensorsEnabled(true);
    QCOMPARE(progress.takeFirst().at(0).toInt(), 0);
    // The exchange in flight ends; the next one is a fast sweep's first probe.
    line.step();
    QCOMPARE(line.lastAddress(), 2);
    QCOMPARE(line.window(), kFirstSweepWindowMs);
}

void TestLineEngines::waitForQuietIsBounded_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("TBus") << 0;
    QTest::newRow("ModBus") << 1;
    QTest::newRow("Omnicomm") << 2;
}

// A byte every 20 ms never leaves the line quiet; the engine sends all the same,
// and says so once.
void TestLineEngines::waitForQuietIsBounded()
{
    QFETCH(int, model);
    LogCapture log;
    ScriptedSerialPort port;
    QTimer noise;
    QObject::connect(&noise, &QTimer::timeout, [&] { port.feed("Z"); });
    noise.start(20);
    const std::unique_ptr<SerialEngine> engine = startedEngine(&port, model, true);
    QSignalSpy noisy(engine.get(), &SerialEngine::lineNoisy);
    port.feed("Z");
    QVERIFY(noisy.wait(5000));
    QVERIFY(!port.writes.isEmpty());
    QVERIFY(noisy.at(0).at(0).toULongLong() > 10);
    QVERIFY(noisy.at(0).at(1).toLongLong() >= QuietWait::LimitMs);
    QVERIFY(!noisy.wait(300));

    // A byte every 20 ms is far below what makes a running line noisy: once that
    // has lasted a while, the line is said to be clean again.
    QSignalSpy clean(engine.get(), &SerialEngine::lineClean);
    auto* cleanTimer = engine->findChild<QTimer*>(QStringLiteral("cleanLineTimer"));
    QVERIFY(cleanTimer && cleanTimer->isActive());
    QCOMPARE(cleanTimer->interval(), SerialEngine::CleanLineMs);
    cleanTimer->start(10);
    QVERIFY(clean.wait(2000));
    QCOMPARE(noisy.size(), 1);
    engine->deinit();
}

QTEST_MAIN(TestLineEngines)
#include "tst_lineengines.moc"

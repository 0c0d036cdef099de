#include "engine/linedatamessage.h"
#include "port/scriptedserialport.h"
#include "support/fakeprotocol.h"
#include "support/logcapture.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// An engine on a scripted port, started and past its quiet period.
struct Rig
{
    explicit Rig(bool autoDetect = true)
    {
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(autoDetect);
        engine.resetStateMachine();
    }
    // Fires the state-check timer as if it had expired.
    void tick() { engine.slotOnStateCheckTimeout(); }
    QByteArray lastWrite() const
    {
        return port.writes.isEmpty() ? QByteArray() : port.writes.last().bytes;
    }
    void answer() { port.feed(lastWrite()); }

    LogCapture log;
    ScriptedSerialPort port;
    FakeEngine engine;
};

} // namespace

class TestSerialEngine : public QObject
{
    Q_OBJECT
private slots:
    void pollsAndProbesAlternate();
    void freshEngineProbesFirstUnlessDetectionIsOff();
    void idleWithNothingToDoRearmsTheIdleTimer();
    void coolingDownSensorsAreSkippedUntilTheirCoolDownEnds();
    void requestsWhileWaitingAreQueuedAndGetTheWholeWindow();
    void theNextRequestWaitsUntilTheLineIsQuiet();
    void repliesTimeOutsAndFailuresAreCompletedAndLogged();
    void statisticsCountTheSentExchangesOfEachSensor();
    void strayInputIsLoggedAndDiscarded();
    void removeSensorCancelsEveryoneAndKeepsAStoppedEngineStopped();
    void autoDetectOnDoesNotRestartAStoppedEngine();
    void deinitCompletesEverythingThenDeletesSensors();
    void portFailures();
    void everyCommandIsCompletedExactlyOnce();
};

void TestSerialEngine::pollsAndProbesAlternate()
{
    Rig rig;
    new FakeSensor(&rig.engine, 1);
    new FakeSensor(&rig.engine, 2);
    QString ops;
    for (int step = 0; step < 6; ++step) {
        rig.tick(); // quiet period, then each reply's cool-down, ends in Idle
        const QByteArray sent = rig.lastWrite();
        ops += sent.at(0) == char(FakeEngine::PollOp) ? QLatin1Char('P') : QLatin1Char('D');
        for (FakeSensor* s : {static_cast<FakeSensor*>(rig.engine.sensors().at(0)),
                              static_cast<FakeSensor*>(rig.engine.sensors().at(1))})
            s->slotResetCoolDown();
        rig.answer();
        QCOMPARE(rig.engine.state(), SerialEngine::ReplyCooldown);
    }
    QCOMPARE(ops, QStringLiteral("DPDPDP"));
    // Probes skip the addresses sensors already hold.
    for (const ScriptedSerialPort::Write& w : rig.port.writes) {
        if (w.bytes.at(0) == char(FakeEngine::ProbeOp))
            QVERIFY(w.bytes.at(1) != 1 && w.bytes.at(1) != 2);
    }
    // Round robin: the polls went to 1, 2, 1.
    QCOMPARE(rig.port.writes.at(1).bytes, bytes({0xA0, 1}));
    QCOMPARE(rig.port.writes.at(3).bytes, bytes({0xA0, 2}));
    QCOMPARE(rig.port.writes.at(5).bytes, bytes({0xA0, 1}));

    Rig quiet(false);
    new FakeSensor(&quiet.engine, 7);
    for (int step = 0; step < 3; ++step) {
        quiet.tick();
        static_cast<FakeSensor*>(quiet.engine.sensors().at(0))->slotResetCoolDown();
        quiet.answer();
        QVERIFY(!quiet.engine.isDetecting());
    }
    for (const ScriptedSerialPort::Write& w : quiet.port.writes)
        QCOMPARE(w.bytes, bytes({0xA0, 7}));
}

void TestSerialEngine::freshEngineProbesFirstUnlessDetectionIsOff()
{
    // Detection is off by default in the base, but a fresh engine still runs one
    // detection step on its first idle entry.
    ScriptedSerialPort port;
    FakeEngine fresh;
    fresh.setPort(&port);
    new FakeSensor(&fresh, 1);
    fresh.resetStateMachine();
    fresh.slotOnStateCheckTimeout();
    QCOMPARE(port.writes.size(), 1);
    QCOMPARE(port.writes.at(0).bytes.at(0), char(FakeEngine::ProbeOp));

    Rig off(false);
    new FakeSensor(&off.engine, 1);
    off.tick();
    QCOMPARE(off.lastWrite(), bytes({0xA0, 1}));
}

void TestSerialEngine::idleWithNothingToDoRearmsTheIdleTimer()
{
    Rig rig(false);
    QSignalSpy states(&rig.engine, &SerialEngine::stateChanged);
    rig.tick();
    rig.tick();
    QVERIFY(rig.port.writes.isEmpty());
    QCOMPARE(rig.engine.state(), SerialEngine::Idle);
    QVERIFY(rig.engine.stateCheckTimer()->isActive());
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 50);
    QCOMPARE(states.count(), 2);
}

void TestSerialEngine::coolingDownSensorsAreSkippedUntilTheirCoolDownEnds()
{
    Rig rig(false);
    auto* a = new FakeSensor(&rig.engine, 1);
    auto* b = new FakeSensor(&rig.engine, 2);
    a->setQueryInterval(60000);
    b->setQueryInterval(60000);
    rig.tick();
    QVERIFY(a->isCoolingDown());
    rig.answer();
    rig.tick();
    QVERIFY(b->isCoolingDown());
    rig.answer();
    rig.tick();
    rig.tick();
    QCOMPARE(rig.port.writes.size(), 2);
    QCOMPARE(rig.engine.state(), SerialEngine::Idle);

    // The cool-down ending while idle polls at once, without waiting for a tick.
    b->slotResetCoolDown();
    QCOMPARE(rig.port.writes.size(), 3);
    QCOMPARE(rig.lastWrite(), bytes({0xA0, 2}));

    // Ending while a reply is awaited only clears the flag.
    a->slotResetCoolDown();
    QCOMPARE(rig.port.writes.size(), 3);
    QVERIFY(!a->isCoolingDown());
    rig.answer();
    rig.tick();
    QCOMPARE(rig.lastWrite(), bytes({0xA0, 1}));
}

void TestSerialEngine::requestsWhileWaitingAreQueuedAndGetTheWholeWindow()
{
    Rig rig(false);
    rig.tick();
    RecordingCallback first, second;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &first));
    QCOMPARE(rig.engine.state(), SerialEngine::WaitingReply);
    // Sent by request() while idle: the full reply window.
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 100);

    rig.engine.request(rig.engine.makeCommand(0x11, 1, &second));
    QCOMPARE(rig.port.writes.size(), 1);
    QCOMPARE(rig.engine.queuedCommandCount(), 1);
    rig.answer();
    QCOMPARE(first.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QCOMPARE(rig.engine.state(), SerialEngine::ReplyCooldown);
    rig.tick();
    // Sent from the idle entry: the same window.
    QCOMPARE(rig.lastWrite(), bytes({0x11, 1}));
    QCOMPARE(rig.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 100);
}

void TestSerialEngine::theNextRequestWaitsUntilTheLineIsQuiet()
{
    Rig rig(false);
    FakeSensor sensor(&rig.engine, 1);
    rig.tick();
    const double gapMs = rig.engine.interFrameGapMs();
    const auto pollAfterReply = [&](int quietMs, const QByteArray& late) {
        rig.answer();
        QElapsedTimer sinceReply;
        sinceReply.start();
        sensor.slotResetCoolDown();
        if (!late.isEmpty()) {
            QTest::qSleep(quietMs);
            rig.port.feed(late);
            sinceReply.restart();
        }
        // Sent by the timer alone, once the line is free; a real event loop,
        // which does not sleep past a timer as qWait does.
        double sentAfterMs = -1;
        QEventLoop loop;
        QObject::connect(&rig.engine, &SerialEngine::stateChanged, &loop,
                         [&](SerialEngine::State state) {
                             if (state == SerialEngine::WaitingReply && sentAfterMs < 0) {
                                 sentAfterMs = sinceReply.nsecsElapsed() / 1e6;
                                 loop.quit();
                             }
                         });
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        return sentAfterMs;
    };
    // The gap, not the idle tick, and never less than the gap.
    QCOMPARE(rig.engine.state(), SerialEngine::WaitingReply);
    QVERIFY(pollAfterReply(0, {}) >= gapMs);
    // A byte that trails the reply counts the gap again from itself.
    const double lateMs = pollAfterReply(int(gapMs / 2), bytes({0x55}));
    QVERIFY2(lateMs >= gapMs, qPrintable(QString::number(lateMs)));
    // A line that never falls quiet holds the next request back no more than
    // twice the gap.
    rig.answer();
    sensor.slotResetCoolDown();
    QTest::qSleep(int(2 * gapMs) + 1);
    rig.port.feed(bytes({0x55}));
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 0);

    // After an error the pause holds, whatever comes in.
    rig.tick();
    RecordingCallback callback;
    rig.engine.request(rig.engine.makeCommand(0x10, 3, &callback));
    rig.port.feed(bytes({0xFF, 0x00}));
    QCOMPARE(rig.engine.state(), SerialEngine::Error);
    rig.port.feed(bytes({0x55}));
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 500);
    QCOMPARE(rig.engine.state(), SerialEngine::Error);
}

void TestSerialEngine::repliesTimeOutsAndFailuresAreCompletedAndLogged()
{
    Rig rig(false);
    rig.tick();
    RecordingCallback callback;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    rig.port.feed(bytes({0xEE}));
    QCOMPARE(callback.count(), 0);
    rig.port.feed(bytes({0x01}));
    QCOMPARE(callback.lastResult(), CommandCallback::CrcFail);
    QCOMPARE(callback.lastCommand().reply[0], 0xEE);
    QCOMPARE(int(callback.lastCommand().receivedLength), 2);

    rig.tick();
    rig.log.clear();
    rig.engine.request(rig.engine.makeCommand(0x10, 2, &callback));
    rig.tick();
    QCOMPARE(callback.lastResult(), CommandCallback::Timeout);
    QCOMPARE(rig.log.linesOf(Logger::LineData), QStringList{QStringLiteral("[10 02] Timeout")});
    QCOMPARE(rig.engine.state(), SerialEngine::Idle);

    // A malformed reply fails the command and flushes the queue.
    RecordingCallback queued;
    rig.engine.request(rig.engine.makeCommand(0x10, 3, &callback));
    rig.engine.request(rig.engine.makeCommand(0x10, 4, &queued));
    rig.port.feed(bytes({0xFF, 0x00}));
    QCOMPARE(callback.lastResult(), CommandCallback::Failed);
    QCOMPARE(queued.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QCOMPARE(rig.engine.state(), SerialEngine::Error);
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 500);
    QCOMPARE(callback.count(), 3);
}

void TestSerialEngine::statisticsCountTheSentExchangesOfEachSensor()
{
    Rig rig(false);
    FakeSensor first(&rig.engine, 1);
    FakeSensor second(&rig.engine, 2);
    for (FakeSensor* sensor : {&first, &second}) {
        sensor->setQueryInterval(3600 * 1000);
        sensor->invokeCoolDown();
    }
    rig.tick();
    RecordingCallback callback;
    const auto send = [&](int address, const QByteArray& reply) {
        rig.engine.request(rig.engine.makeCommand(0x10, quint8(address), &callback));
        if (reply.isEmpty())
            rig.tick();
        else
            rig.port.feed(reply);
        if (rig.engine.state() != SerialEngine::Idle)
            rig.tick();
    };
    send(1, bytes({0x10, 1}));
    send(1, bytes({0xEE, 1}));
    send(1, QByteArray());
    send(3, bytes({0x10, 3})); // no sensor there: counted for nobody
    // A malformed reply fails the command in flight; the queued one is never sent.
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    rig.port.feed(bytes({0xFF, 0x00}));

    const LineStatistics& statistics = first.lineStatistics();
    QCOMPARE(statistics.exchanges, 4u);
    QCOMPARE(statistics.successes, 1u);
    QCOMPARE(statistics.checksumFailures, 1u);
    QCOMPARE(statistics.timeouts, 1u);
    QCOMPARE(statistics.otherFailures, 1u);
    QVERIFY(statistics.lastHeardMs > QDateTime::currentMSecsSinceEpoch() - 60000);
    QCOMPARE(statistics.maxReplyMs(), statistics.meanReplyMs());
    QCOMPARE(second.lineStatistics().exchanges, 0u);
    first.resetLineStatistics();
    QCOMPARE(first.lineStatistics().exchanges, 0u);
    QCOMPARE(first.lineStatistics().lastHeardMs, 0);
    rig.engine.deinit();
}

void TestSerialEngine::strayInputIsLoggedAndDiscarded()
{
    Rig rig(false);
    rig.tick();
    QList<EngineCommand> records;
    QObject::connect(rig.log.logger(), qOverload<const LogMessage&>(&Logger::newMessage),
                     [&records](const LogMessage& message) {
                         if (message.section() == Logger::LineData)
                             records.append(static_cast<const LineDataMessage&>(message).command);
                     });
    QByteArray forty;
    for (int i = 0; i < 40; ++i)
        forty.append(char(i));
    rig.port.feed(forty);
    QCOMPARE(rig.engine.inputBuffer().size(), 40);
    rig.tick();
    QCOMPARE(records.size(), 1);
    QCOMPARE(int(records.at(0).replyLength), 32);
    QCOMPARE(int(records.at(0).requestLength), 0);
    QCOMPARE(records.at(0).reply[31], 31);
    QVERIFY(rig.engine.inputBuffer().isEmpty());
    QVERIFY(rig.log.linesOf(Logger::LineData).contains(QStringLiteral("[] Stray")));

    // A few bytes in the cool-down wait for the next send, then go as stray.
    RecordingCallback callback;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    rig.answer();
    rig.port.feed(bytes({0x55, 0x56}));
    QCOMPARE(rig.engine.inputBuffer().size(), 2);
    records.clear();
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    rig.tick();
    QCOMPARE(records.size(), 1);
    QCOMPARE(int(records.at(0).replyLength), 2);

    // A line that chatters while stopped cannot grow the buffer without bound.
    rig.engine.setState(SerialEngine::Stopped);
    for (int i = 0; i < 100; ++i)
        rig.port.feed(forty);
    QVERIFY(rig.engine.inputBuffer().size() <= 1024);
}

void TestSerialEngine::removeSensorCancelsEveryoneAndKeepsAStoppedEngineStopped()
{
    Rig rig(false);
    auto* a = new FakeSensor(&rig.engine, 1);
    std::unique_ptr<FakeSensor> b(new FakeSensor(&rig.engine, 2));
    rig.tick();
    RecordingCallback other;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &other));
    rig.engine.request(rig.engine.makeCommand(0x10, 2, &other));
    QSignalSpy detection(&rig.engine, &SerialEngine::detectionStateChanged);
    b->deinit();
    QCOMPARE(a->pollCallback.results, QList<CommandCallback::Result>{CommandCallback::Failed});
    QCOMPARE(other.results, (QList<CommandCallback::Result>{CommandCallback::Canceled,
                                                            CommandCallback::Canceled}));
    QCOMPARE(rig.engine.sensors().size(), 1);
    QCOMPARE(detection.count(), 1);
    QCOMPARE(detection.at(0).at(0).toInt(), 0);
    // The engine went back to work: the remaining sensor is polled again.
    a->slotResetCoolDown();
    QCOMPARE(rig.lastWrite(), bytes({0xA0, 1}));

    rig.engine.setState(SerialEngine::Stopped);
    const int written = rig.port.writes.size();
    a->deinit();
    QCOMPARE(rig.engine.state(), SerialEngine::Stopped);
    QCOMPARE(rig.port.writes.size(), written);
    delete a;
}

void TestSerialEngine::autoDetectOnDoesNotRestartAStoppedEngine()
{
    Rig rig(false);
    rig.engine.setState(SerialEngine::Stopped);
    rig.engine.setAutoDetectSensorsEnabled(true);
    QCOMPARE(rig.engine.state(), SerialEngine::Stopped);
    QVERIFY(!rig.engine.stateCheckTimer()->isActive());

    Rig running(false);
    running.tick();
    const int locks = running.engine.portLockCalls;
    running.engine.setAutoDetectSensorsEnabled(true);
    QCOMPARE(running.engine.state(), SerialEngine::Synchronizing);
    QCOMPARE(running.engine.portLockCalls, locks + 1);
    QCOMPARE(running.port.settings().FlowControl, FLOW_OFF);
}

void TestSerialEngine::deinitCompletesEverythingThenDeletesSensors()
{
    Rig rig(false);
    QPointer<FakeSensor> sensor = new FakeSensor(&rig.engine, 1);
    rig.tick();
    RecordingCallback queued;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &queued));
    QList<SerialEngine::State> statesAtCallback;
    QObject::connect(&rig.engine, &SerialEngine::stateChanged,
                     [&](SerialEngine::State s) { statesAtCallback.append(s); });
    rig.engine.deinit();
    QCOMPARE(sensor->pollCallback.results,
             QList<CommandCallback::Result>{CommandCallback::Canceled});
    QCOMPARE(queued.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QCOMPARE(rig.engine.state(), SerialEngine::Terminating);
    QVERIFY(!rig.engine.stateCheckTimer()->isActive());
    QVERIFY(rig.engine.sensors().isEmpty());

    // Asking a dismantled engine is answered at once and sends nothing.
    const int written = rig.port.writes.size();
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &queued));
    QCOMPARE(queued.results.last(), CommandCallback::Canceled);
    QCOMPARE(rig.port.writes.size(), written);
    rig.tick();
    QCOMPARE(rig.port.writes.size(), written);

    QVERIFY(sensor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!sensor);
}

void TestSerialEngine::portFailures()
{
    Rig rig(false);
    rig.tick();
    RecordingCallback callback;
    rig.port.failWrites = true;
    rig.engine.request(rig.engine.makeCommand(0x10, 1, &callback));
    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Failed});
    QCOMPARE(rig.engine.state(), SerialEngine::PortError);
    QVERIFY(rig.log.linesOf(Logger::Error).contains(QStringLiteral("Port write failure")));
    QVERIFY(rig.log.linesOf(Logger::LineData).contains(QStringLiteral("[10 01] Failed")));

    // A read time-out is not a failure; any other read error is.
    rig.port.failWrites = false;
    rig.engine.resetStateMachine();
    rig.tick();
    rig.engine.request(rig.engine.makeCommand(0x10, 2, &callback));
    rig.port.failReads = true;
    rig.port.readError = SerialPort::TimeoutError;
    rig.engine.slotOnReadyRead();
    QCOMPARE(rig.engine.state(), SerialEngine::WaitingReply);
    rig.port.readError = SerialPort::DeviceRemovedError;
    rig.engine.slotOnReadyRead();
    QCOMPARE(rig.engine.state(), SerialEngine::PortError);
    rig.tick();
    QCOMPARE(rig.engine.state(), SerialEngine::PortError);
    QCOMPARE(rig.engine.stateCheckTimer()->interval(), 500);
    QCOMPARE(callback.count(), 1);

    // After a reset the command left in flight is failed before anything new goes out.
    rig.port.failReads = false;
    rig.engine.resetStateMachine();
    RecordingCallback next;
    rig.engine.request(rig.engine.makeCommand(0x10, 3, &next));
    rig.tick();
    QCOMPARE(callback.results.last(), CommandCallback::Failed);
    QCOMPARE(callback.count(), 2);
    QCOMPARE(rig.lastWrite(), bytes({0x10, 3}));
}

void TestSerialEngine::everyCommandIsCompletedExactlyOnce()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    Rig rig(true);
    QList<FakeSensor*> sensors;
    int handedOver = 0;
    int pollsMade = 0;
    int pollsCompleted = 0;
    RecordingCallback callback;
    for (int step = 0; step < 20000; ++step) {
        switch (random.bounded(10)) {
        case 0:
        case 1: {
            EngineCommand command = rig.engine.makeCommand(0x10, uint8_t(step), &callback);
            ++handedOver;
            rig.engine.request(command);
            break;
        }
        case 2:
            rig.answer();
            break;
        case 3: {
            QByteArray noise;
            for (int i = random.bounded(1, 6); i > 0; --i)
                noise.append(char(random.bounded(256)));
            rig.port.feed(noise);
            break;
        }
        case 4:
        case 5:
            rig.tick();
            break;
        case 6:
            if (sensors.size() < 4)
                sensors.append(new FakeSensor(&rig.engine, uint8_t(random.bounded(4))));
            else
                sensors.at(random.bounded(sensors.size()))->slotResetCoolDown();
            break;
        case 7:
            if (!sensors.isEmpty() && random.bounded(4) == 0) {
                FakeSensor* gone = sensors.takeAt(random.bounded(sensors.size()));
                gone->deinit();
                pollsMade += gone->pollsMade;
                pollsCompleted += gone->pollCallback.count();
                delete gone;
            }
            break;
        case 8:
            if (random.bounded(8) == 0)
                rig.engine.setState(SerialEngine::Stopped);
            else if (random.bounded(8) == 0)
                rig.engine.resetStateMachine();
            break;
        case 9:
            rig.port.failReads = random.bounded(20) == 0;
            rig.port.failWrites = random.bounded(20) == 0;
            break;
        }
    }
    rig.engine.deinit();
    // The polls and probes the engine made itself must have been answered too.
    for (FakeSensor* sensor : sensors) {
        pollsMade += sensor->pollsMade;
        pollsCompleted += sensor->pollCallback.count();
    }
    const QString context = QStringLiteral("seed %1").arg(seed);
    QVERIFY2(callback.count() == handedOver, qPrintable(context));
    QVERIFY2(pollsCompleted == pollsMade && pollsMade > 0, qPrintable(context));
    QVERIFY2(rig.engine.detectionCallback.count() == rig.engine.probesMade, qPrintable(context));
    QVERIFY(!rig.engine.hasCommandInFlight());
    QCOMPARE(rig.engine.queuedCommandCount(), 0);
    qDeleteAll(sensors);
}

QTEST_MAIN(TestSerialEngine)
#include "tst_serialengine.moc"

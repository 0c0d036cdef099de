#include "engine/finetimer.h"
#include "port/scriptedserialport.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray requestBytes(const EngineCommand& command)
{
    return QByteArray(reinterpret_cast<const char*>(command.request), command.requestLength);
}

QByteArray replyBytes(const EngineCommand& command)
{
    return QByteArray(reinterpret_cast<const char*>(command.reply), command.replyLength);
}

EngineCommand withReply(EngineCommand command, const QByteArray& reply)
{
    std::copy(reply.begin(), reply.end(), command.reply);
    command.receivedLength = quint8(reply.size());
    return command;
}

// Opens the protected steps that the serial engine normally drives.
class ProbeableModBusEngine : public ModBusEngine
{
public:
    using ModBusEngine::detectNext;
};

// An engine on a scripted port, past synchronizing and idle, without detection
// unless a test turns it on.
struct Line
{
    // Before the engine: dismantling it completes whatever is still in flight.
    RecordingCallback callback;
    RecordingCallback queued;
    ScriptedSerialPort port;
    ProbeableModBusEngine engine;

    Line()
    {
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(false);
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
    }

    ~Line() { engine.deinit(); }

    ModBusSensor* sensorAt(int address)
    {
        return static_cast<ModBusSensor*>(engine.addSensorAtAddress(address));
    }

    EngineCommand sendPoll(unsigned char address, RecordingCallback* callback)
    {
        EngineCommand poll = engine.levelPollCommand(address);
        poll.callback = callback;
        port.writes.clear();
        engine.request(poll);
        return poll;
    }
};

} // namespace

Q_DECLARE_METATYPE(EngineCommand)

class TestModBusEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void frames_data();
    void frames();
    void addressChangeLimits();
    void portLocksAndIntervals();
    void levelReplyStoresLevelAndNote();
    void levelConversion_data();
    void levelConversion();
    void failedReadingInvalidates();
    void replySplitOverReads();
    void frameGapIsThreeAndAHalfCharacters_data();
    void frameGapIsThreeAndAHalfCharacters();
    void nextRequestLeavesWhenTheGapEnds_data() { frameGapIsThreeAndAHalfCharacters_data(); }
    void nextRequestLeavesWhenTheGapEnds();
    void trailingBytesStayBuffered();
    void crcFailure();
    void exceptionReply_data();
    void exceptionReply();
    void synchronizingWaitsForSilence();
    void detectionCycle();
    void detectionStopsWhenEveryAddressIsTaken();
    void detectionProbeCreatesSensor();
    void addressChange();
    void addSensorDialog();
};

void TestModBusEngine::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestModBusEngine::frames_data()
{
    QTest::addColumn<EngineCommand>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("replyLength");
    QTest::addColumn<int>("kind");

    ModBusEngine engine;
    ModBusSensor sensor(&engine);
    sensor.setAddress(1);
    QTest::newRow("level read of 1") << engine.levelPollCommand(1) << hex("010300000001840A") << 7
                                     << int(EngineCommand::LevelPoll);
    QTest::newRow("level read of 247") << engine.levelPollCommand(247) << hex("F7030000000190 9C")
                                       << 7 << int(EngineCommand::LevelPoll);
    QTest::newRow("address 1 to 5") << engine.createAddressChangeRequest(&sensor, 5)
                                    << hex("0106000100051809") << 8 << int(EngineCommand::Service);
    QTest::newRow("address 1 to 254")
        << engine.createAddressChangeRequest(&sensor, 254) << hex("01060001 00FE598A") << 8
        << int(EngineCommand::Service);
    const unsigned char data[] = {0x00, 0x00, 0x00, 0x01};
    const EngineCommand generic =
        engine.createCommand(2, ModBusEngine::ReadHoldingRegisters, data, 4, 3);
    QTest::newRow("generic read of 2")
        << generic << hex("0203000000018439") << 7 << int(EngineCommand::None);
}

void TestModBusEngine::frames()
{
    QFETCH(EngineCommand, command);
    const QByteArray actual = requestBytes(command);
    QFETCH(QByteArray, expected);
    QFETCH(int, replyLength);
    QFETCH(int, kind);
    QCOMPARE(actual.toHex(' '), expected.toHex(' '));
    QCOMPARE(int(command.replyLength), replyLength);
    QCOMPARE(int(command.kind), kind);
    QVERIFY(!command.callback);
}

void TestModBusEngine::addressChangeLimits()
{
    ModBusEngine engine;
    ModBusSensor sensor(&engine);
    sensor.setAddress(3);
    const EngineCommand tooHigh = engine.createAddressChangeRequest(&sensor, 255);
    QCOMPARE(int(tooHigh.requestLength), 0);
    QCOMPARE(int(tooHigh.replyLength), 0);
    QCOMPARE(int(tooHigh.kind), int(EngineCommand::None));
    QVERIFY(!tooHigh.callback);
    QCOMPARE(int(engine.createAddressChangeRequest(&sensor, 0xFFFF).requestLength), 0);
    const EngineCommand top = engine.createAddressChangeRequest(&sensor, 254);
    QCOMPARE(int(top.requestLength), 8);
    QCOMPARE(int(top.request[0]), 3);
    QCOMPARE(int(top.request[5]), 254);
    QVERIFY(!top.callback);
}

void TestModBusEngine::portLocksAndIntervals()
{
    Line line;
    QCOMPARE(line.port.settings().BaudRate, BAUD9600);
    QCOMPARE(line.port.settings().StopBits, STOP_1);
    QCOMPARE(line.port.settings().Parity, PAR_NONE);
    QCOMPARE(line.port.settings().FlowControl, FLOW_OFF);
    QCOMPARE(line.engine.stateCheckTimeoutInterval(SerialEngine::Synchronizing), 10);
    QCOMPARE(line.engine.stateCheckTimeoutInterval(SerialEngine::Idle), 50);
    QCOMPARE(line.engine.stateCheckTimeoutInterval(SerialEngine::WaitingReply), 100);
    QCOMPARE(line.engine.stateCheckTimeoutInterval(SerialEngine::Error), 500);
}

void TestModBusEngine::levelReplyStoresLevelAndNote()
{
    LogCapture log;
    Line line;
    ModBusSensor* sensor = line.sensorAt(1);
    QSignalSpy updated(sensor, &BaseSensor::updated);

    // The idle step polls the one sensor and starts its cool-down.
    line.port.writes.clear();
    line.engine.setState(SerialEngine::Idle);
    QCOMPARE(line.port.writtenBytes(), hex("010300000001840A"));
    QVERIFY(sensor->isCoolingDown());
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);

    line.port.feed(hex("0103021388B512"));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QCOMPARE(updated.count(), 1);
    QVERIFY(sensor->intParameter(ModBusSensor::RawLevelIndex)->isValid());
    QCOMPARE(sensor->intParameter(ModBusSensor::RawLevelIndex)->value(), 5000);
    QCOMPARE(sensor->floatParameter(ModBusSensor::LevelIndex)->value(), 50.0f);
    QVERIFY(log.contains(
        QStringLiteral("[01 03 00 00 00 01 84 0A] [01 03 02 13 88 B5 12] rawlvl=5000, lvl=50")));
    QVERIFY(line.engine.inputBuffer().isEmpty());
}

void TestModBusEngine::levelConversion_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("raw");
    QTest::addColumn<float>("level");
    QTest::addColumn<QString>("note");

    QTest::newRow("empty") << hex("0000") << 0 << 0.0f << "rawlvl=0, lvl=0";
    QTest::newRow("full") << hex("2710") << 10000 << 100.0f << "rawlvl=10000, lvl=100";
    QTest::newRow("fraction") << hex("04D3") << 1235 << 12.35f << "rawlvl=1235, lvl=12.35";
    QTest::newRow("not clamped") << hex("FFFF") << 65535 << 655.35f << "rawlvl=65535, lvl=655.35";
}

void TestModBusEngine::levelConversion()
{
    QFETCH(QByteArray, value);
    QFETCH(int, raw);
    QFETCH(float, level);
    QFETCH(QString, note);

    LogCapture log;
    ModBusEngine engine;
    ModBusSensor sensor(&engine);
    sensor.levelPollCallback(CommandCallback::Ok,
                             withReply(engine.levelPollCommand(1), hex("010302") + value));
    QCOMPARE(sensor.intParameter(ModBusSensor::RawLevelIndex)->value(), raw);
    QCOMPARE(sensor.floatParameter(ModBusSensor::LevelIndex)->value(), level);
    QVERIFY(sensor.floatParameter(ModBusSensor::LevelIndex)->isValid());
    QVERIFY(log.linesOf(Logger::Sensor).last().endsWith(QStringLiteral("] ") + note));
}

void TestModBusEngine::failedReadingInvalidates()
{
    LogCapture log;
    Line line;
    ModBusSensor* sensor = line.sensorAt(1);
    sensor->levelPollCallback(CommandCallback::Ok,
                              withReply(line.engine.levelPollCommand(1), hex("0103021388B512")));
    QSignalSpy updated(sensor, &BaseSensor::updated);

    line.engine.setState(SerialEngine::Idle);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    line.engine.slotOnStateCheckTimeout();

    QCOMPARE(updated.count(), 1);
    QVERIFY(!sensor->intParameter(ModBusSensor::RawLevelIndex)->isValid());
    QVERIFY(!sensor->floatParameter(ModBusSensor::LevelIndex)->isValid());
    const QString timeoutText = callbackResultToString(CommandCallback::Timeout);
    QVERIFY(log.linesOf(Logger::Sensor).last().endsWith(QStringLiteral("] ") + timeoutText));
}

void TestModBusEngine::replySplitOverReads()
{
    Line line;
    line.sendPoll(1, &line.callback);
    QCOMPARE(line.port.writtenBytes(), hex("010300000001840A"));

    line.port.feed(hex("01030213"));
    QCOMPARE(line.callback.count(), 0);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(line.engine.inputBuffer().size(), 4);

    line.port.feed(hex("88B512"));
    QCOMPARE(line.callback.count(), 1);
    QCOMPARE(line.callback.lastResult(), CommandCallback::Ok);
    QCOMPARE(replyBytes(line.callback.lastCommand()), hex("0103021388B512"));
    QCOMPARE(int(line.callback.lastCommand().receivedLength), 7);
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);

    // Cool-down over, nothing queued and no sensor: the engine idles quietly.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.engine.state(), SerialEngine::Idle);
    QCOMPARE(line.callback.count(), 1);
}

void TestModBusEngine::frameGapIsThreeAndAHalfCharacters_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::addColumn<double>("gapMs");
    QTest::newRow("9600 8N1") << int(BAUD9600) << int(PAR_NONE) << 3.5 * 10 / 9.6;
    QTest::newRow("9600 8E1") << int(BAUD9600) << int(PAR_EVEN) << 3.5 * 11 / 9.6;
    QTest::newRow("19200 8N1") << int(BAUD19200) << int(PAR_NONE) << 3.5 * 10 / 19.2;
    QTest::newRow("115200, fixed") << int(BAUD115200) << int(PAR_NONE) << 1.75;
}

// The next request is held back just the gap, counted from the reply's last byte.
void TestModBusEngine::frameGapIsThreeAndAHalfCharacters()
{
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(double, gapMs);
    Line line;
    line.sendPoll(1, &line.callback);
    line.port.setBaudRate(BaudRateType(baud));
    line.port.setParity(ParityType(parity));
    QCOMPARE(qRound(line.engine.interFrameGapMs() * 1000), qRound(gapMs * 1000));
    line.port.feed(hex("0103021388B512"));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    // Whole timer milliseconds, rounded up; one less if a millisecond went by.
    const int armed = line.engine.stateCheckTimer()->interval();
    QVERIFY2(armed <= int(std::ceil(gapMs)) && armed >= int(std::ceil(gapMs)) - 1,
             qPrintable(QString::number(armed)));
}

// Whole timer milliseconds would stretch the gap (3.65 ms lasted 4): the fine
// timer ends it when it has passed, and never before.
void TestModBusEngine::nextRequestLeavesWhenTheGapEnds()
{
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(double, gapMs);
    Line line;
    line.port.setBaudRate(BaudRateType(baud));
    line.port.setParity(ParityType(parity));
    line.sendPoll(1, &line.callback);
    EngineCommand next = line.engine.levelPollCommand(2);
    next.callback = &line.queued;
    line.engine.request(next);
    QElapsedTimer sinceReply;
    line.port.feed(hex("0103021388B512"));
    sinceReply.start();
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    const FineTimer* timer = line.engine.gapTimer();
    QVERIFY(timer->isActive());
    QVERIFY2(timer->intervalNs() <= gapMs * 1e6 && timer->intervalNs() > (gapMs - 0.5) * 1e6,
             qPrintable(QString::number(timer->intervalNs())));

    line.engine.slotOnGapTimeout();
    QVERIFY(line.engine.state() == SerialEngine::ReplyCooldown ||
            sinceReply.nsecsElapsed() >= gapMs * 1e6);
    QTest::qSleep(int(std::ceil(gapMs)));
    line.engine.slotOnGapTimeout();
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(line.port.writes.size(), 2);
    QCOMPARE(line.port.writes.last().bytes, hex("02030000000184 39"));
}

void TestModBusEngine::trailingBytesStayBuffered()
{
    Line line;
    line.sendPoll(1, &line.callback);
    EngineCommand next = line.engine.levelPollCommand(1);
    next.callback = &line.queued;
    line.engine.request(next);

    line.port.feed(hex("0103021388B512 AABB"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QCOMPARE(line.engine.inputBuffer(), hex("AABB"));

    // More chatter while cooling down is a protocol error, which flushes the queue.
    line.port.feed(hex("CC"));
    QCOMPARE(line.engine.state(), SerialEngine::Error);
    QCOMPARE(line.queued.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QCOMPARE(line.callback.count(), 1);
}

void TestModBusEngine::crcFailure()
{
    Line line;
    ModBusSensor* sensor = line.sensorAt(1);
    line.engine.setState(SerialEngine::Idle);
    line.port.feed(hex("0103021388B513"));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QVERIFY(!sensor->intParameter(ModBusSensor::RawLevelIndex)->isValid());
    QVERIFY(!sensor->floatParameter(ModBusSensor::LevelIndex)->isValid());

    line.engine.slotOnStateCheckTimeout();
    line.sendPoll(1, &line.callback);
    line.port.feed(hex("0103021388 35 12"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::CrcFail});
}

void TestModBusEngine::exceptionReply_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("result");

    QTest::newRow("whole") << QList<QByteArray>{hex("01 83 02 C0 F1")}
                           << int(CommandCallback::Nack);
    QTest::newRow("split") << QList<QByteArray>{hex("01 83"), hex("02 C0"), hex("F1")}
                           << int(CommandCallback::Nack);
    // With a broken CRC it is no answer at all.
    QTest::newRow("broken crc") << QList<QByteArray>{hex("01 83 02 C0 F0")}
                                << int(CommandCallback::Timeout);
    // An exception to another function cannot answer this read.
    QTest::newRow("other function")
        << QList<QByteArray>{hex("01 86 02 C3 A1")} << int(CommandCallback::Timeout);
}

// A sensor that refuses a request has answered: the command ends at once, and the
// exception code reaches the engine's log.
void TestModBusEngine::exceptionReply()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, result);
    LogCapture log;
    Line line;
    line.sendPoll(1, &line.callback);
    for (const QByteArray& chunk : chunks) {
        QCOMPARE(line.callback.count(), 0);
        line.port.feed(chunk);
    }
    if (result == CommandCallback::Timeout) {
        QCOMPARE(line.callback.count(), 0);
        line.engine.slotOnStateCheckTimeout();
        QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Timeout});
        return;
    }
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Nack});
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QCOMPARE(line.engine.inputBuffer().size(), 0);
    QVERIFY(log.lines.contains(
        QStringLiteral("ModBusEngine: Sensor 1 refused function 3 with exception code 2")));
    QCOMPARE(log.linesOf(Logger::LineData).last(),
             QStringLiteral("[01 03 00 00 00 01 84 0A] ") +
                 callbackResultToString(CommandCallback::Nack));
}

void TestModBusEngine::synchronizingWaitsForSilence()
{
    ScriptedSerialPort port;
    ModBusEngine engine;
    engine.setPort(&port);
    engine.resetStateMachine();
    QCOMPARE(engine.stateCheckTimer()->interval(), 10);

    port.feed(hex("55AA"));
    QCOMPARE(engine.state(), SerialEngine::Synchronizing);
    QVERIFY(engine.inputBuffer().isEmpty());
    QCOMPARE(engine.stateCheckTimer()->interval(), 100);
    QVERIFY(engine.stateCheckTimer()->isActive());
    engine.deinit();
}

void TestModBusEngine::detectionCycle()
{
    Line line;
    line.engine.resetStateMachine();
    QCOMPARE(line.engine.detectionStateString(), QStringLiteral("0/255"));
    QCOMPARE(requestBytes(line.engine.detectNext()), hex("010300000001840A"));
    QCOMPARE(line.engine.detectionStateString(), QStringLiteral("1/255"));

    line.sensorAt(1);
    line.sensorAt(2);
    line.engine.resetStateMachine();
    const EngineCommand probe = line.engine.detectNext();
    QCOMPARE(int(probe.request[0]), 3);
    QCOMPARE(int(probe.kind), int(EngineCommand::Plain));
    QCOMPARE(int(probe.requestLength), 8);
    QCOMPARE(int(probe.replyLength), 7);
    QVERIFY(probe.callback);

    // Walk on to the top of the range; then the scan wraps past the taken 1 and 2.
    for (int address = 4; address <= 247; ++address)
        QCOMPARE(int(line.engine.detectNext().request[0]), address);
    QCOMPARE(int(line.engine.detectNext().request[0]), 3);
    QCOMPARE(line.engine.detectionState(), 1);
}

void TestModBusEngine::detectionStopsWhenEveryAddressIsTaken()
{
    Line line;
    for (int address = 1; address <= 247; ++address)
        line.sensorAt(address);
    // From a reset (address 0, never taken) as well as from inside the range.
    line.engine.resetStateMachine();
    QCOMPARE(int(line.engine.detectNext().kind), int(EngineCommand::None));
    QCOMPARE(int(line.engine.detectNext().kind), int(EngineCommand::None));
}

void TestModBusEngine::detectionProbeCreatesSensor()
{
    Line line;
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    line.engine.setAutoDetectSensorsEnabled(true);
    line.engine.resetStateMachine();
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.port.writtenBytes(), hex("010300000001840A"));

    // Silence at address 1: the scan moves on.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(detected.count(), 0);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(line.port.writes.last().bytes, hex("020300000001 8439"));

    line.port.feed(hex("0203021388 F112"));
    QCOMPARE(detected.count(), 1);
    auto* sensor = qobject_cast<ModBusSensor*>(detected.at(0).at(0).value<BaseSensor*>());
    QVERIFY(sensor);
    QCOMPARE(int(sensor->address()), 2);
    QCOMPARE(sensor->intParameter(ModBusSensor::RawLevelIndex)->value(), 5000);
    QCOMPARE(line.engine.sensors().size(), 1);
}

void TestModBusEngine::addressChange()
{
    Line line;
    ModBusSensor* sensor = line.sensorAt(1);
    sensor->invokeCoolDown();
    QSignalSpy changed(sensor, &BaseSensor::addressChanged);

    // A refused change (corrupted answer) leaves the address alone.
    sensor->requestSetAddress(5);
    QCOMPARE(line.port.writtenBytes(), hex("0106000100051809"));
    line.port.feed(hex("01060001000518 0A"));
    QCOMPARE(int(sensor->address()), 1);
    QCOMPARE(changed.count(), 0);

    line.engine.slotOnStateCheckTimeout();
    line.port.writes.clear();
    sensor->requestSetAddress(5);
    line.port.feed(hex("0106000100051809"));
    QCOMPARE(int(sensor->address()), 5);
    QCOMPARE(changed.count(), 1);

    // The next poll goes to the new address.
    sensor->slotResetCoolDown();
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.port.writes.last().bytes, hex("050300000001858E"));

    // An address the protocol cannot carry is not sent at all.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.engine.state(), SerialEngine::Idle);
    line.port.writes.clear();
    sensor->requestSetAddress(255);
    QVERIFY(line.port.writes.isEmpty());
}

void TestModBusEngine::addSensorDialog()
{
    Line line;
    QVERIFY(!line.engine.addSensorAtAddress(0));
    QVERIFY(!line.engine.addSensorAtAddress(248));

    // An address given by hand adds a sensor, even one already taken.
    line.sensorAt(12);
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    const AddSensorPrompt prompt = line.engine.addSensorPrompt();
    QCOMPARE(prompt.minimum, 1);
    QCOMPARE(prompt.maximum, 247);
    QCOMPARE(prompt.label, QStringLiteral("Address"));
    line.engine.slotAddSensorFromDialog(12);
    QCOMPARE(detected.count(), 1);
    QCOMPARE(int(detected.at(0).at(0).value<BaseSensor*>()->address()), 12);
    QCOMPARE(line.engine.sensors().size(), 2);
}

QTEST_MAIN(TestModBusEngine)
#include "tst_modbusengine.moc"

#include "port/scriptedserialport.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
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

EngineCommand withReply(EngineCommand command, const QByteArray& reply)
{
    std::copy(reply.begin(), reply.end(), command.reply);
    command.receivedLength = quint8(reply.size());
    return command;
}

// A port whose writes start failing after a given number succeeded, so the
// second half of a split transmission can fail on its own.
class FailingAfterPort : public ScriptedSerialPort
{
public:
    int goodWrites = 0;

    qint64 write(const char* data, qint64 size) override
    {
        failWrites = writes.size() >= goodWrites;
        return ScriptedSerialPort::write(data, size);
    }
};

class ProbeableTBusEngine : public TBusEngine
{
public:
    using TBusEngine::detectNext;
    explicit ProbeableTBusEngine(quint32 features = 0)
        : TBusEngine(features)
    {}
};

// An engine on a scripted port, idle, without detection unless a test turns it on.
struct Line
{
    // Before the engine: dismantling it completes whatever is still in flight.
    RecordingCallback callback;
    RecordingCallback queued;
    FailingAfterPort port;
    ProbeableTBusEngine engine;

    Line()
    {
        port.goodWrites = 1000;
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(false);
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
    }

    ~Line() { engine.deinit(); }

    TBusSensor* sensorAt(int address)
    {
        return static_cast<TBusSensor*>(engine.addSensorAtAddress(address));
    }

    void send(EngineCommand command, RecordingCallback* recorder)
    {
        command.callback = recorder;
        port.writes.clear();
        engine.request(command);
    }
};

} // namespace

Q_DECLARE_METATYPE(EngineCommand)

class TestTBusEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void identifiers_data();
    void identifiers();
    void identifierTable();
    void frames_data();
    void frames();
    void portLocksAndIntervals();
    void pollIsOneMarkParityByte();
    void serviceFrameSwitchesParityAfterFirstByte();
    void echoAndReplyInOneRead();
    void echoAndReplyInPieces();
    void echoMismatch();
    void missingEcho();
    void wrongReplyIdentifier();
    void checksumFailure();
    void serviceFrameGetsLongReplyWindow();
    void unaskedInputIsError();
    void writeFailureCompletesCommand_data();
    void writeFailureCompletesCommand();
    void detection();
    void detectionProbeCreatesSensor();
    void levelValues_data();
    void levelValues();
    void failedPollInvalidates();
    void calibration();
    void addSensorDialog();
};

void TestTBusEngine::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestTBusEngine::identifiers_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("identifier");
    QTest::newRow("0") << 0 << 0x00;
    QTest::newRow("1") << 1 << 0x81;
    QTest::newRow("8") << 8 << 0x48;
    QTest::newRow("10") << 10 << 0x8A;
    QTest::newRow("63") << 63 << 0x3F;
    QTest::newRow("74 uses its low six bits") << 74 << 0x8A;
}

void TestTBusEngine::identifiers()
{
    QFETCH(int, address);
    QFETCH(int, identifier);
    TBusEngine engine(0);
    QCOMPARE(int(engine.identifier(quint8(address))), identifier);
    QCOMPARE(int(engine.levelPollCommand(quint8(address)).request[0]), identifier);
}

void TestTBusEngine::identifierTable()
{
    // The check bits must never disturb the identifier, and no two identifiers
    // may look alike on the wire.
    TBusEngine engine(0);
    QSet<int> seen;
    for (int n = 0; n < 64; ++n) {
        const int id = engine.identifier(quint8(n));
        QCOMPARE(id & 0x3F, n);
        seen.insert(id);
    }
    QCOMPARE(seen.size(), 64);
}

void TestTBusEngine::frames_data()
{
    QTest::addColumn<EngineCommand>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("replyLength");
    QTest::addColumn<int>("kind");

    TBusEngine engine(0);
    QTest::newRow("poll of 10") << engine.levelPollCommand(10) << hex("8A") << 4
                                << int(EngineCommand::LevelPoll);
    QTest::newRow("set minimum of 10")
        << engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 1)
        << hex("3F8A531201F5") << 6 << int(EngineCommand::Service);
    QTest::newRow("set maximum of 10")
        << engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 2)
        << hex("3F8A531202F6") << 6 << int(EngineCommand::Service);
    const unsigned char data[] = {0x47};
    QTest::newRow("service frame of 8") << engine.createServiceCommand(8, data, 1, 5)
                                        << hex("3F4847 30") << 8 << int(EngineCommand::Service);
}

void TestTBusEngine::frames()
{
    QFETCH(EngineCommand, command);
    QFETCH(QByteArray, expected);
    QFETCH(int, replyLength);
    QFETCH(int, kind);
    QCOMPARE(requestBytes(command).toHex(' '), expected.toHex(' '));
    QCOMPARE(int(command.replyLength), replyLength);
    QCOMPARE(int(command.kind), kind);
    QVERIFY(!command.callback);
}

void TestTBusEngine::portLocksAndIntervals()
{
    Line line;
    QCOMPARE(line.port.settings().BaudRate, BAUD9600);
    QCOMPARE(line.port.settings().StopBits, STOP_1);
    const TBusEngine& engine = line.engine;
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::Synchronizing), 10);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::Idle), 100);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::WaitingEcho), 200);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::ReplyCooldown), 10);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::Error), 500);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::PortError), 500);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::Stopped), -1);
    QCOMPARE(engine.stateCheckTimeoutInterval(SerialEngine::Terminating), 0);
    QVERIFY(engine.detectionStateString().isNull());
}

void TestTBusEngine::pollIsOneMarkParityByte()
{
    Line line;
    TBusSensor* sensor = line.sensorAt(10);
    line.port.writes.clear();
    line.engine.setState(SerialEngine::Idle);

    QCOMPARE(line.port.writes.size(), 1);
    QCOMPARE(line.port.writes.at(0).bytes, hex("8A"));
    QCOMPARE(line.port.writes.at(0).parity, PAR_MARK);
    QCOMPARE(line.port.settings().Parity, PAR_SPACE);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingEcho);
    QVERIFY(sensor->isCoolingDown());
    // Sent from the idle entry, the command has the idle interval to be echoed.
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 100);
}

void TestTBusEngine::serviceFrameSwitchesParityAfterFirstByte()
{
    Line line;
    line.send(line.engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 1),
              &line.callback);
    QCOMPARE(line.port.writes.size(), 2);
    QCOMPARE(line.port.writes.at(0).bytes, hex("3F"));
    QCOMPARE(line.port.writes.at(0).parity, PAR_MARK);
    QCOMPARE(line.port.writes.at(1).bytes, hex("8A531201F5"));
    QCOMPARE(line.port.writes.at(1).parity, PAR_SPACE);
    QCOMPARE(line.engine.state(), SerialEngine::WaitingEcho);
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 200);
}

void TestTBusEngine::echoAndReplyInOneRead()
{
    LogCapture log;
    Line line;
    TBusSensor* sensor = line.sensorAt(10);
    QSignalSpy updated(sensor, &BaseSensor::updated);
    line.engine.setState(SerialEngine::Idle);

    line.port.feed(hex("8A 0A881391"));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(sensor->intParameter(TBusSensor::RawLevelIndex)->value(), 5000);
    QCOMPARE(sensor->floatParameter(TBusSensor::LevelIndex)->value(), 0.5f);
    QVERIFY(log.contains(QStringLiteral("[8A] [0A 88 13 91] rawlvl=5000, lvl=0.5")));
    QVERIFY(line.engine.inputBuffer().isEmpty());
}

void TestTBusEngine::echoAndReplyInPieces()
{
    Line line;
    line.send(line.engine.levelPollCommand(10), &line.callback);
    line.port.feed(hex("8A"));
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 200);
    line.port.feed(hex("0A88"));
    QCOMPARE(line.callback.count(), 0);
    line.port.feed(hex("1391"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(line.callback.lastCommand().reply), 4),
             hex("0A881391"));
}

void TestTBusEngine::echoMismatch()
{
    LogCapture log;
    Line line;
    line.send(line.engine.levelPollCommand(10), &line.callback);
    EngineCommand next = line.engine.levelPollCommand(8);
    next.callback = &line.queued;
    line.engine.request(next);

    line.port.feed(hex("8B 0A"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::EchoMismatch});
    QCOMPARE(int(line.callback.lastCommand().reply[0]), 0x8B);
    QCOMPARE(line.engine.state(), SerialEngine::Error);
    QCOMPARE(line.queued.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QVERIFY(log.contains(QStringLiteral("TBusEngine: Echo mismatch, expected 8a, got 8b0a")));
    // The rest of what came back waits in the buffer to be logged as stray.
    QCOMPARE(line.engine.inputBuffer(), hex("0A"));

    // ...before the next command goes out, so that its echo is checked alone.
    RecordingCallback calibration;
    EngineCommand command =
        line.engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 1);
    command.callback = &calibration;
    line.engine.request(command);
    line.engine.slotOnStateCheckTimeout();
    QVERIFY(line.engine.inputBuffer().isEmpty());
    line.port.feed(line.port.writtenBytes().right(6));
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(calibration.count(), 0);
    QVERIFY(log.contains(QStringLiteral("[] Stray")));
}

void TestTBusEngine::missingEcho()
{
    Line line;
    line.send(line.engine.levelPollCommand(10), &line.callback);
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::NoEcho});
    QCOMPARE(line.engine.state(), SerialEngine::Error);
}

void TestTBusEngine::wrongReplyIdentifier()
{
    Line line;
    line.send(line.engine.levelPollCommand(10), &line.callback);
    line.port.feed(hex("8A 0B881390"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Failed});
    QCOMPARE(line.engine.state(), SerialEngine::Error);
}

void TestTBusEngine::checksumFailure()
{
    Line line;
    line.send(line.engine.levelPollCommand(10), &line.callback);
    line.port.feed(hex("8A 0A881392"));
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::CrcFail});
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
}

void TestTBusEngine::serviceFrameGetsLongReplyWindow()
{
    Line line;
    line.send(line.engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 1),
              &line.callback);
    line.port.feed(hex("3F8A531201F5"));
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 5000);

    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Timeout});
    QCOMPARE(line.engine.state(), SerialEngine::Idle);
}

void TestTBusEngine::unaskedInputIsError()
{
    Line line;
    line.port.feed(hex("55"));
    QCOMPARE(line.engine.state(), SerialEngine::Error);

    Line cooling;
    cooling.send(cooling.engine.levelPollCommand(10), &cooling.callback);
    cooling.port.feed(hex("8A0A881391"));
    QCOMPARE(cooling.engine.state(), SerialEngine::ReplyCooldown);
    cooling.port.feed(hex("00"));
    QCOMPARE(cooling.engine.state(), SerialEngine::Error);
}

void TestTBusEngine::writeFailureCompletesCommand_data()
{
    QTest::addColumn<bool>("service");
    QTest::addColumn<int>("goodWrites");
    QTest::newRow("poll") << false << 0;
    QTest::newRow("service frame, first byte") << true << 0;
    QTest::newRow("service frame, the rest") << true << 1;
}

void TestTBusEngine::writeFailureCompletesCommand()
{
    QFETCH(bool, service);
    QFETCH(int, goodWrites);
    LogCapture log;
    Line line;
    line.port.writes.clear();
    line.port.goodWrites = goodWrites;
    const EngineCommand command =
        service ? line.engine.createCalibrationCommand(10, TBusEngine::CalibrationPoint, 2)
                : line.engine.levelPollCommand(10);
    line.send(command, &line.callback);
    QCOMPARE(line.callback.results, QList<CommandCallback::Result>{CommandCallback::Failed});
    QCOMPARE(line.engine.state(), SerialEngine::PortError);
    QVERIFY(!line.engine.hasCommandInFlight());
    QVERIFY(log.contains(QStringLiteral("TBusEngine: Port write failure")));
    line.engine.deinit();
    QCOMPARE(line.callback.count(), 1);
}

void TestTBusEngine::detection()
{
    Line line;
    EngineCommand probe = line.engine.detectNext();
    QCOMPARE(requestBytes(probe), hex("8A"));
    QCOMPARE(int(probe.kind), int(EngineCommand::Plain));
    QCOMPARE(int(probe.replyLength), 4);
    QVERIFY(probe.callback);

    line.sensorAt(10);
    QCOMPARE(requestBytes(line.engine.detectNext()), hex("48"));
    line.sensorAt(8);
    QCOMPARE(int(line.engine.detectNext().kind), int(EngineCommand::None));
    QCOMPARE(line.engine.detectionState(), 0);

    // Identifiers given instead are probed in turn, each once; one beyond six
    // bits or the service marker is left out.
    Line told;
    told.engine.setDetectionAddresses({5, 63, 12, 5, 74});
    QCOMPARE(told.engine.detectionAddresses(), QList<int>({5, 12}));
    QCOMPARE(requestBytes(told.engine.detectNext()),
             QByteArray(1, char(told.engine.identifier(5))));
    QCOMPARE(requestBytes(told.engine.detectNext()),
             QByteArray(1, char(told.engine.identifier(12))));
    QCOMPARE(requestBytes(told.engine.detectNext()),
             QByteArray(1, char(told.engine.identifier(5))));
}

void TestTBusEngine::detectionProbeCreatesSensor()
{
    Line line;
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    line.engine.setAutoDetectSensorsEnabled(true);
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.port.writes.last().bytes, hex("8A"));
    QCOMPARE(line.port.writes.last().parity, PAR_MARK);

    line.port.feed(hex("8A0A881391"));
    QCOMPARE(detected.count(), 1);
    // A late answer for a taken identifier creates no second sensor.
    EngineCommand late = line.engine.levelPollCommand(10);
    std::copy_n(reinterpret_cast<const unsigned char*>(hex("0A881391").constData()), 4, late.reply);
    line.engine.detectionCallback(CommandCallback::Ok, late);
    QCOMPARE(detected.count(), 1);
    auto* sensor = qobject_cast<TBusSensor*>(detected.at(0).at(0).value<BaseSensor*>());
    QVERIFY(sensor);
    QCOMPARE(int(sensor->address()), 10);
    QCOMPARE(sensor->floatParameter(TBusSensor::LevelIndex)->value(), 0.5f);

    // Cool-down over: the next idle step polls the new sensor, the one after
    // probes the other identifier.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.port.writes.last().bytes, hex("8A"));
    line.port.feed(hex("8A0A881391"));
    sensor->slotResetCoolDown();
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.port.writes.last().bytes, hex("48"));
}

void TestTBusEngine::levelValues_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("raw");
    QTest::addColumn<bool>("levelValid");
    QTest::addColumn<float>("level");
    QTest::addColumn<QString>("note");

    QTest::newRow("empty") << hex("0A000000") << 0 << true << 0.0f << "rawlvl=0, lvl=0";
    QTest::newRow("half") << hex("0A881391") << 5000 << true << 0.5f << "rawlvl=5000, lvl=0.5";
    QTest::newRow("top level") << hex("0AFF3FCA") << 16383 << true << 1.6383f
                               << "rawlvl=16383, lvl=1.6383";
    QTest::newRow("first code") << hex("0A00404A") << 16384 << false << 0.0f
                                << "error unknown 16384";
    QTest::newRow("minimum undefined")
        << hex("0A204E64") << 20000 << false << 0.0f << "error minimum undefined";
    QTest::newRow("maximum undefined")
        << hex("0A30754F") << 30000 << false << 0.0f << "error maximum undefined";
    QTest::newRow("calibration invalid")
        << hex("0A409CD6") << 40000 << false << 0.0f << "error calibration invalid";
}

void TestTBusEngine::levelValues()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, raw);
    QFETCH(bool, levelValid);
    QFETCH(float, level);
    QFETCH(QString, note);

    LogCapture log;
    TBusEngine engine(0);
    TBusSensor sensor(&engine);
    sensor.floatParameter(TBusSensor::LevelIndex)->setValue(0.25f);
    sensor.levelPollCallback(CommandCallback::Ok, withReply(engine.levelPollCommand(10), reply));

    QVERIFY(sensor.intParameter(TBusSensor::RawLevelIndex)->isValid());
    QCOMPARE(sensor.intParameter(TBusSensor::RawLevelIndex)->value(), raw);
    QCOMPARE(sensor.floatParameter(TBusSensor::LevelIndex)->isValid(), levelValid);
    if (levelValid)
        QCOMPARE(sensor.floatParameter(TBusSensor::LevelIndex)->value(), level);
    QVERIFY(log.linesOf(Logger::Sensor).last().endsWith(QStringLiteral("] ") + note));
    QCOMPARE(sensor.parameterCount(), 3);
    QCOMPARE(sensor.parameter(TBusSensor::AdcValueIndex)->title(), QStringLiteral("AdcValue"));
    QVERIFY(!sensor.parameter(TBusSensor::AdcValueIndex)->isValid());
}

void TestTBusEngine::failedPollInvalidates()
{
    LogCapture log;
    Line line;
    TBusSensor* sensor = line.sensorAt(10);
    sensor->levelPollCallback(CommandCallback::Ok,
                              withReply(line.engine.levelPollCommand(10), hex("0A881391")));
    QSignalSpy updated(sensor, &BaseSensor::updated);

    line.engine.setState(SerialEngine::Idle);
    line.port.feed(hex("8A"));
    line.engine.slotOnStateCheckTimeout();

    QCOMPARE(updated.count(), 1);
    QVERIFY(!sensor->floatParameter(TBusSensor::LevelIndex)->isValid());
    QVERIFY(!sensor->intParameter(TBusSensor::RawLevelIndex)->isValid());
    QCOMPARE(log.linesOf(Logger::Sensor).last(),
             QStringLiteral("[8A] ") + callbackResultToString(CommandCallback::Timeout));
}

void TestTBusEngine::calibration()
{
    LogCapture log;
    RecordingCallback button;
    Line line;
    TBusSensor* sensor = line.sensorAt(10);
    sensor->invokeCoolDown();

    line.port.writes.clear();
    sensor->requestSetMinimum(&button);
    QCOMPARE(line.port.writtenBytes(), hex("3F8A531201F5"));
    line.port.feed(hex("3F8A531201F5 3F5312E803 95"));
    QCOMPARE(button.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QVERIFY(log.linesOf(Logger::Sensor).last().endsWith(QStringLiteral("Minimum ADC Value 1000")));

    line.engine.slotOnStateCheckTimeout();
    line.port.writes.clear();
    sensor->requestSetMaximum(&button);
    QCOMPARE(line.port.writtenBytes(), hex("3F8A531202F6"));
    line.port.feed(hex("3F8A531202F6 3F5312D007 A9"));
    QCOMPARE(button.count(), 2);
    QCOMPARE(button.lastResult(), CommandCallback::Ok);
    QVERIFY(log.linesOf(Logger::Sensor).last().endsWith(QStringLiteral("Maximum ADC Value 2000")));

    // A spoiled echo still reaches the button, exactly once.
    line.engine.slotOnStateCheckTimeout();
    sensor->requestSetMaximum(&button);
    line.port.feed(hex("3F8A531203F6"));
    QCOMPARE(button.count(), 3);
    QCOMPARE(button.lastResult(), CommandCallback::EchoMismatch);
    QCOMPARE(log.linesOf(Logger::Sensor).last(),
             QStringLiteral("[3F 8A 53 12 02 F6] ") +
                 callbackResultToString(CommandCallback::EchoMismatch));

    // Without a caller's callback the result only goes to the log.
    line.engine.slotOnStateCheckTimeout();
    sensor->requestSetMinimum(nullptr);
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(button.count(), 3);
}

void TestTBusEngine::addSensorDialog()
{
    Line line;
    // Only six bits reach the wire: 74 would be taken for 10.
    QVERIFY(!line.engine.addSensorAtAddress(-1));
    QVERIFY(!line.engine.addSensorAtAddress(63));
    QVERIFY(!line.engine.addSensorAtAddress(74));

    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    const AddSensorPrompt prompt = line.engine.addSensorPrompt();
    QCOMPARE(prompt.minimum, 0);
    QCOMPARE(prompt.maximum, 62);
    QCOMPARE(prompt.label, QStringLiteral("Address"));
    line.engine.slotAddSensorFromDialog(10);
    QCOMPARE(detected.count(), 1);
    QVERIFY(qobject_cast<TBusSensor*>(detected.at(0).at(0).value<BaseSensor*>()));
    QCOMPARE(int(line.engine.sensors().at(0)->address()), 10);
}

QTEST_MAIN(TestTBusEngine)
#include "tst_tbusengine.moc"

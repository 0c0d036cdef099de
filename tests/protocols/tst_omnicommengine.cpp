#include "engine/linedatamessage.h"
#include "port/scriptedserialport.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/omnicommmodels.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QString hexText(const unsigned char* bytes, int length)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes), length).toHex(' ').toUpper());
}

QByteArray withCrc(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    return bytes + char(OmniCommEngine::crc8(data, bytes.size()));
}

// A data frame of the given address: temperature 25, raw level 512, frequency 10000.
QByteArray dataFrame(int address)
{
    QByteArray frame = hex("3E 00 06 19 00 02 10 27");
    frame[1] = char(address);
    return withCrc(frame);
}

struct Record
{
    EngineCommand command;
    CommandCallback::Result result;
};

// One Omnicomm line on a scripted port, with every log section captured.
struct Line
{
    LogCapture log;
    QList<Record> records;
    ScriptedSerialPort port;
    OmniCommEngine engine;

    explicit Line(bool detect = false, quint32 features = 0)
        : engine(features)
    {
        QObject::connect(log.logger(), qOverload<const LogMessage&>(&Logger::newMessage),
                         [this](const LogMessage& message) {
                             if (auto* line = dynamic_cast<const LineDataMessage*>(&message))
                                 records.append({line->command, line->result});
                         });
        port.open();
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(detect);
    }

    ~Line()
    {
        const QList<SerialSensor*> sensors = engine.sensors();
        engine.deinit();
        qDeleteAll(sensors);
    }

    void goIdle()
    {
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
    }

    OmniCommSensor* sensorAt(int address, OmniCommSensor::Mode mode = OmniCommSensor::NetworkMode)
    {
        auto* sensor = new OmniCommSensor(&engine);
        sensor->setAddress(quint8(address));
        if (mode != OmniCommSensor::UnknownMode)
            sensor->parseData(reinterpret_cast<const unsigned char*>(dataFrame(address).data()),
                              mode, 0);
        return sensor;
    }

    OmniCommSensor* sensor(int address) const
    {
        return qobject_cast<OmniCommSensor*>(engine.sensorByAddress(quint8(address)));
    }

    QByteArray lastWrite() const
    {
        return port.writes.isEmpty() ? QByteArray() : port.writes.last().bytes;
    }

    QList<Record> recordsWith(CommandCallback::Result result) const
    {
        QList<Record> found;
        for (const Record& record : records) {
            if (record.result == result)
                found.append(record);
        }
        return found;
    }
};

void checkDataOfSensor(OmniCommSensor* sensor)
{
    QVERIFY(sensor);
    QCOMPARE(sensor->intParameter(OmniCommSensor::TemperatureIndex)->value(), 25);
    QCOMPARE(sensor->intParameter(OmniCommSensor::RawLevelIndex)->value(), 512);
    QCOMPARE(sensor->intParameter(OmniCommSensor::FrequencyIndex)->value(), 10000);
}

} // namespace

Q_DECLARE_METATYPE(EngineCommand)

class TestOmniCommEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<BaseSensor*>(); }
    void crc8_data();
    void crc8();
    void requestBuilders_data();
    void requestBuilders();
    void addressChangeBeyondAddressRangeIsEmpty();
    void lineSettings();
    void inputWhileSynchronizingWaitsForQuiet();
    void idleFrameCreatesSensor();
    void idleFrameUpdatesKnownSensor();
    void idleGarbageWithoutFrameStart();
    void idleResynchronizes_data();
    void idleResynchronizes();
    void idleParsesEveryBufferedFrame();
    void framesInTheCooldownAreNotLost();
    void lateReplyDoesNotStopThePolls();
    void replyFraming_data();
    void replyFraming();
    void replyTimeout();
    void configurationReplyOfTheOtherLength_data();
    void configurationReplyOfTheOtherLength();
    void otherSensorsFrameBeforeReply_data();
    void otherSensorsFrameBeforeReply();
    void ownDataFrameBeforeReply_data();
    void ownDataFrameBeforeReply();
    void detectionSkipsTakenAddresses();
    void detectionWithEveryAddressTaken();
    void detectionPassesAndText();
    void probeAnswerCreatesNetworkSensor();
    void autonomousSensorsAreNotPolled();
    void addSensorByAddress();
    void addSensorDialogCreatesSensor();
    void deinitCancelsEveryCommandOnce();
};

void TestOmniCommEngine::crc8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("crc");
    QTest::newRow("check value") << QByteArray("123456789") << 0xA1;
    QTest::newRow("level poll of 1") << hex("31 01 06") << 0x6C;
    QTest::newRow("data frame of 5") << hex("3E 05 06 19 00 02 10 27") << 0xB2;
    QTest::newRow("reply of 1") << hex("3E 01 06 19 00 02 10 27") << 0x46;
    QTest::newRow("nothing") << QByteArray() << 0x00;
}

void TestOmniCommEngine::crc8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, crc);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    QCOMPARE(int(OmniCommEngine::crc8(data, bytes.size())), crc);
}

void TestOmniCommEngine::requestBuilders_data()
{
    QTest::addColumn<int>("builder");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("replyLength");
    QTest::newRow("level poll 1") << 0 << hex("31 01 06 6C") << 9;
    QTest::newRow("level poll 42") << 1 << hex("31 2A 06 8E") << 9;
    QTest::newRow("auto mode 1") << 2 << hex("31 01 07 32") << 5;
    QTest::newRow("address 1 to 5") << 3 << hex("31 01 03 05 06") << 5;
    QTest::newRow("configuration") << 4 << hex("31 01 F5 FA") << 22;
    QTest::newRow("extended configuration") << 5 << hex("31 01 F5 FA") << 24;
    QTest::newRow("generic with data") << 6 << hex("31 01 0C E8 03 9C") << 5;
}

void TestOmniCommEngine::requestBuilders()
{
    QFETCH(int, builder);
    QFETCH(QByteArray, request);
    QFETCH(int, replyLength);
    Line line;
    OmniCommSensor* sensor = line.sensorAt(1, OmniCommSensor::UnknownMode);
    const unsigned char data[] = {0xE8, 0x03};
    const EngineCommand commands[] = {
        OmniCommEngine::levelPollCommand(1),
        OmniCommEngine::levelPollCommand(42),
        OmniCommEngine::enableAutoModeCommand(1),
        line.engine.createAddressChangeRequest(sensor, 5),
        OmniCommEngine::configurationCommand(1, false),
        OmniCommEngine::configurationCommand(1, true),
        OmniCommEngine::createCommand(1, OmniCommEngine::SetFMax, data, 2, 1),
    };
    const EngineCommand& command = commands[builder];
    QCOMPARE(hexText(command.request, command.requestLength),
             QString::fromLatin1(request.toHex(' ').toUpper()));
    QCOMPARE(int(command.replyLength), replyLength);
    QCOMPARE(int(command.kind), int(EngineCommand::None));
    QVERIFY(!command.callback && !command.userCallback);
}

void TestOmniCommEngine::addressChangeBeyondAddressRangeIsEmpty()
{
    Line line;
    OmniCommSensor* sensor = line.sensorAt(1, OmniCommSensor::UnknownMode);
    const EngineCommand command = line.engine.createAddressChangeRequest(sensor, 256);
    QCOMPARE(int(command.requestLength), 0);
    QCOMPARE(int(command.replyLength), 0);
    QCOMPARE(int(command.kind), int(EngineCommand::None));
}

void TestOmniCommEngine::lineSettings()
{
    Line line;
    QCOMPARE(line.port.settings().BaudRate, BAUD19200);
    QCOMPARE(line.port.settings().StopBits, STOP_1);
    QCOMPARE(line.port.settings().Parity, PAR_NONE);

    // Another protocol may have left its own settings on the port.
    line.port.setBaudRate(BAUD9600);
    line.port.setParity(PAR_MARK);
    line.port.setStopBits(STOP_2);
    line.engine.resetStateMachine();
    QCOMPARE(line.port.settings().BaudRate, BAUD19200);
    QCOMPARE(line.port.settings().StopBits, STOP_1);
    QCOMPARE(line.port.settings().Parity, PAR_NONE);
    QCOMPARE(line.port.settings().FlowControl, FLOW_OFF);
}

void TestOmniCommEngine::inputWhileSynchronizingWaitsForQuiet()
{
    Line line;
    line.engine.resetStateMachine();
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 200);
    line.port.feed(dataFrame(3));
    QCOMPARE(line.engine.state(), SerialEngine::Synchronizing);
    QCOMPARE(line.engine.stateCheckTimer()->interval(), 100);
    QVERIFY(line.engine.stateCheckTimer()->isActive());
    QCOMPARE(line.engine.inputBuffer(), dataFrame(3));
    QVERIFY(line.engine.sensors().isEmpty());
}

void TestOmniCommEngine::idleFrameCreatesSensor()
{
    Line line;
    line.goIdle();
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);

    line.port.feed(hex("00 00 3E 05 06 19 00 02 10 27 B2"));

    QCOMPARE(line.log.linesOf(Logger::LineData),
             QStringList(
                 {QStringLiteral("[] Stray"), QStringLiteral("[] [3E 05 06 19 00 02 10 27 B2]")}));
    QCOMPARE(line.records.first().command.receivedLength, quint8(2));
    QCOMPARE(int(line.records.last().command.kind), int(EngineCommand::Autonomous));
    QCOMPARE(detected.count(), 1);
    OmniCommSensor* sensor = line.sensor(5);
    checkDataOfSensor(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::AutonomousMode);
    // The new sensor's configuration is asked for at once.
    QCOMPARE(line.lastWrite(), hex("31 05 F5 C1"));
    QCOMPARE(line.engine.state(), SerialEngine::WaitingReply);
    QVERIFY(line.engine.inputBuffer().isEmpty());
}

void TestOmniCommEngine::idleFrameUpdatesKnownSensor()
{
    Line line;
    OmniCommSensor* sensor = line.sensorAt(5, OmniCommSensor::AutonomousMode);
    sensor->intParameter(OmniCommSensor::RawLevelIndex)->setValue(1);
    line.goIdle();
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    QSignalSpy updated(sensor, &BaseSensor::updated);

    line.port.feed(dataFrame(5));

    QCOMPARE(detected.count(), 0);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(line.engine.sensors().size(), 1);
    checkDataOfSensor(sensor);
    QVERIFY(line.port.writes.isEmpty());
    QCOMPARE(line.engine.state(), SerialEngine::Idle);
}

void TestOmniCommEngine::idleGarbageWithoutFrameStart()
{
    Line line;
    line.goIdle();
    line.port.feed(hex("01 02 03 04 05 06 07"));
    QCOMPARE(line.engine.inputBuffer().size(), 7);
    QVERIFY(line.records.isEmpty());

    line.port.feed(hex("08"));
    QVERIFY(line.engine.inputBuffer().isEmpty());
    QCOMPARE(line.records.size(), 1);
    QCOMPARE(line.records.first().result, CommandCallback::Stray);
    QCOMPARE(hexText(line.records.first().command.reply, 8),
             QStringLiteral("01 02 03 04 05 06 07 08"));

    // The start of a frame is kept until it is complete.
    line.port.feed(hex("3E 05 06 19"));
    QCOMPARE(line.engine.inputBuffer(), hex("3E 05 06 19"));
    line.port.feed(dataFrame(5).mid(4));
    QVERIFY(line.sensor(5));
}

void TestOmniCommEngine::idleResynchronizes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("strayLengths");
    QTest::addColumn<bool>("frameParsed");

    const QByteArray configurationCode = withCrc(hex("3E 01 F5 00 00 00 00 00"));
    QTest::newRow("wrong code") << configurationCode + dataFrame(1)
                                << QStringLiteral(
                                       "OmniCommEngine: CRC matches but expected code 7, not f5")
                                << QList<int>{9} << true;
    QTest::newRow("wrong crc") << hex("3E 01 06 19 00 02 10 27 47") + dataFrame(1)
                               << QStringLiteral(
                                      "OmniCommEngine: Wrong crc, trying to repack again")
                               << QList<int>{9} << true;
    QTest::newRow("frame start inside garbage")
        << hex("3E 3E 01 06 19 00 02 10 27") + dataFrame(1)
        << QStringLiteral("OmniCommEngine: Wrong crc, trying to repack again") << QList<int>{1, 8}
        << true;
    QTest::newRow("wrong crc and nothing after it")
        << hex("3E 01 06 19 00 02 10 27 47 00 00")
        << QStringLiteral("OmniCommEngine: Wrong crc, trying to repack again") << QList<int>{11}
        << false;
}

void TestOmniCommEngine::idleResynchronizes()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QFETCH(QList<int>, strayLengths);
    QFETCH(bool, frameParsed);
    Line line;
    OmniCommSensor* sensor = line.sensorAt(1, OmniCommSensor::AutonomousMode);
    sensor->parameter(OmniCommSensor::RawLevelIndex)->invalidate();
    line.goIdle();

    line.port.feed(input);

    QVERIFY2(line.log.lines.contains(message), qPrintable(line.log.lines.join('\n')));
    QList<int> strays;
    for (const Record& record : line.recordsWith(CommandCallback::Stray))
        strays.append(record.command.receivedLength);
    QCOMPARE(strays, strayLengths);
    QCOMPARE(sensor->parameter(OmniCommSensor::RawLevelIndex)->isValid(), frameParsed);
    QVERIFY(line.engine.inputBuffer().isEmpty());
}

void TestOmniCommEngine::idleParsesEveryBufferedFrame()
{
    Line line;
    OmniCommSensor* known = line.sensorAt(2, OmniCommSensor::AutonomousMode);
    known->parameter(OmniCommSensor::RawLevelIndex)->invalidate();
    line.goIdle();
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);

    // The first frame creates a sensor, whose configuration request goes out at
    // once: the frames behind it must not be lost to that transmission.
    line.port.feed(dataFrame(7) + dataFrame(2) + dataFrame(9) + hex("3E 04"));

    QCOMPARE(detected.count(), 2);
    checkDataOfSensor(line.sensor(7));
    checkDataOfSensor(known);
    checkDataOfSensor(line.sensor(9));
    QCOMPARE(line.log.linesOf(Logger::LineData).filter(QStringLiteral("[] [3E")).size(), 3);
    QCOMPARE(line.engine.queuedCommandCount(), 1);
    QCOMPARE(line.lastWrite(), withCrc(hex("31 07 F5")));
}

void TestOmniCommEngine::framesInTheCooldownAreNotLost()
{
    Line line;
    OmniCommSensor* polled = line.sensorAt(1);
    OmniCommSensor* sender = line.sensorAt(2, OmniCommSensor::AutonomousMode);
    sender->parameter(OmniCommSensor::RawLevelIndex)->invalidate();
    line.goIdle();
    QCOMPARE(line.lastWrite(), hex("31 01 06 6C"));
    line.port.feed(dataFrame(1));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);

    // The second sensor's frame lands in the cool-down, with half of a third.
    line.port.feed(dataFrame(2) + hex("3E 02"));
    checkDataOfSensor(sender);
    QCOMPARE(line.engine.inputBuffer(), hex("3E 02"));
    QVERIFY(polled->parameter(OmniCommSensor::RawLevelIndex)->isValid());
}

void TestOmniCommEngine::lateReplyDoesNotStopThePolls()
{
    Line line;
    OmniCommSensor* sensor = line.sensorAt(1);
    line.goIdle();
    QCOMPARE(line.lastWrite(), hex("31 01 06 6C"));
    line.engine.slotOnStateCheckTimeout();
    sensor->parameter(OmniCommSensor::RawLevelIndex)->invalidate();

    // The reply arrives after the window, while the engine is idle again.
    line.port.feed(dataFrame(1));
    checkDataOfSensor(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);
    QCOMPARE(line.lastWrite(), withCrc(hex("31 01 F5")));
}

void TestOmniCommEngine::replyFraming_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("leftOver");

    const QByteArray reply = dataFrame(1);
    QTest::newRow("whole") << QList<QByteArray>{reply} << int(CommandCallback::Ok) << QByteArray();
    QList<QByteArray> bytewise;
    for (char byte : reply)
        bytewise.append(QByteArray(1, byte));
    QTest::newRow("byte by byte") << bytewise << int(CommandCallback::Ok) << QByteArray();
    QTest::newRow("split") << QList<QByteArray>{reply.left(2), reply.mid(2, 5), reply.mid(7)}
                           << int(CommandCallback::Ok) << QByteArray();
    QTest::newRow("merged with more")
        << QList<QByteArray>{reply + hex("3E 01")} << int(CommandCallback::Ok) << hex("3E 01");
    QByteArray broken = reply;
    broken[5] = char(0x03);
    QTest::newRow("crc fail") << QList<QByteArray>{broken} << int(CommandCallback::CrcFail)
                              << QByteArray();
}

void TestOmniCommEngine::replyFraming()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, result);
    QFETCH(QByteArray, leftOver);
    Line line;
    line.goIdle();
    RecordingCallback callback;
    EngineCommand poll = OmniCommEngine::levelPollCommand(1);
    poll.callback = &callback;
    line.engine.request(poll);
    QCOMPARE(line.lastWrite(), hex("31 01 06 6C"));

    for (int i = 0; i < chunks.size(); ++i) {
        QCOMPARE(callback.count(), 0);
        line.port.feed(chunks.at(i));
    }

    QCOMPARE(callback.count(), 1);
    QCOMPARE(int(callback.lastResult()), result);
    QCOMPARE(hexText(callback.lastCommand().reply, 9),
             QString::fromLatin1(QByteArray(chunks.join()).left(9).toHex(' ').toUpper()));
    QCOMPARE(line.engine.state(), SerialEngine::ReplyCooldown);
    QCOMPARE(line.engine.inputBuffer(), leftOver);

    // Nothing more can complete the command.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(callback.count(), 1);
}

void TestOmniCommEngine::replyTimeout()
{
    Line line;
    line.goIdle();
    RecordingCallback callback;
    EngineCommand poll = OmniCommEngine::levelPollCommand(1);
    poll.callback = &callback;
    line.engine.request(poll);
    line.port.feed(dataFrame(1).left(8));

    line.engine.slotOnStateCheckTimeout();

    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Timeout});
    QCOMPARE(line.log.linesOf(Logger::LineData).last(), QStringLiteral("[31 01 06 6C] Timeout"));
    // The late byte completes nothing.
    line.port.feed(dataFrame(1).mid(8));
    QCOMPARE(callback.count(), 1);
}

void TestOmniCommEngine::configurationReplyOfTheOtherLength_data()
{
    QTest::addColumn<bool>("extendedModel");
    QTest::addColumn<int>("dataLength");
    QTest::addColumn<int>("chunkSize");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("heard");
    const int ok = CommandCallback::Ok;
    const int wrong = CommandCallback::WrongLength;
    const int basic = OmniCommSensor::BasicConfiguration;
    const int extended = OmniCommSensor::ExtendedConfiguration;
    QTest::newRow("basic as basic") << false << 18 << 64 << false << ok << basic;
    QTest::newRow("extended as extended") << true << 20 << 64 << false << ok << extended;
    QTest::newRow("extended as basic") << false << 20 << 64 << false << wrong << extended;
    QTest::newRow("extended as basic, bytewise") << false << 20 << 1 << false << wrong << extended;
    QTest::newRow("basic as extended") << true << 18 << 64 << false << wrong << basic;
    QTest::newRow("basic as extended, bytewise") << true << 18 << 1 << false << wrong << basic;
    QTest::newRow("extended as basic, damaged")
        << false << 20 << 64 << true << int(CommandCallback::CrcFail)
        << int(OmniCommSensor::NotHeard);
}

// A configuration reply of the other length is a wrong model, not noise: it is
// taken whole, the level stays unscaled and the sensor is not asked again.
void TestOmniCommEngine::configurationReplyOfTheOtherLength()
{
    QFETCH(bool, extendedModel);
    QFETCH(int, dataLength);
    QFETCH(int, chunkSize);
    QFETCH(bool, damaged);
    QFETCH(int, result);
    QFETCH(int, heard);
    Line line(false, extendedModel ? OmniCommSensor::FeatureExtendedConfiguration : 0);
    line.goIdle();
    line.engine.slotAddSensorFromDialog(3);
    OmniCommSensor* sensor = line.sensor(3);
    QCOMPARE(line.lastWrite(), withCrc(hex("31 03 F5")));
    // A polled sensor, data format 1.
    QByteArray data(dataLength, 0x00);
    data[16] = 0x01;
    QByteArray reply = withCrc(hex("3E 03 F5") + data);
    if (damaged)
        reply[10] = char(0x7F);
    for (int at = 0; at < reply.size(); at += chunkSize)
        line.port.feed(reply.mid(at, chunkSize));
    // A reply shorter than the model's is known once nothing more comes.
    if (line.engine.state() == SerialEngine::WaitingReply)
        line.engine.slotOnStateCheckTimeout();

    QCOMPARE(int(line.records.last().result), result);
    QCOMPARE(int(sensor->heardConfiguration()), heard);
    QCOMPARE(sensor->isWrongModel(), result == CommandCallback::WrongLength);
    QCOMPARE(OmniCommModels::wrongModelText(*sensor).isEmpty(),
             result != CommandCallback::WrongLength);
    if (!damaged)
        QVERIFY(line.engine.inputBuffer().isEmpty());

    const QByteArray poll = withCrc(hex("31 03 06"));
    if (line.lastWrite() != poll)
        line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.lastWrite(), poll);
    line.port.feed(dataFrame(3));
    QCOMPARE(sensor->lastReading().error, SensorReading::NoError);
    QCOMPARE(sensor->lastReading().levelKnown, result == CommandCallback::Ok);
    QCOMPARE(line.engine.queuedCommandCount(), result == CommandCallback::WrongLength ? 0 : 1);
}

void TestOmniCommEngine::otherSensorsFrameBeforeReply_data()
{
    QTest::addColumn<bool>("poll");
    QTest::addColumn<int>("chunkSize");
    QTest::newRow("poll, together") << true << 64;
    QTest::newRow("poll, bytewise") << true << 1;
    QTest::newRow("mode switch, together") << false << 64;
    QTest::newRow("mode switch, bytewise") << false << 1;
    QTest::newRow("mode switch, chunks of 4") << false << 4;
}

void TestOmniCommEngine::otherSensorsFrameBeforeReply()
{
    QFETCH(bool, poll);
    QFETCH(int, chunkSize);
    Line line;
    line.goIdle();
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    RecordingCallback callback;
    EngineCommand command =
        poll ? OmniCommEngine::levelPollCommand(1) : OmniCommEngine::enableAutoModeCommand(1);
    command.callback = &callback;
    line.engine.request(command);
    const QByteArray reply = poll ? dataFrame(1) : hex("3E 01 07 00 98");

    const QByteArray input = dataFrame(2) + reply;
    for (int at = 0; at < input.size(); at += chunkSize)
        line.port.feed(input.mid(at, chunkSize));

    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QCOMPARE(hexText(callback.lastCommand().reply, reply.size()),
             QString::fromLatin1(reply.toHex(' ').toUpper()));
    QCOMPARE(detected.count(), 1);
    OmniCommSensor* other = line.sensor(2);
    checkDataOfSensor(other);
    QCOMPARE(other->mode(), OmniCommSensor::AutonomousMode);
    QVERIFY(line.engine.inputBuffer().isEmpty());
    QVERIFY(line.recordsWith(CommandCallback::Stray).isEmpty());
    // The new sensor's configuration waits for the line.
    QCOMPARE(line.engine.queuedCommandCount(), 1);
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.lastWrite(), withCrc(hex("31 02 F5")));
}

void TestOmniCommEngine::ownDataFrameBeforeReply_data()
{
    QTest::addColumn<EngineCommand>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("chunkSize");

    const EngineCommand read = OmniCommEngine::configurationCommand(3, false);
    const QByteArray configuration = withCrc(hex("3E 03 F5") + QByteArray(18, 0x01));
    QTest::newRow("configuration, together") << read << configuration << 64;
    QTest::newRow("configuration, bytewise") << read << configuration << 1;
    const EngineCommand write =
        OmniCommEngine::parameterWriteCommand(3, OmniCommEngine::SetFMax, 4000);
    QTest::newRow("write, chunks of 4") << write << withCrc(hex("3E 03 0C 00")) << 4;
}

// A self-sending sensor's frame may come ahead of its own reply to a request
// that is not a data request.
void TestOmniCommEngine::ownDataFrameBeforeReply()
{
    QFETCH(EngineCommand, command);
    QFETCH(QByteArray, reply);
    QFETCH(int, chunkSize);
    Line line;
    line.goIdle();
    OmniCommSensor* sensor = line.sensorAt(3, OmniCommSensor::AutonomousMode);
    sensor->intParameter(OmniCommSensor::RawLevelIndex)->invalidate();
    RecordingCallback callback;
    command.callback = &callback;
    line.engine.request(command);

    const QByteArray input = dataFrame(3) + reply;
    for (int at = 0; at < input.size(); at += chunkSize)
        line.port.feed(input.mid(at, chunkSize));

    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QCOMPARE(hexText(callback.lastCommand().reply, reply.size()),
             QString::fromLatin1(reply.toHex(' ').toUpper()));
    checkDataOfSensor(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::AutonomousMode);
    QVERIFY(line.engine.inputBuffer().isEmpty());
    QVERIFY(line.recordsWith(CommandCallback::Stray).isEmpty());
}

void TestOmniCommEngine::detectionSkipsTakenAddresses()
{
    Line line;
    for (int address : {0, 1, 3})
        line.sensorAt(address);
    EngineCommand probe = line.engine.detectNext();
    QCOMPARE(hexText(probe.request, probe.requestLength), QStringLiteral("31 02 06 39"));
    QCOMPARE(int(probe.replyLength), 9);
    QCOMPARE(int(probe.kind), int(EngineCommand::Plain));
    QVERIFY(probe.callback);
    QCOMPARE(int(line.engine.detectNext().request[1]), 4);

    line.engine.resetStateMachine();
    QCOMPARE(line.engine.detectAddress(), -1);
    QCOMPARE(int(line.engine.detectNext().request[1]), 2);
}

void TestOmniCommEngine::detectionWithEveryAddressTaken()
{
    Line line;
    for (int address = 0; address < 255; ++address)
        line.sensorAt(address, OmniCommSensor::AutonomousMode);
    QCOMPARE(int(line.engine.detectNext().request[1]), 255);
    QCOMPARE(int(line.engine.detectNext().request[1]), 255);

    line.sensorAt(255, OmniCommSensor::AutonomousMode);
    EngineCommand probe = line.engine.detectNext();
    QCOMPARE(int(probe.kind), int(EngineCommand::None));
    QCOMPARE(int(probe.requestLength), 0);
    line.engine.resetStateMachine();
    QCOMPARE(int(line.engine.detectNext().kind), int(EngineCommand::None));

    // With nothing to poll and nothing to probe, the idle step sends nothing.
    line.engine.setAutoDetectSensorsEnabled(true);
    line.goIdle();
    line.engine.slotOnStateCheckTimeout();
    QVERIFY(line.port.writes.isEmpty());
}

void TestOmniCommEngine::detectionPassesAndText()
{
    Line line;
    QSignalSpy progress(&line.engine, &SerialEngine::detectionStateChanged);
    const QString figureSpace(QChar(0x2007));
    QList<int> probed;
    for (int i = 0; i < 256; ++i)
        probed.append(line.engine.detectNext().request[1]);
    QCOMPARE(probed.first(), 0);
    QCOMPARE(probed.last(), 255);
    QCOMPARE(line.engine.detectionState(), 0);
    QCOMPARE(line.engine.detectionStateString(), QStringLiteral("255/255"));

    QCOMPARE(int(line.engine.detectNext().request[1]), 0);
    QCOMPARE(line.engine.detectionState(), 1);
    for (int i = 0; i < 7; ++i)
        line.engine.detectNext();
    QCOMPARE(line.engine.detectionStateString(), figureSpace + figureSpace + "7/255");
    for (int i = 0; i < 35; ++i)
        line.engine.detectNext();
    QCOMPARE(line.engine.detectionStateString(), figureSpace + "42/255");

    for (int i = 0; i < 2 * 256; ++i)
        line.engine.detectNext();
    QCOMPARE(line.engine.detectionState(), 2);
    QCOMPARE(progress.count(), 2);

    // A new sensor restarts the progress.
    line.engine.slotAddSensorFromDialog(100);
    QCOMPARE(line.engine.detectionState(), 0);
    QCOMPARE(progress.last().first().toInt(), 0);
}

void TestOmniCommEngine::probeAnswerCreatesNetworkSensor()
{
    Line line(true);
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    line.goIdle();
    QCOMPARE(line.lastWrite(), hex("31 00 06 A8"));

    // An unanswered probe finds nothing.
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.lastWrite(), withCrc(hex("31 01 06")));
    line.port.feed(hex("3E 01 06 19 00 02 10 27 46"));

    QCOMPARE(detected.count(), 1);
    QCOMPARE(line.engine.sensors().size(), 1);
    OmniCommSensor* sensor = line.sensor(1);
    checkDataOfSensor(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);
    QCOMPARE(line.engine.queuedCommandCount(), 1);
    line.engine.slotOnStateCheckTimeout();
    QCOMPARE(line.lastWrite(), withCrc(hex("31 01 F5")));

    // A probe answered for an address that was taken meanwhile is ignored.
    sensor->parameter(OmniCommSensor::RawLevelIndex)->invalidate();
    EngineCommand late = OmniCommEngine::levelPollCommand(1);
    std::copy_n(reinterpret_cast<const unsigned char*>(dataFrame(1).constData()), 9, late.reply);
    line.engine.detectionCallback(CommandCallback::Ok, late);
    QCOMPARE(line.engine.sensors().size(), 1);
    QVERIFY(!sensor->parameter(OmniCommSensor::RawLevelIndex)->isValid());
}

void TestOmniCommEngine::autonomousSensorsAreNotPolled()
{
    Line line;
    OmniCommSensor* network = line.sensorAt(1, OmniCommSensor::NetworkMode);
    OmniCommSensor* autonomous = line.sensorAt(2, OmniCommSensor::AutonomousMode);
    OmniCommSensor* unknown = line.sensorAt(3, OmniCommSensor::UnknownMode);
    QVERIFY(line.engine.readyToPoll(network));
    QVERIFY(!line.engine.readyToPoll(autonomous));
    QVERIFY(line.engine.readyToPoll(unknown));

    line.goIdle();
    for (int i = 0; i < 6; ++i) {
        line.port.feed(dataFrame(line.lastWrite().at(1)));
        line.engine.slotOnStateCheckTimeout();
        network->slotResetCoolDown();
        unknown->slotResetCoolDown();
    }
    for (const ScriptedSerialPort::Write& write : line.port.writes)
        QVERIFY(write.bytes.at(1) != 2);
    QVERIFY(line.port.writes.size() >= 6);
}

void TestOmniCommEngine::addSensorByAddress()
{
    Line line;
    QSignalSpy detected(&line.engine, &BaseEngine::sensorDetected);
    line.engine.slotAddSensorFromDialog(7);
    QCOMPARE(detected.count(), 1);
    OmniCommSensor* sensor = line.sensor(7);
    QVERIFY(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::UnknownMode);
    QVERIFY(line.port.writes.isEmpty());
    QCOMPARE(line.engine.queuedCommandCount(), 1);

    line.engine.slotAddSensorFromDialog(7);
    line.engine.slotAddSensorFromDialog(-1);
    line.engine.slotAddSensorFromDialog(256);
    QCOMPARE(detected.count(), 1);
    QCOMPARE(line.engine.sensors().size(), 1);
    QCOMPARE(line.engine.queuedCommandCount(), 1);
}

void TestOmniCommEngine::addSensorDialogCreatesSensor()
{
    Line line;
    const AddSensorPrompt prompt = line.engine.addSensorPrompt();
    QCOMPARE(prompt.label, QStringLiteral("Address"));
    QCOMPARE(prompt.minimum, 0);
    QCOMPARE(prompt.maximum, 255);
    line.engine.slotAddSensorFromDialog(12);
    QVERIFY(line.sensor(12));
}

void TestOmniCommEngine::deinitCancelsEveryCommandOnce()
{
    Line line;
    line.goIdle();
    RecordingCallback inFlight;
    RecordingCallback queued;
    EngineCommand poll = OmniCommEngine::levelPollCommand(1);
    poll.callback = &inFlight;
    line.engine.request(poll);
    poll.callback = &queued;
    line.engine.request(poll);

    line.engine.deinit();
    line.port.feed(dataFrame(1));

    QCOMPARE(inFlight.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QCOMPARE(queued.results, QList<CommandCallback::Result>{CommandCallback::Canceled});
    QVERIFY(line.engine.inputBuffer().isEmpty());
    QVERIFY(line.log.contains(QStringLiteral("Got unexpected input when in terminating state")));
}

QTEST_MAIN(TestOmniCommEngine)
#include "tst_omnicommengine.moc"

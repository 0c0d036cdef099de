#include "port/scriptedserialport.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray withCrc(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    return bytes + char(OmniCommEngine::crc8(data, bytes.size()));
}

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

const quint32 kExtended = OmniCommSensor::FeatureExtendedConfiguration;

// One sensor at address 1 on an idle line. Its cool-down is held, so it is
// polled only when a test releases it.
struct Bench
{
    LogCapture log;
    ScriptedSerialPort port;
    OmniCommEngine engine;
    OmniCommSensor* sensor;

    explicit Bench(quint32 features = 0)
        : engine(features)
    {
        port.open();
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(false);
        sensor = new OmniCommSensor(&engine);
        sensor->setAddress(1);
        sensor->invokeCoolDown();
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
    }

    ~Bench()
    {
        engine.deinit();
        delete sensor;
    }

    QByteArray lastWrite() const
    {
        return port.writes.isEmpty() ? QByteArray() : port.writes.last().bytes;
    }

    // Answers the command in flight, then lets the engine go on.
    void answer(const QByteArray& replyWithoutCrc)
    {
        port.feed(withCrc(replyWithoutCrc));
        engine.slotOnStateCheckTimeout();
    }

    void timeOut() { engine.slotOnStateCheckTimeout(); }

    void poll()
    {
        sensor->slotResetCoolDown();
        QCOMPARE(lastWrite(), hex("31 01 06 6C"));
    }

    int value(int index) const { return sensor->intParameter(index)->value(); }
    bool isValid(int index) const { return sensor->parameter(index)->isValid(); }
};

} // namespace

class TestOmniCommSensor : public QObject
{
    Q_OBJECT

private slots:
    void parameters();
    void levelScaling_data();
    void levelScaling();
    void parseDataSetsModeAndValues();
    void pollStoresValuesAndAsksForConfiguration();
    void failedPollInvalidatesMeasurements();
    void configuration_data();
    void configuration();
    void failedConfigurationInvalidates_data();
    void failedConfigurationInvalidates();
    void parameterWrite_data();
    void parameterWrite();
    void refusedAndFailedWrites_data();
    void refusedAndFailedWrites();
    void writesRefusedWithoutTraffic();
    void modeSwitch();
    void addressChange();
    void selfSendingSensorIsAskedForItsConfiguration();
};

void TestOmniCommSensor::parameters()
{
    Bench bench;
    const QStringList titles = {"Level",
                                "Raw level",
                                "Temperature",
                                "F",
                                "Auto interval",
                                "FMax",
                                "FMin",
                                "SampleCount",
                                "PWM_Max",
                                "ControlOutput",
                                "DataFormat",
                                "NormalTemperature",
                                "AnalogueOutputRatio",
                                "AnalogueOutputRange"};
    QCOMPARE(bench.sensor->parameterCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(bench.sensor->parameter(i)->title(), titles.at(i));
        QCOMPARE(bench.sensor->parameter(i)->type(),
                 i == 0 ? KtParameter::Float : KtParameter::Int);
        QVERIFY(!bench.sensor->parameter(i)->isValid());
    }
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::UnknownMode);
}

void TestOmniCommSensor::levelScaling_data()
{
    QTest::addColumn<int>("dataFormat");
    QTest::addColumn<int>("raw");
    QTest::addColumn<float>("divisor");
    QTest::addColumn<float>("level");
    QTest::newRow("not yet known") << -1 << 512 << 1023.0f << 512.0f / 1023.0f;
    QTest::newRow("format 0") << 0 << 1023 << 1023.0f << 1.0f;
    QTest::newRow("format 1") << 1 << 2048 << 4095.0f << 2048.0f / 4095.0f;
    QTest::newRow("format 2") << 2 << 8191 << 8191.0f << 1.0f;
    QTest::newRow("format 3") << 3 << 2048 << 65535.0f << 2048.0f / 65535.0f;
    QTest::newRow("unknown format") << 200 << 65535 << 65535.0f << 1.0f;
}

void TestOmniCommSensor::levelScaling()
{
    QFETCH(int, dataFormat);
    QFETCH(int, raw);
    QFETCH(float, divisor);
    QFETCH(float, level);
    Bench bench;
    if (dataFormat >= 0)
        bench.sensor->intParameter(OmniCommSensor::DataFormatIndex)->setValue(dataFormat);
    QByteArray frame = hex("3E 01 06 19 00 00 10 27");
    frame[4] = char(raw & 0xFF);
    frame[5] = char(raw >> 8);

    bench.sensor->parseData(bytesOf(withCrc(frame)), OmniCommSensor::NetworkMode, 0);

    QCOMPARE(bench.sensor->dataFormatDivisor(), divisor);
    QCOMPARE(bench.sensor->floatParameter(OmniCommSensor::LevelIndex)->value(), level);
    QCOMPARE(bench.value(OmniCommSensor::RawLevelIndex), raw);
}

void TestOmniCommSensor::parseDataSetsModeAndValues()
{
    Bench bench;
    QSignalSpy modeChanged(bench.sensor, &OmniCommSensor::modeChanged);
    QSignalSpy updated(bench.sensor, &BaseSensor::updated);

    const QByteArray frame = withCrc(hex("3E 01 06 EC FF 0F 88 13"));
    bench.sensor->parseData(bytesOf(frame), OmniCommSensor::AutonomousMode, 0);
    QCOMPARE(bench.value(OmniCommSensor::TemperatureIndex), -20);
    QCOMPARE(bench.value(OmniCommSensor::RawLevelIndex), 4095);
    QCOMPARE(bench.value(OmniCommSensor::FrequencyIndex), 5000);
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::AutonomousMode);
    QVERIFY(bench.log.contains(QStringLiteral("OmniCommSensor: T=-20, lvl=")));

    // The same mode again is still announced.
    bench.sensor->parseData(bytesOf(frame), OmniCommSensor::AutonomousMode, 0);
    QCOMPARE(modeChanged.count(), 2);
    QCOMPARE(updated.count(), 2);
}

void TestOmniCommSensor::pollStoresValuesAndAsksForConfiguration()
{
    Bench bench;
    const EngineCommand poll = bench.sensor->pollLevel();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(poll.request), poll.requestLength),
             hex("31 01 06 6C"));
    QCOMPARE(int(poll.kind), int(EngineCommand::LevelPoll));
    QCOMPARE(int(poll.replyLength), 9);
    QVERIFY(poll.callback);

    QSignalSpy updated(bench.sensor, &BaseSensor::updated);
    QSignalSpy configurationUpdated(bench.sensor, &OmniCommSensor::configurationUpdated);
    bench.poll();
    bench.answer(hex("3E 01 06 19 00 02 10 27"));

    QCOMPARE(bench.value(OmniCommSensor::TemperatureIndex), 25);
    QCOMPARE(bench.value(OmniCommSensor::RawLevelIndex), 512);
    QCOMPARE(bench.value(OmniCommSensor::FrequencyIndex), 10000);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::UnknownMode);
    QCOMPARE(bench.log.linesOf(Logger::Sensor),
             QStringList(QStringLiteral("[31 01 06 6C] [3E 01 06 19 00 02 10 27 46] "
                                        "rawlvl=512, lvl=0.500489, T=25, freq=10000")));

    // Without a data format every successful poll asks for the configuration,
    // until one read succeeds.
    QCOMPARE(bench.lastWrite(), hex("31 01 F5 FA"));
    bench.timeOut();
    QCOMPARE(configurationUpdated.count(), 1);
    bench.poll();
    bench.answer(hex("3E 01 06 19 00 02 10 27"));
    QCOMPARE(bench.lastWrite(), hex("31 01 F5 FA"));
    bench.answer(hex("3E 01 F5 00 00 00 00 A0 0F F4 01 00 10 00 00 00 00 00 00 01 14"));
    QCOMPARE(configurationUpdated.count(), 2);
    QCOMPARE(bench.value(OmniCommSensor::DataFormatIndex), 1);

    const int written = bench.port.writes.size();
    bench.poll();
    bench.answer(hex("3E 01 06 19 00 02 10 27"));
    QCOMPARE(bench.port.writes.size(), written + 1);
    QCOMPARE(bench.engine.queuedCommandCount(), 0);
    QCOMPARE(bench.sensor->floatParameter(OmniCommSensor::LevelIndex)->value(), 512.0f / 4095.0f);
}

void TestOmniCommSensor::failedPollInvalidatesMeasurements()
{
    Bench bench;
    bench.sensor->intParameter(OmniCommSensor::DataFormatIndex)->setValue(0);
    bench.sensor->parseData(bytesOf(withCrc(hex("3E 01 06 19 00 02 10 27"))),
                            OmniCommSensor::NetworkMode, 0);
    QSignalSpy updated(bench.sensor, &BaseSensor::updated);

    bench.poll();
    bench.timeOut();

    for (int index : {OmniCommSensor::LevelIndex, OmniCommSensor::RawLevelIndex,
                      OmniCommSensor::TemperatureIndex, OmniCommSensor::FrequencyIndex})
        QVERIFY(!bench.isValid(index));
    QVERIFY(bench.isValid(OmniCommSensor::DataFormatIndex));
    QCOMPARE(updated.count(), 1);
    QCOMPARE(bench.log.linesOf(Logger::Sensor),
             QStringList(QStringLiteral("[31 01 06 6C] Timeout")));
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::NetworkMode);
}

void TestOmniCommSensor::configuration_data()
{
    QTest::addColumn<quint32>("features");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("mode");

    // Parameters 4 to 13; 7, 8 and 9 are what the test stored before the read.
    QTest::newRow("normal layout")
        << quint32(0) << hex("3E 01 F5 00 00 00 1E A0 0F F4 01 01 10 00 0A 80 B8 0B 00 81 14")
        << QList<int>{7, 4000, 500, 16, -10, 3000, 1, 20, 8, 9}
        << int(OmniCommSensor::AutonomousMode);
    QTest::newRow("extended layout")
        << kExtended << hex("3E 01 F5 00 00 00 1E A0 0F F4 01 01 10 00 0A 80 B8 0B 00 81 14 02 01")
        << QList<int>{30, 4000, 500, 16, -10, 3000, 1, 20, 258, 1}
        << int(OmniCommSensor::AutonomousMode);
    QTest::newRow("extended, network, positive PWM")
        << kExtended << hex("3E 01 F5 00 00 00 05 10 27 00 00 00 01 00 64 00 00 00 00 02 00 00 00")
        << QList<int>{5, 10000, 0, 1, 100, 0, 2, 0, 0, 0} << int(OmniCommSensor::NetworkMode);
}

void TestOmniCommSensor::configuration()
{
    QFETCH(quint32, features);
    QFETCH(QByteArray, reply);
    QFETCH(QList<int>, values);
    QFETCH(int, mode);
    Bench bench(features);
    bench.sensor->intParameter(OmniCommSensor::AutoIntervalIndex)->setValue(7);
    bench.sensor->intParameter(OmniCommSensor::AnalogueOutputRatioIndex)->setValue(8);
    bench.sensor->intParameter(OmniCommSensor::AnalogueOutputRangeIndex)->setValue(9);
    QSignalSpy configurationUpdated(bench.sensor, &OmniCommSensor::configurationUpdated);
    QSignalSpy modeChanged(bench.sensor, &OmniCommSensor::modeChanged);

    bench.sensor->requestConfigurationUpdate();
    QCOMPARE(bench.lastWrite(), hex("31 01 F5 FA"));
    QCOMPARE(int(bench.engine.currentCommand().replyLength), reply.size() + 1);
    bench.answer(reply);

    QList<int> stored;
    for (int index = OmniCommSensor::AutoIntervalIndex;
         index <= OmniCommSensor::AnalogueOutputRangeIndex; ++index)
        stored.append(bench.value(index));
    QCOMPARE(stored, values);
    QCOMPARE(int(bench.sensor->mode()), mode);
    QCOMPARE(modeChanged.count(), 1);
    QCOMPARE(configurationUpdated.count(), 1);
    QVERIFY(bench.log.contains(QStringLiteral("OmniCommSensor: Got configuration")));
}

void TestOmniCommSensor::failedConfigurationInvalidates_data()
{
    QTest::addColumn<quint32>("features");
    QTest::addColumn<bool>("extendedInvalidated");
    QTest::newRow("normal") << quint32(0) << false;
    QTest::newRow("extended") << kExtended << true;
}

void TestOmniCommSensor::failedConfigurationInvalidates()
{
    QFETCH(quint32, features);
    QFETCH(bool, extendedInvalidated);
    Bench bench(features);
    for (int index = OmniCommSensor::AutoIntervalIndex;
         index <= OmniCommSensor::AnalogueOutputRangeIndex; ++index)
        bench.sensor->intParameter(index)->setValue(1);
    QSignalSpy configurationUpdated(bench.sensor, &OmniCommSensor::configurationUpdated);

    bench.sensor->requestConfigurationUpdate();
    QByteArray broken =
        withCrc(hex("3E 01 F5 00 00 00 1E A0 0F F4 01 01 10 00 0A 80 B8 0B 00 81 14"));
    if (extendedInvalidated)
        broken.insert(21, hex("02 01"));
    broken[7] = char(0xA1);
    bench.port.feed(broken);
    // A damaged basic reply might be the head of an extended one: it fails
    // once nothing more comes.
    if (bench.engine.state() == SerialEngine::WaitingReply)
        bench.engine.slotOnStateCheckTimeout();

    QCOMPARE(configurationUpdated.count(), 1);
    for (int index = OmniCommSensor::FMaxIndex; index <= OmniCommSensor::NormalTemperatureIndex;
         ++index)
        QVERIFY(!bench.isValid(index));
    for (int index : {OmniCommSensor::AutoIntervalIndex, OmniCommSensor::AnalogueOutputRatioIndex,
                      OmniCommSensor::AnalogueOutputRangeIndex})
        QCOMPARE(bench.isValid(index), !extendedInvalidated);
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::UnknownMode);
}

void TestOmniCommSensor::parameterWrite_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("stored");

    QTest::newRow("auto interval") << 4 << QVariant(10) << hex("31 01 13 0A AB") << 10;
    QTest::newRow("auto interval 255") << 4 << QVariant(255) << hex("31 01 13 FF E0") << 255;
    QTest::newRow("fmax") << 5 << QVariant(1000) << hex("31 01 0C E8 03 9C") << 1000;
    QTest::newRow("fmax cut to 16 bits")
        << 5 << QVariant(70000) << hex("31 01 0C 70 11 08") << 0x1170;
    QTest::newRow("fmin") << 6 << QVariant(300) << hex("31 01 0B 2C 01 D5") << 300;
    QTest::newRow("sample count") << 7 << QVariant(0x1234) << hex("31 01 F7 34 12 06") << 0x1234;
    QTest::newRow("pwm negative") << 8 << QVariant(-10) << hex("31 01 FD 0A 80 30") << -10;
    QTest::newRow("pwm positive") << 8 << QVariant(1000) << hex("31 01 FD E8 03 BA") << 1000;
    QTest::newRow("control output") << 9 << QVariant(500) << hex("31 01 F0 F4 01 B7") << 500;
    QTest::newRow("data format") << 10 << QVariant(2) << hex("31 01 F6 02 E3") << 2;
    QTest::newRow("normal temperature") << 11 << QVariant(20) << hex("31 01 E0 14 E5") << 20;
    QTest::newRow("analogue ratio") << 12 << QVariant(0x0102) << hex("31 01 0D 02 01 19") << 258;
    QTest::newRow("analogue range") << 13 << QVariant(1) << hex("31 01 0E 01 EE") << 1;
    QTest::newRow("from text") << 5 << QVariant(QStringLiteral("1000")) << hex("31 01 0C E8 03 9C")
                               << 1000;
    QTest::newRow("mode switch row") << 14 << QVariant() << hex("31 01 07 32") << -1;
}

void TestOmniCommSensor::parameterWrite()
{
    QFETCH(int, index);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, request);
    QFETCH(int, stored);
    Bench bench;
    RecordingCallback callback;

    bench.sensor->requestChangeParameter(index, value, &callback);
    QCOMPARE(bench.lastWrite(), request);
    QCOMPARE(int(bench.engine.currentCommand().replyLength), 5);
    QCOMPARE(callback.count(), 0);
    QByteArray status = hex("3E 01 00 00");
    status[2] = request.at(2);
    bench.answer(status);

    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    if (stored >= 0)
        QCOMPARE(bench.value(index), stored);
    else
        QCOMPARE(bench.sensor->mode(), OmniCommSensor::UnknownMode);
}

void TestOmniCommSensor::refusedAndFailedWrites_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("refused") << withCrc(hex("3E 01 0C 01")) << int(CommandCallback::Nack);
    QTest::newRow("refused with another code")
        << withCrc(hex("3E 01 0C 80")) << int(CommandCallback::Nack);
    QTest::newRow("crc fail") << hex("3E 01 0C 00 00") << int(CommandCallback::CrcFail);
    QTest::newRow("no reply") << QByteArray() << int(CommandCallback::Timeout);
    QTest::newRow("garbage") << hex("00 01") << int(CommandCallback::Timeout);
}

void TestOmniCommSensor::refusedAndFailedWrites()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    Bench bench;
    bench.sensor->intParameter(OmniCommSensor::FMaxIndex)->setValue(4000);
    RecordingCallback callback;

    bench.sensor->requestChangeParameter(OmniCommSensor::FMaxIndex, 1000, &callback);
    if (!reply.isEmpty())
        bench.port.feed(reply);
    bench.timeOut();

    QCOMPARE(callback.count(), 1);
    QCOMPARE(int(callback.lastResult()), result);
    QCOMPARE(bench.value(OmniCommSensor::FMaxIndex), 4000);
}

void TestOmniCommSensor::writesRefusedWithoutTraffic()
{
    Bench bench;
    for (int index : {4, 0, 1, 2, 3, 15, -1, 100}) {
        RecordingCallback callback;
        bench.sensor->requestChangeParameter(index, index == 4 ? 0 : 5, &callback);
        QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Nack});
        QCOMPARE(int(callback.lastCommand().requestLength), 0);
    }
    // A value that does not convert counts as 0.
    RecordingCallback callback;
    bench.sensor->requestChangeParameter(4, QStringLiteral("soon"), &callback);
    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Nack});
    QVERIFY(bench.port.writes.isEmpty());
    QCOMPARE(bench.engine.queuedCommandCount(), 0);
}

void TestOmniCommSensor::modeSwitch()
{
    Bench bench;
    QSignalSpy modeChanged(bench.sensor, &OmniCommSensor::modeChanged);
    RecordingCallback callback;

    bench.sensor->requestSetMode(OmniCommSensor::UnknownMode, &callback);
    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Ok});
    QVERIFY(bench.port.writes.isEmpty());

    bench.sensor->requestSetMode(OmniCommSensor::AutonomousMode, &callback);
    QCOMPARE(bench.lastWrite(), hex("31 01 07 32"));
    bench.timeOut();
    QCOMPARE(callback.results.last(), CommandCallback::Timeout);
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::UnknownMode);
    QCOMPARE(modeChanged.count(), 0);

    // The status byte says nothing of the direction; any answer toggles.
    bench.sensor->requestSetMode(OmniCommSensor::AutonomousMode, &callback);
    bench.answer(hex("3E 01 07 01"));
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::AutonomousMode);
    QCOMPARE(modeChanged.count(), 1);
    // Autonomous sensors are no longer polled.
    QVERIFY(!bench.engine.readyToPoll(bench.sensor));

    bench.sensor->requestSetMode(OmniCommSensor::NetworkMode, &callback);
    QCOMPARE(bench.lastWrite(), hex("31 01 07 32"));
    bench.answer(hex("3E 01 07 00"));
    QCOMPARE(bench.sensor->mode(), OmniCommSensor::NetworkMode);
    QCOMPARE(callback.results,
             (QList<CommandCallback::Result>{CommandCallback::Ok, CommandCallback::Timeout,
                                             CommandCallback::Ok, CommandCallback::Ok}));
}

void TestOmniCommSensor::addressChange()
{
    Bench bench;
    QSignalSpy addressChanged(bench.sensor, &BaseSensor::addressChanged);

    bench.sensor->requestSetAddress(256);
    bench.sensor->requestSetAddress(-1);
    QVERIFY(bench.port.writes.isEmpty());

    bench.sensor->requestSetAddress(5);
    QCOMPARE(bench.lastWrite(), hex("31 01 03 05 06"));
    bench.timeOut();
    QCOMPARE(bench.sensor->address(), quint8(1));

    bench.sensor->requestSetAddress(5);
    bench.answer(hex("3E 01 03 00"));
    QCOMPARE(bench.sensor->address(), quint8(5));
    QCOMPARE(addressChanged.count(), 1);
    QCOMPARE(addressChanged.first().first().value<uint8_t>(), uint8_t(5));
    QCOMPARE(bench.sensor->pollLevel().request[1], quint8(5));
}

// Never polled, a self-sending sensor is asked for its configuration by its own
// frames: until it is read, or until it has not answered three reads.
void TestOmniCommSensor::selfSendingSensorIsAskedForItsConfiguration()
{
    Bench bench;
    const QByteArray frame = withCrc(hex("3E 01 06 14 00 08 10 27"));
    const auto configurationReads = [&bench] {
        return std::count_if(
            bench.port.writes.begin(), bench.port.writes.end(),
            [](const auto& write) { return write.bytes.startsWith(hex("31 01 F5")); });
    };
    bench.sensor->requestConfigurationUpdate(); // as on detection, and lost
    bench.timeOut();
    bench.timeOut();
    for (int frames = 0; frames < 6; ++frames) {
        bench.sensor->parseData(bytesOf(frame), OmniCommSensor::AutonomousMode, 1000 + frames);
        bench.timeOut();
        bench.timeOut();
    }
    QCOMPARE(configurationReads(), 4);
    QVERIFY(bench.sensor->configurationGivenUp());
    QCOMPARE(bench.sensor->configurationState(), OmniCommSensor::ConfigurationFailed);
    QCOMPARE(bench.sensor->configurationFailure(), CommandCallback::Timeout);
    QVERIFY(!bench.sensor->lastReading().levelKnown);

    // Asked by the user, it answers after all: its level is known from the next frame on.
    bench.sensor->requestConfigurationUpdate();
    bench.answer(hex("3E 01 F5") + QByteArray(16, 0) + char(2) + QByteArray(1, 0));
    QCOMPARE(bench.sensor->configurationState(), OmniCommSensor::ConfigurationRead);
    QVERIFY(!bench.sensor->configurationGivenUp());
    bench.sensor->parseData(bytesOf(frame), OmniCommSensor::AutonomousMode, 2000);
    QVERIFY(bench.sensor->lastReading().levelKnown);
    QCOMPARE(configurationReads(), 5);
}

QTEST_GUILESS_MAIN(TestOmniCommSensor)
#include "tst_omnicommsensor.moc"

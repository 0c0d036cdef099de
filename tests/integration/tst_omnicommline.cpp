// The Omnicomm engine on the real serial port against a simulated sensor line.
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "support/commandledger.h"
#include "support/enginerig.h"
#include "support/recordingcallback.h"
#include "support/waituntil.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Capability flags of the model rows the tests use.
const quint32 kZT33 = 0x0001;
const quint32 kZT42 = 0x0012;
const quint32 kZT43 = 0x001A;

const int kWaitMs = 10000;
// A full detection pass probes 256 addresses; most time out.
const int kDetectionWaitMs = 50000;

int intValue(const OmniCommSensor* sensor, int index)
{
    return sensor->parameter(index)->variantValue().toInt();
}

// One line with its engine. The engine goes first on the way out, so whatever
// it still holds is completed while the port is open.
struct Rig : EngineRig<OmniCommEngine>
{
    using EngineRig::EngineRig;

    OmniCommSensor* add(int address) { return engine.sensorDetectedCallback(address); }

    // Until the sensor reports a reading taken while its data format was known,
    // so its level is scaled by the format it really has. The reading is checked
    // at once: a configuration read that fails forgets the format again, and the
    // next poll would scale by another one.
    static bool waitForScaledReading(OmniCommSensor* sensor)
    {
        bool scaled = false;
        const QMetaObject::Connection watch = QObject::connect(sensor, &BaseSensor::updated, [&] {
            scaled = sensor->parameter(OmniCommSensor::LevelIndex)->isValid() &&
                     sensor->parameter(OmniCommSensor::DataFormatIndex)->isValid();
        });
        const bool seen = waitUntil([&] { return scaled; }, kWaitMs);
        QObject::disconnect(watch);
        return seen;
    }
};

void checkReading(const OmniCommSensor* sensor, double level)
{
    const int raw = int(std::lround(level * 8191));
    QCOMPARE(intValue(sensor, OmniCommSensor::RawLevelIndex), raw);
    QCOMPARE(sensor->parameter(OmniCommSensor::LevelIndex)->variantValue().toFloat(),
             float(raw) / 8191.0f);
    QCOMPARE(intValue(sensor, OmniCommSensor::TemperatureIndex), 20);
    QCOMPARE(intValue(sensor, OmniCommSensor::FrequencyIndex),
             int(std::lround(20000 - level * 15000)));
}

} // namespace

class TestOmnicommLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectionFindsExactlyTheSimulatedSensors();
    void slowSensorIsStillFound();
    void pollsReturnTheSimulatedLevels_data();
    void pollsReturnTheSimulatedLevels();
    void configurationIsRead_data();
    void configurationIsRead();
    void everyWriteReachesTheSensor();
    void modeSwitchAndAutonomousFrames();
    void selfSendingSensorIsFoundFromItsFrames();
    void addressChangeRoundTrip();
    void faultsNeitherStopPollingNorLoseCommands();
};

void TestOmnicommLine::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestOmnicommLine::detectionFindsExactlyTheSimulatedSensors()
{
    // Both ends of the address range and one in between.
    Rig rig(SimulatedLine::options("ZT-33", {0, 77, 255}), kZT33);
    QSignalSpy detected(&rig.engine, &BaseEngine::sensorDetected);
    QVERIFY2(rig.start(true), qPrintable(rig.error));

    // A pass over all addresses ends in detection state 1; finding a sensor
    // restarts the count, so a sensor missed once is still found.
    QVERIFY(waitUntil(
        [&] { return rig.engine.detectionState() >= 1 && rig.engine.sensors().size() >= 3; },
        kDetectionWaitMs));
    QCOMPARE(SimulatedLine::addressesOf(rig.engine), QList<int>({0, 77, 255}));
    QCOMPARE(detected.count(), 3);
    for (SerialSensor* found : rig.engine.sensors()) {
        auto* sensor = qobject_cast<OmniCommSensor*>(found);
        QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);
        QVERIFY(rig.waitForScaledReading(sensor));
        checkReading(sensor, 0.5);
    }
}

// The slow sensor answers after the first sweep's window, within the protocol's:
// it is found from its late answer or by the next sweep, as a sensor to poll,
// not as one sending by itself, whether its configuration came or not.
void TestOmnicommLine::slowSensorIsStillFound()
{
    sim::LineOptions options = SimulatedLine::options("ZT-33", {3});
    options.slowMs.insert(7, 40);
    options.addresses << 7;
    Rig rig(options, kZT33);
    QVERIFY2(rig.start(true), qPrintable(rig.error));
    QVERIFY(waitUntil([&] { return rig.engine.sensors().size() >= 2; }, kDetectionWaitMs));
    QCOMPARE(SimulatedLine::addressesOf(rig.engine), QList<int>({3, 7}));
    const auto* slow = qobject_cast<OmniCommSensor*>(rig.engine.sensorByAddress(7));
    QCOMPARE(slow->mode(), OmniCommSensor::NetworkMode);
}

void TestOmnicommLine::pollsReturnTheSimulatedLevels_data()
{
    QTest::addColumn<double>("level");
    QTest::newRow("empty") << 0.0;
    QTest::newRow("half") << 0.5;
    QTest::newRow("full") << 1.0;
}

void TestOmnicommLine::pollsReturnTheSimulatedLevels()
{
    QFETCH(double, level);
    Rig rig(SimulatedLine::options("ZT-33", {1, 2}, level), kZT33);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    for (OmniCommSensor* sensor : {rig.add(1), rig.add(2)}) {
        QVERIFY(rig.waitForScaledReading(sensor));
        checkReading(sensor, level);
    }
    QCOMPARE(rig.sim.line().bytesAtWrongRate(), 0u);
}

void TestOmnicommLine::configurationIsRead_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<quint32>("features");
    QTest::newRow("22 bytes") << "ZT-33" << kZT33;
    QTest::newRow("24 bytes, extended") << "ZT-43" << kZT43;
}

void TestOmnicommLine::configurationIsRead()
{
    QFETCH(QString, model);
    QFETCH(quint32, features);
    Rig rig(SimulatedLine::options(model, {5}), features);
    sim::OmnicommConfig& config = rig.sim.sensorAt(5)->omnicomm();
    config.autoInterval = 9;
    config.fMax = 18000;
    config.fMin = 3000;
    config.sampleCount = 42;
    config.pwmMax = -10;
    config.controlOutput = 700;
    config.dataFormat = 1;
    config.normalTemperature = 25;
    config.analogueRatio = 1234;
    config.analogueRange = 1;
    QVERIFY2(rig.start(), qPrintable(rig.error));

    OmniCommSensor* sensor = rig.add(5);
    QSignalSpy configured(sensor, &OmniCommSensor::configurationUpdated);
    QVERIFY(configured.wait(kWaitMs));
    QCOMPARE(intValue(sensor, OmniCommSensor::FMaxIndex), 18000);
    QCOMPARE(intValue(sensor, OmniCommSensor::FMinIndex), 3000);
    QCOMPARE(intValue(sensor, OmniCommSensor::SampleCountIndex), 42);
    QCOMPARE(intValue(sensor, OmniCommSensor::PwmMaxIndex), -10);
    QCOMPARE(intValue(sensor, OmniCommSensor::ControlOutputIndex), 700);
    QCOMPARE(intValue(sensor, OmniCommSensor::DataFormatIndex), 1);
    QCOMPARE(intValue(sensor, OmniCommSensor::NormalTemperatureIndex), 25);
    QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);
    const bool extended = sensor->hasExtendedConfiguration();
    QCOMPARE(extended, model == QLatin1String("ZT-43"));
    for (int index : {OmniCommSensor::AutoIntervalIndex, OmniCommSensor::AnalogueOutputRatioIndex,
                      OmniCommSensor::AnalogueOutputRangeIndex})
        QCOMPARE(sensor->parameter(index)->isValid(), extended);
    if (extended) {
        QCOMPARE(intValue(sensor, OmniCommSensor::AutoIntervalIndex), 9);
        QCOMPARE(intValue(sensor, OmniCommSensor::AnalogueOutputRatioIndex), 1234);
        QCOMPARE(intValue(sensor, OmniCommSensor::AnalogueOutputRangeIndex), 1);
    }
}

void TestOmnicommLine::everyWriteReachesTheSensor()
{
    Rig rig(SimulatedLine::options("ZT-43", {5}), kZT43);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    OmniCommSensor* sensor = rig.add(5);
    QSignalSpy configured(sensor, &OmniCommSensor::configurationUpdated);
    QVERIFY(configured.wait(kWaitMs));
    SimulatedLine::holdPolls(sensor);
    const sim::OmnicommConfig& config = rig.sim.sensorAt(5)->omnicomm();
    RecordingCallback written;
    const auto write = [&](int index, const QVariant& value) {
        const int before = written.count();
        if (rig.sim.waitForQuietLine(rig.engine))
            sensor->requestChangeParameter(index, value, &written);
        return waitUntil([&] { return written.count() == before + 1; }, kWaitMs)
                   ? written.lastResult()
                   : CommandCallback::Timeout;
    };

    struct Row
    {
        int index;
        int value;
        std::function<int()> stored;
    };
    const QList<Row> rows = {
        {OmniCommSensor::AutoIntervalIndex, 7,
         [&] {
             return config.autoInterval;
         }},
        {OmniCommSensor::FMaxIndex, 25000,
         [&] {
             return config.fMax;
         }},
        {OmniCommSensor::FMinIndex, 4000,
         [&] {
             return config.fMin;
         }},
        {OmniCommSensor::SampleCountIndex, 30,
         [&] {
             return config.sampleCount;
         }},
        {OmniCommSensor::PwmMaxIndex, -250,
         [&] {
             return config.pwmMax;
         }},
        {OmniCommSensor::ControlOutputIndex, 1500,
         [&] {
             return config.controlOutput;
         }},
        {OmniCommSensor::DataFormatIndex, 3,
         [&] {
             return config.dataFormat;
         }},
        {OmniCommSensor::NormalTemperatureIndex, 30,
         [&] {
             return config.normalTemperature;
         }},
        {OmniCommSensor::AnalogueOutputRatioIndex, 2000,
         [&] {
             return config.analogueRatio;
         }},
        {OmniCommSensor::AnalogueOutputRangeIndex, 1,
         [&] {
             return config.analogueRange;
         }},
    };
    for (const Row& row : rows) {
        QCOMPARE(write(row.index, row.value), CommandCallback::Ok);
        QCOMPARE(row.stored(), row.value);
        QCOMPARE(intValue(sensor, row.index), row.value);
    }
    QCOMPARE(rig.sim.sensorAt(5)->counters().writesApplied, quint64(rows.size()));

    // Values the sensor refuses leave both sides as they were.
    QCOMPARE(write(OmniCommSensor::FMinIndex, 30000), CommandCallback::Nack);
    QCOMPARE(write(OmniCommSensor::SampleCountIndex, 0), CommandCallback::Nack);
    QCOMPARE(config.fMin, 4000);
    QCOMPARE(config.sampleCount, 30);
    QCOMPARE(intValue(sensor, OmniCommSensor::FMinIndex), 4000);
    QCOMPARE(intValue(sensor, OmniCommSensor::SampleCountIndex), 30);
    // An auto interval of 0 is refused before anything goes on the line.
    const quint64 requests = rig.sim.sensorAt(5)->counters().requests;
    QCOMPARE(write(OmniCommSensor::AutoIntervalIndex, 0), CommandCallback::Nack);
    QCOMPARE(rig.sim.sensorAt(5)->counters().requests, requests);

    // What the sensor now reports is what was written.
    sensor->requestConfigurationUpdate();
    QVERIFY(configured.wait(kWaitMs));
    for (const Row& row : rows)
        QCOMPARE(intValue(sensor, row.index), row.value);
}

void TestOmnicommLine::modeSwitchAndAutonomousFrames()
{
    sim::LineOptions options = SimulatedLine::options("ZT-42", {3});
    options.autoIntervalUnitMs = 100;
    Rig rig(options, kZT42);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    sim::SimSensor* simSensor = rig.sim.sensorAt(3);
    OmniCommSensor* sensor = rig.add(3);
    QSignalSpy configured(sensor, &OmniCommSensor::configurationUpdated);
    QVERIFY(configured.wait(kWaitMs));
    QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);

    // Frames that reach the sensor once it knows it sends by itself.
    int frames = 0;
    connect(sensor, &BaseSensor::updated, this,
            [&] { frames += sensor->mode() == OmniCommSensor::AutonomousMode ? 1 : 0; });
    RecordingCallback switched;
    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    sensor->requestSetMode(OmniCommSensor::AutonomousMode, &switched);
    QVERIFY(waitUntil([&] { return switched.count() == 1; }, kWaitMs));
    QCOMPARE(switched.lastResult(), CommandCallback::Ok);
    QCOMPARE(sensor->mode(), OmniCommSensor::AutonomousMode);
    QVERIFY(simSensor->isAutonomous());

    // The sensor now sends by itself and is no longer polled.
    SimulatedLine::releasePolls(sensor);
    const quint64 requests = simSensor->counters().requests;
    QVERIFY(waitUntil([&] { return frames >= 3; }, kWaitMs));
    QCOMPARE(simSensor->counters().requests, requests);
    checkReading(sensor, 0.5);

    // Quieten the sensor and take in what it already sent before switching back,
    // so that no frame of its own crosses the switch's reply.
    rig.sim.line().setAutoIntervalUnitMs(3600 * 1000);
    QVERIFY(
        waitUntil([&] { return quint64(frames) == simSensor->counters().unsolicited; }, kWaitMs));
    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    sensor->requestSetMode(OmniCommSensor::NetworkMode, &switched);
    QVERIFY(waitUntil([&] { return switched.count() == 2; }, kWaitMs));
    QCOMPARE(switched.lastResult(), CommandCallback::Ok);
    QCOMPARE(sensor->mode(), OmniCommSensor::NetworkMode);
    QVERIFY(!simSensor->isAutonomous());
    SimulatedLine::releasePolls(sensor);
    QVERIFY(waitUntil([&] { return simSensor->counters().requests >= requests + 3; }, kWaitMs));
    QCOMPARE(simSensor->counters().writesApplied, 2u);
}

void TestOmnicommLine::selfSendingSensorIsFoundFromItsFrames()
{
    sim::LineOptions options = SimulatedLine::options("ZT-42", {7});
    options.autonomous = {7};
    options.autoIntervalUnitMs = 100;
    Rig rig(options, kZT42);
    QSignalSpy detected(&rig.engine, &BaseEngine::sensorDetected);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    QVERIFY(detected.wait(kWaitMs));
    auto* sensor = qobject_cast<OmniCommSensor*>(rig.engine.sensorByAddress(7));
    QVERIFY(sensor);
    QCOMPARE(sensor->mode(), OmniCommSensor::AutonomousMode);

    // Its configuration is read, and the frames it goes on sending are taken in.
    const sim::SimSensor* simSensor = rig.sim.sensorAt(7);
    QSignalSpy configured(sensor, &OmniCommSensor::configurationUpdated);
    const quint64 frames = simSensor->counters().unsolicited;
    QVERIFY(waitUntil(
        [&] { return configured.count() == 1 && simSensor->counters().unsolicited >= frames + 3; },
        kWaitMs));
    QCOMPARE(sensor->mode(), OmniCommSensor::AutonomousMode);
    // Asked once, for its configuration, and never polled.
    QCOMPARE(simSensor->counters().requests, 1u);
    QCOMPARE(detected.count(), 1);
    QCOMPARE(rig.engine.sensors().size(), 1);
    QCOMPARE(intValue(sensor, OmniCommSensor::RawLevelIndex), 4096);
}

void TestOmnicommLine::addressChangeRoundTrip()
{
    Rig rig(SimulatedLine::options("ZT-33", {1}), kZT33);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    OmniCommSensor* sensor = rig.add(1);
    QVERIFY(rig.waitForScaledReading(sensor));
    QSignalSpy moved(sensor, &BaseSensor::addressChanged);
    sim::SimSensor* simSensor = rig.sim.sensorAt(1);

    for (int address : {9, 1}) {
        SimulatedLine::holdPolls(sensor);
        QVERIFY(rig.sim.waitForQuietLine(rig.engine));
        sensor->requestSetAddress(address);
        QVERIFY(moved.wait(kWaitMs));
        QCOMPARE(sensor->address(), address);
        QCOMPARE(rig.sim.sensorAt(address), simSensor);
        QCOMPARE(rig.sim.line().sensors().size(), 1);

        // Polls reach it at its new address.
        const quint64 requests = simSensor->counters().requests;
        SimulatedLine::releasePolls(sensor);
        QVERIFY(rig.waitForScaledReading(sensor));
        checkReading(sensor, 0.5);
        QVERIFY(simSensor->counters().requests > requests);
    }
    QCOMPARE(simSensor->counters().writesApplied, 2u);
}

void TestOmnicommLine::faultsNeitherStopPollingNorLoseCommands()
{
    Rig rig(SimulatedLine::options("ZT-33", {1, 2}), kZT33);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    QList<OmniCommSensor*> sensors = {rig.add(1), rig.add(2)};
    rig.sim.line().setFaults(SimulatedLine::everyFault(0.08), 2026);

    // Commands of every sort, handed over at a steady pace whatever state the
    // engine is in.
    const int total = 90;
    CommandLedger completed(total);
    QVERIFY(completed.issuePaced(
        [&](int index, CommandCallback* callback) {
            const quint8 address = quint8(1 + index % 2);
            EngineCommand command;
            switch (index % 3) {
            case 0:
                command = OmniCommEngine::levelPollCommand(address);
                break;
            case 1:
                command = OmniCommEngine::configurationCommand(address, false);
                break;
            default:
                sensors[index % 2]->requestChangeParameter(OmniCommSensor::SampleCountIndex,
                                                           10 + index % 50, callback);
                return;
            }
            command.callback = callback;
            rig.engine.request(command);
        },
        20, 60000));
    QCOMPARE(completed.completedOnce(), total);
    QVERIFY(completed.sawSuccessAndFailure());
    QVERIFY(rig.sim.sensorAt(1)->counters().faults + rig.sim.sensorAt(2)->counters().faults > 0);

    // With the line clean again, both sensors are polled and read correctly: a
    // late reply taken for a self-sent frame must not have stopped the polls.
    rig.sim.line().setFaults({}, 1);
    QVERIFY(waitUntil([&] { return rig.sim.line().pendingFrames() == 0; }, kWaitMs));
    for (OmniCommSensor* sensor : sensors) {
        const sim::SimSensor* simSensor = rig.sim.sensorAt(sensor->address());
        const quint64 replies = simSensor->counters().replies;
        QVERIFY(waitUntil(
            [&] {
                return sensor->mode() == OmniCommSensor::NetworkMode &&
                       simSensor->counters().replies > replies + 3;
            },
            kWaitMs));
        QVERIFY(rig.waitForScaledReading(sensor));
        checkReading(sensor, 0.5);
    }
    QCOMPARE(completed.completedOnce(), total);
}

QTEST_GUILESS_MAIN(TestOmnicommLine)
#include "tst_omnicommline.moc"

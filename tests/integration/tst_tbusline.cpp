// The TBus engine on the real serial port against a simulated LIN line, which
// echoes every byte and needs the first byte of a request sent with its parity
// bit set.
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "support/commandledger.h"
#include "support/enginerig.h"
#include "support/recordingcallback.h"
#include "support/waituntil.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

const quint32 kFeatureCalibration = 0x0001;
const int kWaitMs = 10000;

// One line with its engine; the engine is dismantled first, while the port is open.
struct Rig : EngineRig<TBusEngine>
{
    using EngineRig::EngineRig;

    // Until the sensor has answered a few more polls and the last one was read.
    bool waitForReadings(TBusSensor* sensor, int expectedRaw)
    {
        const sim::SimSensor* simSensor = sim.sensorAt(sensor->address());
        const quint64 replies = simSensor->counters().replies;
        return waitUntil(
            [&] {
                return simSensor->counters().replies >= replies + 3 &&
                       rawLevel(sensor) == expectedRaw;
            },
            kWaitMs);
    }

    static int rawLevel(const TBusSensor* sensor)
    {
        const KtParameter* raw = sensor->parameter(TBusSensor::RawLevelIndex);
        return raw->isValid() ? raw->variantValue().toInt() : -1;
    }
};

void checkLevel(const TBusSensor* sensor, double level)
{
    const int raw = int(std::lround(level * 10000));
    QCOMPARE(Rig::rawLevel(sensor), raw);
    QVERIFY(sensor->parameter(TBusSensor::LevelIndex)->isValid());
    QCOMPARE(sensor->parameter(TBusSensor::LevelIndex)->variantValue().toFloat(),
             float(raw) / 10000.0f);
}

} // namespace

class TestTBusLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectionFindsExactlyTheSimulatedSensors_data();
    void detectionFindsExactlyTheSimulatedSensors();
    void pollsReturnTheSimulatedLevels_data();
    void pollsReturnTheSimulatedLevels();
    void calibrationSetsBothPoints();
    void faultsNeitherStopPollingNorLoseCommands();
};

void TestTBusLine::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestTBusLine::detectionFindsExactlyTheSimulatedSensors_data()
{
    QTest::addColumn<QList<int>>("addresses");
    QTest::newRow("10") << QList<int>({10});
    QTest::newRow("8 and 10") << QList<int>({8, 10});
}

void TestTBusLine::detectionFindsExactlyTheSimulatedSensors()
{
    QFETCH(QList<int>, addresses);
    Rig rig(SimulatedLine::options("ZT-31", addresses), 0);
    QSignalSpy detected(&rig.engine, &BaseEngine::sensorDetected);
    QVERIFY2(rig.start(true), qPrintable(rig.error));
    QVERIFY(waitUntil([&] { return rig.engine.sensors().size() == addresses.size(); }, kWaitMs));

    // Give detection a few more rounds to find anything that is not there.
    for (SerialSensor* found : rig.engine.sensors()) {
        auto* sensor = qobject_cast<TBusSensor*>(found);
        QVERIFY(rig.waitForReadings(sensor, 5000));
        checkLevel(sensor, 0.5);
    }
    QCOMPARE(SimulatedLine::addressesOf(rig.engine), addresses);
    QCOMPARE(detected.count(), addresses.size());
}

void TestTBusLine::pollsReturnTheSimulatedLevels_data()
{
    QTest::addColumn<double>("level");
    QTest::newRow("empty") << 0.0;
    QTest::newRow("half") << 0.5;
    QTest::newRow("full") << 1.0;
}

void TestTBusLine::pollsReturnTheSimulatedLevels()
{
    QFETCH(double, level);
    Rig rig(SimulatedLine::options("ZT-31", {8, 10}, level), 0);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    for (int address : {8, 10}) {
        TBusSensor* sensor = static_cast<TBusSensor*>(rig.engine.addSensorAtAddress(address));
        QVERIFY(rig.waitForReadings(sensor, int(std::lround(level * 10000))));
        checkLevel(sensor, level);
    }
    // Every echo matched and every reply came: nothing ended in an error.
    QVERIFY(!rig.log.contains(QStringLiteral("Echo mismatch")));
}

void TestTBusLine::calibrationSetsBothPoints()
{
    sim::LineOptions options = SimulatedLine::options("ZT-35", {10});
    options.uncalibrated = true;
    Rig rig(options, kFeatureCalibration);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    TBusSensor* sensor = static_cast<TBusSensor*>(rig.engine.addSensorAtAddress(10));
    const sim::SimSensor* simSensor = rig.sim.sensorAt(10);

    // Without its points the sensor reports error codes instead of a level.
    QVERIFY(rig.waitForReadings(sensor, 20000));
    QVERIFY(!sensor->parameter(TBusSensor::LevelIndex)->isValid());

    RecordingCallback calibrated;
    sensor->requestSetMinimum(&calibrated);
    QVERIFY(waitUntil([&] { return calibrated.count() == 1; }, kWaitMs));
    QCOMPARE(calibrated.lastResult(), CommandCallback::Ok);
    // The sensor's converter reads 400 + level × 3200 at this level.
    QCOMPARE(simSensor->adcMinimum(), 2000);
    QVERIFY(rig.log.contains(QStringLiteral("Minimum ADC Value 2000")));
    QVERIFY(rig.waitForReadings(sensor, 30000));
    QVERIFY(!sensor->parameter(TBusSensor::LevelIndex)->isValid());

    sensor->requestSetMaximum(&calibrated);
    QVERIFY(waitUntil([&] { return calibrated.count() == 2; }, kWaitMs));
    QCOMPARE(calibrated.lastResult(), CommandCallback::Ok);
    QVERIFY(rig.log.contains(QStringLiteral("Maximum ADC Value 2000")));
    QVERIFY(rig.waitForReadings(sensor, 5000));
    checkLevel(sensor, 0.5);
    QCOMPARE(simSensor->counters().writesApplied, 2u);
}

void TestTBusLine::faultsNeitherStopPollingNorLoseCommands()
{
    Rig rig(SimulatedLine::options("ZT-35", {8, 10}), kFeatureCalibration);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    const QList<TBusSensor*> sensors = {
        static_cast<TBusSensor*>(rig.engine.addSensorAtAddress(8)),
        static_cast<TBusSensor*>(rig.engine.addSensorAtAddress(10))};
    rig.sim.line().setFaults(SimulatedLine::everyFault(0.08), 2026);

    // Level polls and now and then a calibration, handed over at a steady
    // pace whatever state the engine is in.
    const int total = 60;
    CommandLedger completed(total);
    QVERIFY(completed.issuePaced(
        [&](int index, CommandCallback* callback) {
            const unsigned char address = sensors[index % 2]->address();
            EngineCommand command =
                index % 10 == 9
                    ? rig.engine.createCalibrationCommand(address, TBusEngine::CalibrationPoint, 1)
                    : rig.engine.levelPollCommand(address);
            command.callback = callback;
            rig.engine.request(command);
        },
        20, 60000));
    QCOMPARE(completed.completedOnce(), total);
    QVERIFY(completed.sawSuccessAndFailure());
    QVERIFY(rig.sim.sensorAt(8)->counters().faults + rig.sim.sensorAt(10)->counters().faults > 0);

    rig.sim.line().setFaults({}, 1);
    QVERIFY(waitUntil([&] { return rig.sim.line().pendingFrames() == 0; }, kWaitMs));
    for (TBusSensor* sensor : sensors) {
        QVERIFY(rig.waitForReadings(sensor, 5000));
        checkLevel(sensor, 0.5);
    }
    QCOMPARE(completed.completedOnce(), total);
}

QTEST_GUILESS_MAIN(TestTBusLine)
#include "tst_tbusline.moc"

// The ModBus RTU engine on the real serial port against a simulated sensor line.
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "support/commandledger.h"
#include "support/enginerig.h"
#include "support/recordingcallback.h"
#include "support/waituntil.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {

const int kWaitMs = 10000;
// A detection pass probes 247 addresses; most time out.
const int kDetectionWaitMs = 50000;

// One line with its engine; the engine is dismantled first, while the port is open.
struct Rig : EngineRig<ModBusEngine>
{
    using EngineRig::EngineRig;

    // Until the sensor has answered a few more polls, the last of them read.
    bool waitForReadings(ModBusSensor* sensor)
    {
        const sim::SimSensor* simSensor = sim.sensorAt(sensor->address());
        const quint64 replies = simSensor->counters().replies;
        sensor->parameter(ModBusSensor::RawLevelIndex)->invalidate();
        return waitUntil(
            [&] {
                return simSensor->counters().replies >= replies + 3 &&
                       sensor->parameter(ModBusSensor::RawLevelIndex)->isValid();
            },
            kWaitMs);
    }
};

void checkReading(const ModBusSensor* sensor, double level)
{
    const int raw = int(std::lround(level * 10000));
    QCOMPARE(sensor->parameter(ModBusSensor::RawLevelIndex)->variantValue().toInt(), raw);
    QCOMPARE(sensor->parameter(ModBusSensor::LevelIndex)->variantValue().toFloat(),
             float(raw) / 100.0f);
}

} // namespace

class TestModBusLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectionFindsExactlyTheSimulatedSensors();
    void echoIsNoReply_data();
    void echoIsNoReply();
    void pollsReturnTheSimulatedLevels_data();
    void pollsReturnTheSimulatedLevels();
    void addressChangeRoundTrip();
    void exceptionReplyIsNackAndPollingGoesOn();
    void faultsNeitherStopPollingNorLoseCommands();
};

void TestModBusLine::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestModBusLine::detectionFindsExactlyTheSimulatedSensors()
{
    Rig rig(SimulatedLine::options("ZT-32", {1, 100, 247}));
    QSignalSpy detected(&rig.engine, &BaseEngine::sensorDetected);
    // Found sensors are not polled, so a pass takes one probe per address
    // however many were found: a sensor whose reply came too late on a busy
    // machine is found on the next pass in good time.
    QObject::connect(&rig.engine, &BaseEngine::sensorDetected, [](BaseSensor* sensor) {
        SimulatedLine::holdPolls(qobject_cast<SerialSensor*>(sensor));
    });
    QVERIFY2(rig.start(true), qPrintable(rig.error));

    // The scan has covered every address once it starts again from the bottom.
    int previous = rig.engine.detectionAddress();
    bool wrapped = false;
    QVERIFY(waitUntil(
        [&] {
            const int current = rig.engine.detectionAddress();
            wrapped = wrapped || current < previous;
            previous = current;
            return wrapped && rig.engine.sensors().size() >= 3;
        },
        kDetectionWaitMs));
    QCOMPARE(SimulatedLine::addressesOf(rig.engine), QList<int>({1, 100, 247}));
    QCOMPARE(detected.count(), 3);
    for (SerialSensor* found : rig.engine.sensors()) {
        auto* sensor = qobject_cast<ModBusSensor*>(found);
        SimulatedLine::releasePolls(sensor);
        QVERIFY(rig.waitForReadings(sensor));
        checkReading(sensor, 0.5);
    }
}

void TestModBusLine::echoIsNoReply_data()
{
    QTest::addColumn<QString>("lineModel");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<bool>("echo");
    QTest::addColumn<QList<int>>("found");
    // A LIN line hands every probe back; its TBus sensor answers an identifier
    // byte inside one.
    QTest::newRow("TBus line") << "ZT-31" << QList<int>{10} << false << QList<int>{};
    QTest::newRow("echoing ModBus line") << "ZT-32" << QList<int>{5} << true << QList<int>{5};
}

void TestModBusLine::echoIsNoReply()
{
    QFETCH(QString, lineModel);
    QFETCH(QList<int>, addresses);
    QFETCH(bool, echo);
    QFETCH(QList<int>, found);
    sim::LineOptions options = SimulatedLine::options(lineModel, addresses);
    options.echo = echo;
    Rig rig(options);
    QSignalSpy sweeps(&rig.engine, &SerialEngine::detectionSweepFinished);
    QVERIFY2(rig.start(true), qPrintable(rig.error));
    QVERIFY(waitUntil([&] { return !sweeps.isEmpty(); }, kDetectionWaitMs));
    QCOMPARE(SimulatedLine::addressesOf(rig.engine), found);
}

void TestModBusLine::pollsReturnTheSimulatedLevels_data()
{
    QTest::addColumn<double>("level");
    QTest::newRow("empty") << 0.0;
    QTest::newRow("half") << 0.5;
    QTest::newRow("full") << 1.0;
}

void TestModBusLine::pollsReturnTheSimulatedLevels()
{
    QFETCH(double, level);
    Rig rig(SimulatedLine::options("ZT-36", {1, 2}, level));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    for (int address : {1, 2}) {
        ModBusSensor* sensor = static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(address));
        QVERIFY(rig.waitForReadings(sensor));
        checkReading(sensor, level);
    }
    QCOMPARE(rig.sim.line().bytesAtWrongRate(), 0u);
}

void TestModBusLine::addressChangeRoundTrip()
{
    Rig rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    ModBusSensor* sensor = static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(1));
    QVERIFY(rig.waitForReadings(sensor));
    sim::SimSensor* simSensor = rig.sim.sensorAt(1);
    QSignalSpy moved(sensor, &BaseSensor::addressChanged);

    for (int address : {247, 1}) {
        SimulatedLine::holdPolls(sensor);
        QVERIFY(rig.sim.waitForQuietLine(rig.engine));
        sensor->requestSetAddress(quint8(address));
        QVERIFY(moved.wait(kWaitMs));
        QCOMPARE(int(sensor->address()), address);
        QCOMPARE(rig.sim.sensorAt(address), simSensor);
        SimulatedLine::releasePolls(sensor);
        QVERIFY(rig.waitForReadings(sensor));
        checkReading(sensor, 0.5);
    }
    QCOMPARE(simSensor->counters().writesApplied, 2u);
}

void TestModBusLine::exceptionReplyIsNackAndPollingGoesOn()
{
    Rig rig(SimulatedLine::options("ZT-32", {4}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    ModBusSensor* sensor = static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(4));
    QVERIFY(rig.waitForReadings(sensor));

    // Register 2 is not writable: the sensor answers with a 5-byte exception.
    const unsigned char data[] = {0x00, 0x02, 0x00, 0x07};
    EngineCommand write =
        rig.engine.createCommand(4, ModBusEngine::WriteSingleRegister, data, 4, 4);
    RecordingCallback completed;
    write.callback = &completed;
    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    const quint64 requests = rig.sim.sensorAt(4)->counters().requests;
    rig.engine.request(write);
    QVERIFY(waitUntil([&] { return completed.count() == 1; }, kWaitMs));
    QCOMPARE(completed.lastResult(), CommandCallback::Nack);
    QVERIFY(rig.sim.sensorAt(4)->counters().requests > requests);
    QCOMPARE(rig.sim.sensorAt(4)->counters().writesApplied, 0u);
    SimulatedLine::releasePolls(sensor);

    QVERIFY(rig.waitForReadings(sensor));
    checkReading(sensor, 0.5);
    QCOMPARE(completed.count(), 1);
}

void TestModBusLine::faultsNeitherStopPollingNorLoseCommands()
{
    Rig rig(SimulatedLine::options("ZT-32", {1, 2}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    const QList<ModBusSensor*> sensors = {
        static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(1)),
        static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(2))};
    rig.sim.line().setFaults(SimulatedLine::everyFault(0.08), 2026);

    // Level reads and address writes that keep each sensor where it is, handed
    // over at a steady pace whatever state the engine is in.
    const int total = 80;
    CommandLedger completed(total);
    QVERIFY(completed.issuePaced(
        [&](int index, CommandCallback* callback) {
            ModBusSensor* sensor = sensors[index % 2];
            EngineCommand command =
                index % 3 == 2 ? rig.engine.createAddressChangeRequest(sensor, sensor->address())
                               : rig.engine.levelPollCommand(sensor->address());
            command.callback = callback;
            rig.engine.request(command);
        },
        20, 60000));
    QCOMPARE(completed.completedOnce(), total);
    QVERIFY(completed.sawSuccessAndFailure());
    QVERIFY(rig.sim.sensorAt(1)->counters().faults + rig.sim.sensorAt(2)->counters().faults > 0);

    rig.sim.line().setFaults({}, 1);
    QVERIFY(waitUntil([&] { return rig.sim.line().pendingFrames() == 0; }, kWaitMs));
    for (ModBusSensor* sensor : sensors) {
        QVERIFY(rig.sim.sensorAt(sensor->address()));
        QVERIFY(rig.waitForReadings(sensor));
        checkReading(sensor, 0.5);
    }
    QCOMPARE(completed.completedOnce(), total);
}

QTEST_GUILESS_MAIN(TestModBusLine)
#include "tst_modbusline.moc"

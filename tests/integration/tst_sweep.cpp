// The first sweep over a simulated line whose sensors answer late, as real ones
// do: every sensor is found in it, whatever its latency within the protocol's
// reply window.
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "session/enginefactory.h"
#include "support/logcapture.h"
#include "support/simulatedline.h"
#include "support/waituntil.h"

#include <QtTest>
#include <memory>

namespace {
// A sweep of 256 addresses at 30 ms takes some 12 s; a busy machine, more.
const int kSweepWaitMs = 120000;
} // namespace

class TestSweep : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstSweepFindsLateSensors_data();
    void firstSweepFindsLateSensors();
};

void TestSweep::initTestCase()
{
    qRegisterMetaType<BaseSensor*>();
}

void TestSweep::firstSweepFindsLateSensors_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("latencyMs");
    QTest::newRow("Omnicomm, 10 ms") << "ZT-33" << 10;
    QTest::newRow("ModBus, 30 ms") << "ZT-32" << 30;
}

void TestSweep::firstSweepFindsLateSensors()
{
    QFETCH(QString, model);
    QFETCH(int, latencyMs);
    LogCapture log(false);
    sim::LineOptions options = SimulatedLine::options(model, {17, 200});
    options.latencyMs = latencyMs;
    SimulatedLine line(options);
    QString error;
    QVERIFY2(line.start(&error), qPrintable(error));
    const int index = EngineFactory::sensorTypes().indexOf(model);
    QVERIFY(index >= 0);
    std::unique_ptr<SerialEngine> engine(EngineFactory::createSerialEngine(unsigned(index)));
    // Found sensors are not polled: the sweep goes on at its own pace.
    QObject::connect(engine.get(), &BaseEngine::sensorDetected, [](BaseSensor* sensor) {
        SimulatedLine::holdPolls(qobject_cast<SerialSensor*>(sensor));
    });
    bool swept = false;
    QObject::connect(engine.get(), &SerialEngine::detectionSweepFinished, [&] { swept = true; });
    line.attach(engine.get(), true);

    QVERIFY(waitUntil([&] { return swept; }, kSweepWaitMs));
    QCOMPARE(SimulatedLine::addressesOf(*engine), (QList<int>{17, 200}));

    const QList<SerialSensor*> sensors = engine->sensors();
    engine->deinit();
    qDeleteAll(sensors);
}

QTEST_GUILESS_MAIN(TestSweep)
#include "tst_sweep.moc"

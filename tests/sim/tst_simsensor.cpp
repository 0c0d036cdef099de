// What a simulated sensor measures over time, and how its readings follow.
#include "simsensor.h"

#include <QtTest>

using namespace sim;

class SimSensorTest : public QObject
{
    Q_OBJECT

private slots:
    void levelFillsAndDrainsWithinTheTank();
    void readingsFollowTheLevel();
};

void SimSensorTest::levelFillsAndDrainsWithinTheTank()
{
    SensorPhysics physics(5);
    physics.advanceTo(0);
    double lowest = 1.0;
    double highest = 0.0;
    double coolest = 100.0;
    double warmest = -100.0;
    // Ten simulated minutes in one-second steps: long enough to turn at both ends.
    for (qint64 ms = 0; ms <= 600000; ms += 1000) {
        physics.advanceTo(ms);
        lowest = std::min(lowest, physics.level());
        highest = std::max(highest, physics.level());
        coolest = std::min(coolest, physics.temperature());
        warmest = std::max(warmest, physics.temperature());
    }
    QVERIFY(lowest >= 0.0 && lowest < 0.1);
    QVERIFY(highest <= 1.0 && highest > 0.9);
    QVERIFY(warmest > coolest);
    QVERIFY(coolest > 0.0 && warmest < 40.0);

    SensorPhysics again(5);
    again.advanceTo(0);
    again.advanceTo(600000);
    physics.freeze(0.25, -5.0);
    physics.advanceTo(700000);
    QCOMPARE(physics.level(), 0.25);
    QCOMPARE(physics.temperature(), -5.0);
}

void SimSensorTest::readingsFollowTheLevel()
{
    SensorModel model;
    SensorModel::byCode("ZT-35", &model);
    SimSensor sensor(model, 10, 1);
    OmnicommConfig& config = sensor.omnicomm();
    // Frequency falls from FMax at an empty tank to FMin at a full one.
    QCOMPARE(config.frequencyFor(0.0), config.fMax);
    QCOMPARE(config.frequencyFor(1.0), config.fMin);
    config.dataFormat = 0;
    QCOMPARE(config.rawLevelFor(1.0), 1023);
    config.dataFormat = 3;
    QCOMPARE(config.rawLevelFor(1.0), 65535);

    sensor.physics().freeze(0.42, 20.0);
    QCOMPARE(sensor.modbusValue(), 4200);
    QCOMPARE(sensor.tbusValue(), 4200);
    sensor.physics().freeze(1.0, 20.0);
    QVERIFY(sensor.adcValue() <= 4095);
}

QTEST_APPLESS_MAIN(SimSensorTest)
#include "tst_simsensor.moc"

#include "engine/sensormessage.h"
#include "port/scriptedserialport.h"
#include "support/fakeprotocol.h"
#include "support/logcapture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class TestSerialSensor : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }
    void queryIntervalIsReadOnceAndNeverBelowOne_data();
    void queryIntervalIsReadOnceAndNeverBelowOne();
    void levelIsAlwaysParameterZero();
    void addressChangesAreAlwaysAnnounced();
    void commandResultsAreLoggedWithTheirNote();
};

void TestSerialSensor::queryIntervalIsReadOnceAndNeverBelowOne_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("interval");
    QTest::newRow("absent") << QVariant() << 1;
    QTest::newRow("zero") << QVariant(0) << 1;
    QTest::newRow("negative") << QVariant(-5) << 1;
    QTest::newRow("garbage") << QVariant(QStringLiteral("soon")) << 1;
    QTest::newRow("500") << QVariant(500) << 500;
}

void TestSerialSensor::queryIntervalIsReadOnceAndNeverBelowOne()
{
    QFETCH(QVariant, stored);
    QFETCH(int, interval);
    if (stored.isValid())
        QSettings().setValue(QStringLiteral("QueryInterval"), stored);
    FakeEngine engine;
    FakeSensor sensor(&engine, 1);
    QCOMPARE(sensor.queryInterval(), interval);
    QCOMPARE(engine.sensors().size(), 1);
    sensor.setQueryInterval(-3);
    QCOMPARE(sensor.queryInterval(), 1);
    sensor.setQueryInterval(250);
    QCOMPARE(sensor.queryInterval(), 250);
}

void TestSerialSensor::levelIsAlwaysParameterZero()
{
    FakeEngine engine;
    FakeSensor sensor(&engine, 1);
    QCOMPARE(sensor.floatParameter(0)->title(), QStringLiteral("Level"));
    QCOMPARE(sensor.features(), quint32(0));
    QCOMPARE(sensor.engine(), &engine);
    QVERIFY(!sensor.manager());
}

void TestSerialSensor::addressChangesAreAlwaysAnnounced()
{
    FakeEngine engine;
    FakeSensor sensor(&engine, 7);
    QSignalSpy spy(&sensor, &BaseSensor::addressChanged);
    sensor.setAddress(7);
    sensor.setAddress(9);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 7);
    QCOMPARE(int(sensor.address()), 9);
    QVERIFY(engine.sensorByAddress(9) == &sensor);
    QVERIFY(!engine.isAddressBusy(7));
}

void TestSerialSensor::commandResultsAreLoggedWithTheirNote()
{
    LogCapture log;
    FakeEngine engine;
    FakeSensor sensor(&engine, 1);
    EngineCommand command = engine.makeCommand(0x31, 0x01, nullptr);
    command.reply[0] = 0x3E;
    command.reply[1] = 0x01;
    sensor.logCommandResult(CommandCallback::Ok, command);
    sensor.logCommandResult(CommandCallback::Nack, command, QStringLiteral("refused"));
    QCOMPARE(log.linesOf(Logger::Sensor), (QStringList{QStringLiteral("[31 01] [3E 01]"),
                                                       QStringLiteral("[31 01] Nack refused")}));

    const SensorMessage message(&sensor, command, CommandCallback::Ok, QString());
    QCOMPARE(message.section(), Logger::Sensor);
    QCOMPARE(message.sensor, &sensor);
}

QTEST_GUILESS_MAIN(TestSerialSensor)
#include "tst_serialsensor.moc"

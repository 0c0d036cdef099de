// When a level counts as settled, and the calibration procedure built on it.
#include "tank/tankcalibration.h"

#include <QtTest>

namespace {

// Readings every 100 ms, all at one level and raw level, from startMs on.
void feed(TankCalibration* calibration, qint64 startMs, qint64 endMs, double level, int raw)
{
    for (qint64 time = startMs; time <= endMs; time += 100)
        calibration->addReading(time, level, raw);
}

} // namespace

class TestTankCalibration : public QObject
{
    Q_OBJECT

private slots:
    void stabilityOfReadings_data();
    void stabilityOfReadings();
    void poursAreRecordedOnceSettledAndRisen();
    void recordedWhenTheDriverSays();
};

void TestTankCalibration::stabilityOfReadings_data()
{
    QTest::addColumn<QString>("readings"); // time:level ...
    QTest::addColumn<int>("remainingMs");
    QTest::addColumn<double>("spread");
    QTest::newRow("one reading") << "0:50" << 1000 << 0.0;
    QTest::newRow("steady over the settling time") << "0:50 500:50.1 1000:49.9" << 0 << 0.2;
    QTest::newRow("steady, not yet long enough") << "0:50 900:50" << 100 << 0.0;
    QTest::newRow("band exactly twice the tolerance") << "0:50 1000:50.4" << 0 << 0.4;
    QTest::newRow("band just too wide") << "0:50 1000:50.41" << 1000 << 0.41;
    QTest::newRow("a swing starts the band again")
        << "0:50 300:51 600:50 900:50 1200:50" << 400 << 1.0;
    QTest::newRow("settled long ago, still settled")
        << "0:50 400:50 800:50 1200:50 1600:50 5000:50" << 0 << 0.0;
    QTest::newRow("a jump after settling") << "0:50 1000:50 2000:50 2100:53" << 1000 << 3.0;
    QTest::newRow("clock went back") << "5000:50 6000:50 100:50" << 1000 << 0.0;
}

void TestTankCalibration::stabilityOfReadings()
{
    QFETCH(QString, readings);
    QFETCH(int, remainingMs);
    QFETCH(double, spread);
    TankStability stability;
    stability.setTolerance(0.2);
    stability.setSettleMs(1000);
    for (const QString& reading : readings.split(' ')) {
        const QStringList parts = reading.split(':');
        stability.addReading(parts[0].toLongLong(), parts[1].toDouble());
    }
    QCOMPARE(stability.remainingMs(), remainingMs);
    QCOMPARE(stability.isStable(), remainingMs == 0);
    QVERIFY2(qAbs(stability.spread() - spread) < 1e-9,
             qPrintable(QString::number(stability.spread())));
}

void TestTankCalibration::poursAreRecordedOnceSettledAndRisen()
{
    TankCalibration calibration;
    calibration.stability().setSettleMs(1000);
    QString error;

    // The empty tank; readings from before the answer do not count.
    feed(&calibration, 0, 2000, 1.0, 40);
    QVERIFY(calibration.pour(0));
    feed(&calibration, 2100, 3000, 1.0, 40);
    QCOMPARE(calibration.table().rowCount(), 0);
    calibration.addReading(3100, 1.0, 40);
    QCOMPARE(calibration.table().rowCount(), 1);

    // A pour too small to move the level stalls, and more poured records the sum.
    QVERIFY(!calibration.pour(0, &error));
    QVERIFY(!calibration.pour(-2, &error));
    QVERIFY(calibration.pour(2));
    feed(&calibration, 3200, 4300, 1.02, 40);
    QCOMPARE(calibration.state(), TankCalibration::Stalled);
    QVERIFY(calibration.pour(8));
    feed(&calibration, 4400, 5400, 5.0, 200);
    QCOMPARE(calibration.table().lastRow().litres, 10.0);
    QCOMPARE(calibration.table().lastRow().rawLevel, 200);

    // Forced while it still moves, then taken back and poured again.
    QVERIFY(calibration.pour(10));
    QVERIFY(!calibration.recordNow(&error)); // no reading since the pour
    calibration.addReading(5500, 9.0, 390);
    QVERIFY(!calibration.undo());
    QVERIFY(calibration.recordNow(&error));
    QVERIFY(calibration.table().lastRow().forced);
    QVERIFY(calibration.undo());
    QCOMPARE(calibration.table().rowCount(), 2);
    QVERIFY(calibration.pour(10));
    feed(&calibration, 5600, 6600, 9.5, 400);
    QCOMPARE(calibration.table().rowCount(), 3);
    QCOMPARE(calibration.table().lastRow().litres, 20.0);
    QVERIFY(!calibration.table().lastRow().forced);

    // A pour taken back leaves the table as it was.
    QVERIFY(calibration.pour(10));
    calibration.cancelStep();
    feed(&calibration, 6700, 8000, 12.0, 500);
    QCOMPARE(calibration.table().rowCount(), 3);
    QCOMPARE(calibration.pendingLitres(), 20.0);
}

// A driver with a Record button of its own: the row is forced unless the level
// has settled, and it must rise above the last.
void TestTankCalibration::recordedWhenTheDriverSays()
{
    TankCalibration calibration;
    calibration.stability().setSettleMs(1000);
    QString error;
    QVERIFY(!calibration.recordPour(0, &error)); // no reading yet
    feed(&calibration, 0, 1000, 2.0, 80);
    QVERIFY(calibration.hasRisen());
    QVERIFY(calibration.recordPour(0, &error));
    QVERIFY(!calibration.table().lastRow().forced);
    QVERIFY(!calibration.hasRisen());
    QVERIFY(!calibration.recordPour(10, &error)); // the level has not risen
    QVERIFY(!calibration.recordPour(0, &error));  // only the first row may be 0 litres
    calibration.addReading(1100, 6.0, 240);
    QVERIFY(calibration.recordPour(10, &error));
    QVERIFY(calibration.table().lastRow().forced);
    QVERIFY(calibration.pour(10));
    QVERIFY(!calibration.recordPour(10, &error)); // a pour already waits
    QCOMPARE(error, QStringLiteral("a pour already waits for its reading"));

    // Going on from a table read back drops the waiting pour.
    calibration.setTable(TankTable());
    QCOMPARE(calibration.state(), TankCalibration::Idle);
    QVERIFY(calibration.hasRisen());
}

QTEST_GUILESS_MAIN(TestTankCalibration)
#include "tst_tankcalibration.moc"

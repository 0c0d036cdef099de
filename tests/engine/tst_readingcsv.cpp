// The one CSV writer of readings, as the plot export and nivelon-cli poll use
// it: the litres of a tank table after every other column.
#include "engine/readingcsv.h"
#include "tank/tanktable.h"

#include <QtTest>

class TestReadingCsv : public QObject
{
    Q_OBJECT

private slots:
    void columns_data();
    void columns();
};

void TestReadingCsv::columns_data()
{
    QTest::addColumn<bool>("frequencyTemperature");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("row");
    QTest::newRow("litres, between rows")
        << false << false << "Time,Level,RawLevel,Error,TimeMs,Litres"
        << "2024-05-06T07:08:09,4250,3000,0,%1,50.00";
    QTest::newRow("litres of a failed reading")
        << true << true << "Time,Level,RawLevel,Frequency,Temperature,Error,TimeMs,Litres"
        << "2024-05-06T07:08:09,4250,3000,10000,-5,1,%1,";
}

void TestReadingCsv::columns()
{
    QFETCH(bool, frequencyTemperature);
    QFETCH(bool, failed);
    QFETCH(QString, header);
    QFETCH(QString, row);
    TankTable table;
    QVERIFY(table.append({0, 1000, 10}) && table.append({100, 5000, 50}));
    SensorReading reading;
    reading.timeMs = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 450)).toMSecsSinceEpoch();
    reading.error = failed ? SensorReading::SensorStatus : SensorReading::NoError;
    reading.level = 42.5f;
    reading.rawLevel = 3000;
    reading.frequency = 10000;
    reading.temperature = -5;

    const ReadingCsv csv(frequencyTemperature, &table);
    QCOMPARE(csv.header(), header);
    QCOMPARE(csv.row(reading), row.arg(reading.timeMs));
}

QTEST_GUILESS_MAIN(TestReadingCsv)
#include "tst_readingcsv.moc"

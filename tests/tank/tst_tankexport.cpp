// Tables thinned for platforms that take few rows, and the forms they are
// exported in, read back.
#include "tank/tableformat.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"
#include "tank/tankthinning.h"

#include <QtTest>
#include <cmath>

namespace {

TankTable cylinderTable(int points)
{
    TankShape shape;
    TankProbe probe;
    QString error;
    TankShapeText::readShape("horizontal-cylinder:diameter=1200,length=3000", &shape, &error);
    TankShapeText::readProbe("40:1100", shape, &probe, &error);
    TankTable table;
    TankShapeTable::make(shape, probe, points, &table, &error);
    return table;
}

// Straight between rows, written out here rather than taken from TankTable.
double between(const TankTable& table, double raw)
{
    const std::vector<TankRow>& rows = table.rows();
    for (size_t i = 1; i < rows.size(); ++i) {
        if (raw <= rows[i].rawLevel) {
            const double t = (raw - rows[i - 1].rawLevel) / (rows[i].rawLevel - rows[i - 1].rawLevel);
            return rows[i - 1].litres + t * (rows[i].litres - rows[i - 1].litres);
        }
    }
    return rows.back().litres;
}

double largestGap(const TankTable& full, const TankTable& thinned)
{
    double largest = 0;
    for (int raw = full.rows().front().rawLevel; raw <= full.lastRow().rawLevel; ++raw)
        largest = std::max(largest, std::abs(between(full, raw) - between(thinned, raw)));
    return largest;
}

} // namespace

class TestTankExport : public QObject
{
    Q_OBJECT

private slots:
    void thinningReportsItsLargestError();
    void formsReadBackTheSameTable_data();
    void formsReadBackTheSameTable();
    void badImportsAreRefused_data();
    void badImportsAreRefused();
};

// The error the program reports at 20 rows is the one found by checking every
// raw level, and it beats 20 rows spread evenly.
void TestTankExport::thinningReportsItsLargestError()
{
    const TankTable full = cylinderTable(401);
    double reported = 0;
    const TankTable thinned = TankThinning::thin(full, 20, &reported);
    QVERIFY(thinned.rowCount() <= 20);
    QCOMPARE(thinned.rows().front().rawLevel, full.rows().front().rawLevel);
    QCOMPARE(thinned.lastRow().rawLevel, full.lastRow().rawLevel);
    QVERIFY(reported > 0);
    QVERIFY2(std::abs(largestGap(full, thinned) - reported) < 1e-9,
             qPrintable(QStringLiteral("reported %1 L, found %2 L")
                            .arg(reported)
                            .arg(largestGap(full, thinned))));
    const TankTable even = cylinderTable(20);
    QVERIFY2(reported < largestGap(full, even),
             qPrintable(QStringLiteral("%1 L thinned, %2 L even").arg(reported).arg(largestGap(full, even))));
    qInfo("20 of 401 rows: largest error %.3f L of %.1f L (evenly spread: %.3f L)", reported,
          full.lastRow().litres, largestGap(full, even));
    double none = 1;
    QCOMPARE(TankThinning::thin(thinned, 20, &none).rowCount(), thinned.rowCount());
    QCOMPARE(none, 0.0);
}

void TestTankExport::formsReadBackTheSameTable_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<double>("tolerance"); // litres
    QTest::newRow("csv") << "csv" << ";" << "." << 1e-6; // twelve figures
    QTest::newRow("pairs ; ,") << "pairs" << ";" << "," << 0.005;
    QTest::newRow("pairs tab .") << "pairs" << "\t" << "." << 0.005;
    QTest::newRow("pairs , .") << "pairs" << "," << "." << 0.005;
    QTest::newRow("pairs space ,") << "pairs" << " " << "," << 0.005;
    QTest::newRow("segments") << "segments" << ";" << "." << 1e-5;
    QTest::newRow("json pairs") << "json-pairs" << ";" << "." << 0.005;
}

void TestTankExport::formsReadBackTheSameTable()
{
    QFETCH(QString, form);
    QFETCH(QString, separator);
    QFETCH(QString, decimal);
    QFETCH(double, tolerance);
    const TankTable table = cylinderTable(101);
    TableFormat::Form chosen = TableFormat::Csv;
    QVERIFY(TableFormat::formOf(form, &chosen));
    const TableStyle style{separator, decimal[0]};
    QString error;
    QVERIFY2(TableFormat::checkStyle(style, &error), qPrintable(error));
    TankTable read;
    QVERIFY2(TableFormat::read(TableFormat::write(table, chosen, style), 4095, &read, &error),
             qPrintable(error));
    QCOMPARE(read.rowCount(), table.rowCount());
    for (int i = 0; i < table.rowCount(); ++i) {
        const TankRow& row = table.rows()[size_t(i)];
        QCOMPARE(read.rows()[size_t(i)].rawLevel, row.rawLevel);
        QVERIFY2(std::abs(read.rows()[size_t(i)].litres - row.litres) <= tolerance,
                 qPrintable(QStringLiteral("row %1: %2 L read, %3 L written")
                                .arg(i + 1)
                                .arg(read.rows()[size_t(i)].litres)
                                .arg(row.litres)));
        QVERIFY(std::abs(read.rows()[size_t(i)].level - row.level) < 0.01);
    }
}

void TestTankExport::badImportsAreRefused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("falling pairs") << QByteArray("0;0\n100;5,5\n90;7\n")
                                   << "line 3: raw level 90 does not rise above 100";
    QTest::newRow("comma both ways") << QByteArray("0,0,5\n") << "line 1: \"0,0,5\" is not";
    QTest::newRow("fractional raw") << QByteArray("0.5;1\n") << "raw level 0.5 is not a whole";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "item 1: neither";
    QTest::newRow("broken JSON") << QByteArray("[{\"in\": 1,") << "not JSON at character";
    QTest::newRow("segment without b") << QByteArray("[{\"x\": 0, \"a\": 1}]")
                                       << "item 1: the litres at raw level 0 are not a number";
    QTest::newRow("empty list") << QByteArray("[]") << "the list holds no rows";
}

void TestTankExport::badImportsAreRefused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    TankTable table;
    QString problem;
    QVERIFY(!TableFormat::read(text, 4095, &table, &problem));
    QVERIFY2(problem.contains(error), qPrintable(problem));
}

QTEST_GUILESS_MAIN(TestTankExport)
#include "tst_tankexport.moc"

// nivelon-cli tank-shape and tank-export as processes: computed tables, fits to
// measured rows, exports, and what they refuse.
#include "levelcommands.h"
#include "support/cliprocess.h"
#include "record/commissioningrecord.h"
#include "support/simulatedline.h"
#include "tank/tableformat.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"
#include "tank/tanktablefile.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

const QString kNominal = QStringLiteral("horizontal-cylinder:diameter=1200,length=3000");

struct Run
{
    int exitCode;
    QString out;
    QString err;
};

Run cli(const QStringList& arguments)
{
    CliProcess process;
    process.start(arguments);
    process.closeInput();
    if (!process.wait())
        return {-1, process.out(), process.err()};
    return {process.exitCode(), process.out(), process.err()};
}

TankTable loaded(const QString& path)
{
    TankTable table;
    QString error;
    if (!TankTableFile::load(path, &table, &error))
        qWarning("%s", qPrintable(error));
    return table;
}

} // namespace

class TestCliTankShape : public QObject
{
    Q_OBJECT

private slots:
    void tankShapeWritesAComputedTable();
    void badArgumentsAreRefusedNamingTheValue_data();
    void badArgumentsAreRefusedNamingTheValue();
    void fitFollowsTheRealTank_data();
    void fitFollowsTheRealTank();
    void exportThinsAndReadsBack();
    void fitToPoursIntoTheSimulatedTank();

private:
    QTemporaryDir m_folder;
};

void TestCliTankShape::tankShapeWritesAComputedTable()
{
    const QString path = m_folder.filePath("computed.csv");
    const Run run = cli({"tank-shape", kNominal, "--probe", "40:1100", "--points", "11", "--out", path});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("11 rows written"), qPrintable(run.out));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("# Shape: " + kNominal.toUtf8() + "\n# Probe: 40:1100\n"
                          "# Computed: unconfirmed\n"));
    const TankTable table = loaded(path);
    QCOMPARE(table.rowCount(), 11);
    QVERIFY(table.info().computed);
    QCOMPARE(table.rows().front().rawLevel, 0);
    QCOMPARE(table.lastRow().rawLevel, 4095);
    CommissioningRecord record;
    record.tankTable = table;
    const QJsonObject shape = record.toJson().value("tankShape").toObject();
    QCOMPARE(shape.value("shape").toString(), kNominal);
    QCOMPARE(shape.value("computed").toBool(), true);
}

void TestCliTankShape::badArgumentsAreRefusedNamingTheValue_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("zero length") << QStringList{"horizontal-cylinder:diameter=1200,length=0"}
                                 << "length 0 mm is not above 0";
    QTest::newRow("probe too long") << QStringList{kNominal, "--probe", "100:1200"}
                                    << "--probe: probe start 100 mm and length 1200 mm reach above";
    QTest::newRow("crossing profile")
        << QStringList{"profile:length=900,points=0/0 500/500 500/0 0/500"}
        << "the profile crosses itself";
    QTest::newRow("one point") << QStringList{kNominal, "--points", "1"}
                               << "--points 1 is not a whole number from 2 to 4096";
    QTest::newRow("no shape") << QStringList{} << "the shape is missing";
}

void TestCliTankShape::badArgumentsAreRefusedNamingTheValue()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const QString path = m_folder.filePath("refused.csv");
    const Run run = cli(QStringList{"tank-shape"} + arguments + QStringList{"--out", path});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(!QFile::exists(path));
}

void TestCliTankShape::fitFollowsTheRealTank_data()
{
    QTest::addColumn<double>("scale"); // the real diameter's and length's against the nominal
    QTest::addColumn<int>("exitCode");
    QTest::newRow("5 % larger") << 1.05 << 0;
    QTest::newRow("30 % larger") << 1.3 << 4;
}

// The measured rows are the real tank's at four levels; the table fitted from
// the nominal shape follows the real tank within 1 % of its volume, unless the
// change it needs is beyond belief, when nothing is written.
void TestCliTankShape::fitFollowsTheRealTank()
{
    QFETCH(double, scale);
    QFETCH(int, exitCode);
    const QString real = QStringLiteral("horizontal-cylinder:diameter=%1,length=%2")
                             .arg(1200 * scale)
                             .arg(3000 * scale);
    const QString measured = m_folder.filePath("measured.csv");
    const QString fitted = m_folder.filePath(QStringLiteral("fitted%1.csv").arg(scale));
    QCOMPARE(cli({"tank-shape", real, "--probe", "40:1100", "--points", "4", "--out", measured}).exitCode, 0);
    const Run run = cli({"tank-shape", kNominal, "--probe", "40:1100", "--points", "51", "--fit",
                         measured, "--out", fitted});
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(exitCode == 0 ? "fit: plausible" : "fit: suspect"), qPrintable(run.out));
    QVERIFY(run.out.contains("diameter: 1200 mm nominal"));
    if (exitCode != 0) {
        QVERIFY(!QFile::exists(fitted));
        return;
    }
    const TankTable table = loaded(fitted);
    QVERIFY(!table.info().computed);
    QVERIFY(table.info().confirmation.startsWith("fitted to 4 measured rows"));
    TankShape shape;
    TankProbe probe;
    QString error;
    QVERIFY(TankShapeText::readShape(real, &shape, &error));
    QVERIFY(TankShapeText::readProbe("40:1100", shape, &probe, &error));
    for (int raw = 0; raw <= probe.fullScale; raw += 5) {
        const double truth = TankShapeTable::litresAt(shape, probe, raw);
        QVERIFY2(std::abs(table.volumeAt(raw).litres - truth) < 0.01 * shape.fullLitres(),
                 qPrintable(QStringLiteral("raw %1: %2 L fitted, %3 L real")
                                .arg(raw)
                                .arg(table.volumeAt(raw).litres)
                                .arg(truth)));
    }
}

void TestCliTankShape::exportThinsAndReadsBack()
{
    const QString table = m_folder.filePath("export-source.csv");
    const QString out = m_folder.filePath("segments.json");
    QCOMPARE(cli({"tank-shape", kNominal, "--points", "201", "--out", table}).exitCode, 0);
    const Run run = cli({"tank-export", "--in", table, "--format", "segments", "--max-points", "20",
                         "--out", out, "--json"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains("\"rowsBefore\":201"), qPrintable(run.out));
    TankTable read;
    QString error;
    QVERIFY2(TableFormat::load(out, 4095, &read, &error), qPrintable(error));
    QVERIFY(read.rowCount() <= 20);
    const Run refused = cli({"tank-export", "--in", table, "--format", "pairs", "--separator", ",",
                             "--decimal", ",", "--out", out});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains("cannot be told from the numbers"), qPrintable(refused.err));
}

// End to end: the simulator's tank is a horizontal cylinder 5 % wider and 5 %
// shorter than drawn; tare records three pours of litres into it, and the
// nominal shape fitted to them follows the simulator's tank within 1 %.
void TestCliTankShape::fitToPoursIntoTheSimulatedTank()
{
    sim::LineOptions options = SimulatedLine::options("ZT-32", {1}, 0.0);
    QString error;
    QVERIFY(options.tank.parse("horizontal-cylinder:diameter=1260,length=2850", &error));
    QVERIFY(options.tank.parseProbe("40:1100", &error));
    QVERIFY(sim::LevelWobble::parse("0:0.1", &options.wobble, &error));
    sim::SimLine line(options);
    QVERIFY(line.start());
    sim::LevelCommands levels(line);
    const QString measured = m_folder.filePath("poured.csv");
    CliProcess tare;
    tare.start({"tare", "--port", line.portPath(), "--model", "ZT-32", "--address", "1",
                "--settle", "1", "--out", measured, "--json"});
    for (const QString litres : {"800", "1000", "1000"}) {
        QVERIFY(!tare.waitForLine("\"question\"").isEmpty());
        QString answer;
        QVERIFY2(levels.execute("pour 1 " + litres, &answer), qPrintable(answer));
        tare.write(litres + '\n');
        QVERIFY2(!tare.waitForLine("\"row\"").isEmpty(), qPrintable(tare.err()));
    }
    tare.write("\n");
    QVERIFY(tare.wait());
    QCOMPARE(tare.exitCode(), 0);
    const QString fitted = m_folder.filePath("fitted-on-line.csv");
    const Run run = cli({"tank-shape", kNominal, "--probe", "40:1100", "--full-scale", "10000",
                         "--points", "101", "--fit", measured, "--out", fitted});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    const TankTable table = loaded(fitted);
    double largest = 0;
    for (int raw = 0; raw <= 10000; raw += 10)
        largest = std::max(largest, std::abs(table.volumeAt(raw).litres -
                                             options.tank.litresAtLevel(raw / 10000.0)));
    QVERIFY2(largest < 0.01 * options.tank.fullLitres(),
             qPrintable(QStringLiteral("largest error %1 L\n%2").arg(largest).arg(run.out)));
}

QTEST_GUILESS_MAIN(TestCliTankShape)
#include "tst_clitankshape.moc"

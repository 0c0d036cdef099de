// nivelon-cli tare and poll --tank-table as processes, over pseudo-terminals,
// against simulated lines whose levels the test pours.
#include "levelcommands.h"
#include "support/cliprocess.h"
#include "support/simulatedline.h"
#include "tank/tanktablefile.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

QJsonObject jsonOf(const QString& line)
{
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

// The raw level the simulated sensor reports once its surface is calm.
int calmRawLevel(const sim::SimSensor& sensor)
{
    const double level = sensor.physics().calmLevel();
    if (sensor.model().protocol == sim::Protocol::Omnicomm)
        return sensor.omnicomm().rawLevelFor(level);
    return int(std::lround(level * 10000));
}

} // namespace

class TestCliTank : public QObject
{
    Q_OBJECT

private slots:
    void tareRecordsSettledPours_data();
    void tareRecordsSettledPours();
    void tareWithoutAnswersWritesNothing_data();
    void tareWithoutAnswersWritesNothing();
    void pollAddsLitresFromTheTable_data();
    void pollAddsLitresFromTheTable();
};

void TestCliTank::tareRecordsSettledPours_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("wobble");
    QTest::newRow("Omnicomm, wobbling") << "ZT-33" << 4 << "5:2";
    QTest::newRow("ModBus, calm") << "ZT-32" << 3 << "0:0.1";
}

// Five pours, the last taken back and answered again; a row is recorded only
// once the wobble has died down, at the level the simulator holds.
void TestCliTank::tareRecordsSettledPours()
{
    QFETCH(QString, model);
    QFETCH(int, address);
    QFETCH(QString, wobble);
    sim::LineOptions options = SimulatedLine::options(model, {address}, 0.05);
    QString error;
    QVERIFY(sim::LevelWobble::parse(wobble, &options.wobble, &error));
    sim::SimLine line(options);
    QVERIFY(line.start());
    sim::LevelCommands levels(line);
    QTemporaryDir folder;
    const QString path = folder.filePath("tank.csv");
    CliProcess tare;
    tare.start({"tare", "--port", line.portPath(), "--model", model, "--address",
                QString::number(address), "--settle", "1", "--out", path, "--json"});
    const QStringList answers{"+", "12.5", "y", "10", "+", "u", "+"};
    const QList<double> litres{10, 22.5, 32.5, 42.5, 52.5, 0, 52.5};
    QList<int> rawLevels;
    for (int i = 0; i < answers.size(); ++i) {
        QVERIFY(!tare.waitForLine("\"question\"").isEmpty());
        // The pour taken back stays in the tank and is answered again.
        const bool pours = i < 5;
        QString answer;
        if (pours)
            QVERIFY(levels.execute(QString("pour %1 12").arg(address), &answer));
        QElapsedTimer poured;
        poured.start();
        tare.write(answers[i] + '\n');
        if (answers[i] == "u") {
            QCOMPARE(jsonOf(tare.waitForLine("rowTakenBack")).value("row").toInt(), 5);
            rawLevels.removeLast();
            continue;
        }
        const QJsonObject row = jsonOf(tare.waitForLine("\"row\""));
        QVERIFY2(!pours || poured.elapsed() >= options.wobble.durationMs, qPrintable(tare.out()));
        QCOMPARE(row.value("Litres").toDouble(), litres[i]);
        QCOMPARE(row.value("RawLevel").toInt(), calmRawLevel(*line.sensorAt(address)));
        QCOMPARE(row.value("forced").toBool(), false);
        rawLevels << row.value("RawLevel").toInt();
    }
    tare.write("\n");
    QVERIFY(tare.wait());
    QCOMPARE(tare.exitCode(), 0);
    TankTable table;
    QVERIFY2(TankTableFile::load(path, &table, &error), qPrintable(error));
    QCOMPARE(table.rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(table.rows()[i].rawLevel, rawLevels[i]);
        QCOMPARE(table.rows()[i].litres, litres[i == 4 ? 6 : i]);
    }
    QCOMPARE(table.info().model, model);
    QCOMPARE(table.info().address, address);
}

void TestCliTank::tareWithoutAnswersWritesNothing_data()
{
    QTest::addColumn<bool>("inputClosed");
    QTest::newRow("input at its end") << false;
    // Not at its end but closed outright: no notifier would ever tell of it.
    QTest::newRow("input closed") << true;
}

void TestCliTank::tareWithoutAnswersWritesNothing()
{
    QFETCH(bool, inputClosed);
    sim::SimLine line(SimulatedLine::options("ZT-32", {1}));
    QVERIFY(line.start());
    QTemporaryDir folder;
    const QString path = folder.filePath("tank.csv");
    const QStringList arguments{"tare",      "--port", line.portPath(), "--model", "ZT-32",
                                "--address", "1",      "--out",         path};
    QProcess tare;
    tare.setProgram(QStringLiteral("sh"));
    tare.setArguments(QStringList{"-c", inputClosed ? R"(exec "$0" "$@" <&-)" : R"(exec "$0" "$@")",
                                  QStringLiteral(NIVELON_CLI_PATH)} +
                      arguments);
    tare.start();
    tare.closeWriteChannel();
    QVERIFY(tare.waitForFinished(60000));
    const QString err = QString::fromLocal8Bit(tare.readAllStandardError());
    // The sensor answers; what is missing is the user's answer.
    QCOMPARE(tare.exitCode(), 2);
    QVERIFY2(err.contains("standard input ended before the first answer"), qPrintable(err));
    QVERIFY(!QFile::exists(path));
}

void TestCliTank::pollAddsLitresFromTheTable_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<double>("litres");
    QTest::addColumn<QString>("error");
    const QByteArray header = "# Model: ZT-32\n# Address: 1\nLitres,RawLevel,Level\n";
    QTest::newRow("between rows, CSV") << header + "0,1000,10\n50,3000,30\n120,5000,50\n"
                                       << false << 0 << 85.0 << "";
    QTest::newRow("beyond the last row, JSON") << header + "0,0,0\n60,2000,20\n"
                                               << true << 0 << 60.0 << "";
    QTest::newRow("raw level falling")
        << header + "0,0,0\n10,1000,10\n20,2000,20\n30,3000,30\n40,3500,35\n50,3400,34\n"
        << false << 2 << 0.0 << "line 9: raw level 3400";
    QTest::newRow("no table") << QByteArray() << false << 2 << 0.0 << "cannot read";
}

void TestCliTank::pollAddsLitresFromTheTable()
{
    QFETCH(QByteArray, table);
    QFETCH(bool, json);
    QFETCH(int, exitCode);
    QFETCH(double, litres);
    QFETCH(QString, error);
    sim::SimLine line(SimulatedLine::options("ZT-32", {1}, 0.4));
    QVERIFY(line.start());
    QTemporaryDir folder;
    const QString path = folder.filePath("tank.csv");
    QFile file(path);
    QVERIFY(table.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(table) > 0));
    file.close();
    QStringList arguments{"poll",      "--port", line.portPath(), "--model", "ZT-32",
                          "--address", "1",      "--count",       "3",       "--tank-table",
                          path};
    if (json)
        arguments << "--json";
    CliProcess poll;
    poll.start(arguments);
    QVERIFY(poll.wait());
    QCOMPARE(poll.exitCode(), exitCode);
    if (exitCode != 0) {
        QVERIFY2(poll.err().startsWith("nivelon-cli: --tank-table " + path) &&
                     poll.err().contains(error),
                 qPrintable(poll.err()));
        return;
    }
    QStringList lines = poll.outLines();
    if (json) {
        lines.removeLast(); // the statistics
        for (const QString& reading : lines) {
            QCOMPARE(jsonOf(reading).value("Litres").toDouble(), litres);
            QCOMPARE(jsonOf(reading).value("LitresOutOfRange").toBool(), true);
        }
    } else {
        QVERIFY(lines.takeFirst().endsWith(",TimeMs,Litres"));
        for (const QString& reading : lines)
            QCOMPARE(reading.section(',', -1).toDouble(), litres);
    }
    QCOMPARE(lines.size(), 3);
}

QTEST_GUILESS_MAIN(TestCliTank)
#include "tst_clitank.moc"

// The tank table: its file, what a file is refused for, and the litres it gives.
#include "tank/tanktablefile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Points = QList<QPair<double, int>>; // litres, raw level

const QByteArray kHeader = "# Nivelon tank table\n# Model: ZT-33\nLitres,RawLevel,Level\n";

TankTable tableOf(const Points& rows)
{
    TankTable table;
    for (const auto& row : rows)
        table.append({row.first, row.second, row.second / 100.0, false});
    return table;
}

} // namespace

class TestTankTable : public QObject
{
    Q_OBJECT

private slots:
    void badFilesAreRefusedNamingTheLine_data();
    void badFilesAreRefusedNamingTheLine();
    void savedTableReadsBackTheSame();
    void savingIsWholeOrNothing();
    void litresBetweenAndBeyondTheRows_data();
    void litresBetweenAndBeyondTheRows();
};

void TestTankTable::badFilesAreRefusedNamingTheLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray() << "line 1: the header Litres,RawLevel,Level is missing";
    QTest::newRow("comments only") << QByteArray("# Model: ZT-33\n\n")
                                   << "line 3: the header Litres,RawLevel,Level is missing";
    QTest::newRow("rows before the header")
        << QByteArray("# tank\n0,10,1.00\nLitres,RawLevel,Level\n")
        << "line 2: the header Litres,RawLevel,Level is expected here";
    QTest::newRow("no rows") << kHeader + "\n"
                             << "line 3: no rows follow the header";
    QTest::newRow("litres not rising") << kHeader + "0,10,1\n10,20,2\n10,30,3\n"
                                       << "line 6: litres 10 do not rise above 10";
    QTest::newRow("raw level falling") << kHeader + "0,10,1\r\n10,20,2\r\n20,15,3\r\n"
                                       << "line 6: raw level 15 does not rise above 20";
    QTest::newRow("litres below zero") << kHeader + "-5,10,1\n"
                                       << "line 4: litres -5";
    QTest::newRow("malformed number") << kHeader + "0,10,1\n1O,20,2\n"
                                      << "line 5: Litres \"1O\" is not a number";
    QTest::newRow("fractional raw level") << kHeader + "0,10.5,1\n"
                                          << "line 4: RawLevel 10.5";
    QTest::newRow("two fields") << kHeader + "0,10\n"
                                << "line 4: Litres,RawLevel,Level wants 3 fields, this row has 2";
    QTest::newRow("forced row missing") << kHeader + "0,10,1\n# Forced rows: 2\n"
                                        << "line 5: the forced rows name a row";
}

// Nothing of a bad file is taken: the table keeps what it held.
void TestTankTable::badFilesAreRefusedNamingTheLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    TankTable table = tableOf({{1, 1}});
    QString problem;
    QVERIFY(!TankTableFile::fromCsv(text, &table, &problem));
    QVERIFY2(problem.startsWith(error), qPrintable(problem));
    QCOMPARE(table.rowCount(), 1);
}

void TestTankTable::savedTableReadsBackTheSame()
{
    TankTable table = tableOf({{0, 95}, {10.5, 410}, {20.125, 800}});
    QVERIFY(table.append({30, 1200, 29.3, true}));
    TankTableInfo info{"ZT-33", 7, "1 (full scale 4095)",
                       QDateTime(QDate(2024, 5, 1), QTime(12, 30, 5)), "1.4.3",
                       "stopped by SIGTERM", QString(),
                       QString(), false, QString()};
    table.setInfo(info);
    const QByteArray csv = TankTableFile::toCsv(table);
    QCOMPARE(csv, QByteArray("# Nivelon tank table\n# Model: ZT-33\n# Address: 7\n"
                             "# DataFormat: 1 (full scale 4095)\n# Date: 2024-05-01T12:30:05\n"
                             "# Version: 1.4.3\n# Incomplete: stopped by SIGTERM\n"
                             "Litres,RawLevel,Level\n0,95,0.95\n10.5,410,4.10\n"
                             "20.125,800,8.00\n30,1200,29.30\n# Forced rows: 4\n"));
    TankTable read;
    QString error;
    QVERIFY2(TankTableFile::fromCsv(csv, &read, &error), qPrintable(error));
    QCOMPARE(TankTableFile::toCsv(read), csv);
    // A table computed from a shape keeps it, and whether pours confirmed it.
    for (const QString& confirmation : {QString(), QStringLiteral("fitted to 3 measured rows")}) {
        info.shape = QStringLiteral("horizontal-cylinder:diameter=1200,length=3000");
        info.probe = QStringLiteral("40:1100");
        info.computed = confirmation.isEmpty();
        info.confirmation = confirmation;
        table.setInfo(info);
        QVERIFY(TankTableFile::fromCsv(TankTableFile::toCsv(table), &read, &error));
        QCOMPARE(read.info().shape, info.shape);
        QCOMPARE(read.info().probe, info.probe);
        QCOMPARE(read.info().computed, info.computed);
        QCOMPARE(read.info().confirmation, confirmation);
    }
}

void TestTankTable::savingIsWholeOrNothing()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("tank.csv");
    QString error;
    QVERIFY(TankTableFile::save(tableOf({{0, 10}, {5, 20}}), path, &error));
    // A missing folder is refused, naming the file.
    QVERIFY(!TankTableFile::save(tableOf({{0, 1}}), folder.filePath("no/tank.csv"), &error));
    QVERIFY(error.contains(folder.filePath("no/tank.csv")));
    TankTable read;
    QVERIFY(!TankTableFile::load(folder.filePath("missing.csv"), &read, &error));
    QVERIFY(TankTableFile::load(path, &read, &error));
    QCOMPARE(read.rowCount(), 2);
}

void TestTankTable::litresBetweenAndBeyondTheRows_data()
{
    QTest::addColumn<Points>("rows");
    QTest::addColumn<int>("rawLevel");
    QTest::addColumn<double>("litres");
    QTest::addColumn<bool>("outOfRange");
    const Points tank{{0, 100}, {10, 300}, {40, 400}};
    QTest::newRow("below the first") << tank << 20 << 0.0 << true;
    QTest::newRow("on the first") << tank << 100 << 0.0 << false;
    QTest::newRow("between first and second") << tank << 150 << 2.5 << false;
    QTest::newRow("on a middle row") << tank << 300 << 10.0 << false;
    QTest::newRow("between second and last") << tank << 390 << 37.0 << false;
    QTest::newRow("on the last") << tank << 400 << 40.0 << false;
    QTest::newRow("above the last") << tank << 4095 << 40.0 << true;
    QTest::newRow("one row, on it") << Points{{5, 50}} << 50 << 5.0 << false;
    QTest::newRow("one row, above") << Points{{5, 50}} << 60 << 5.0 << true;
    QTest::newRow("empty") << Points{} << 60 << 0.0 << true;
}

void TestTankTable::litresBetweenAndBeyondTheRows()
{
    QFETCH(Points, rows);
    QFETCH(int, rawLevel);
    QFETCH(double, litres);
    QFETCH(bool, outOfRange);
    const TankVolume volume = tableOf(rows).volumeAt(rawLevel);
    QCOMPARE(volume.litres, litres);
    QCOMPARE(volume.outOfRange, outOfRange);
}

QTEST_GUILESS_MAIN(TestTankTable)
#include "tst_tanktable.moc"

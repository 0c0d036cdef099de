// The files nivelon-cli writes and reads, as processes against simulated lines:
// a full disk keeps the earlier file, tare keeps its rows on every abnormal end,
// and what is not a regular file is refused at once.
#include "levelcommands.h"
#include "support/cliprocess.h"
#include "support/fullfolder.h"
#include "support/simulatedline.h"
#include "tank/tanktablefile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool put(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

QStringList lineArguments(const sim::SimLine& line, const QString& command)
{
    return {command, "--port", line.portPath(), "--model", "ZT-33", "--address", "1"};
}

// Records the rows of these litres, pouring 10 % before each after the first.
bool tareRows(CliProcess& tare, sim::SimLine& line, const QStringList& litres)
{
    sim::LevelCommands levels(line);
    QString answer;
    for (int i = 0; i < litres.size(); ++i) {
        if (tare.waitForLine("\"question\"").isEmpty() ||
            (i > 0 && !levels.execute(QStringLiteral("pour 1 10"), &answer)))
            return false;
        tare.write(litres[i] + '\n');
        if (tare.waitForLine("\"row\"").isEmpty())
            return false;
    }
    return true;
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskKeepsTheEarlierFile_data();
    void fullDiskKeepsTheEarlierFile();
    void tareKeepsItsRowsWhenItEndsEarly_data();
    void tareKeepsItsRowsWhenItEndsEarly();
    void whatIsNotARegularFileIsRefusedAtOnce_data();
    void whatIsNotARegularFileIsRefusedAtOnce();
};

void TestCliFiles::fullDiskKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<FullFolder::Kind>("kind");
    for (const char* command : {"config", "record", "tare"}) {
        QTest::addRow("%s, tmpfs", command) << QString(command) << FullFolder::FullFileSystem;
        QTest::addRow("%s, size limit", command) << QString(command) << FullFolder::WriteLimit;
    }
}

// Exit 1 and the system's reason; tare shows the rows the file could not take.
void TestCliFiles::fullDiskKeepsTheEarlierFile()
{
    QFETCH(QString, command);
    QFETCH(FullFolder::Kind, kind);
    FullFolder folder(kind);
    if (!folder.unavailable().isEmpty())
        QSKIP(qPrintable(folder.unavailable()));
    // Slow replies leave time to set the size limit once the tool has its port.
    sim::LineOptions options = SimulatedLine::options("ZT-33", {1}, 0.05);
    options.latencyMs = 20;
    sim::SimLine line(options);
    QVERIFY(line.start());
    const QString path = folder.filePath("out");
    QVERIFY(put(path, "earlier\n"));
    QStringList arguments = lineArguments(line, command);
    if (command == "config")
        arguments << "--save" << path;
    else if (command == "record")
        arguments << "--seconds"
                  << "1"
                  << "--out" << path;
    else
        arguments << "--settle"
                  << "0.2"
                  << "--out" << path << "--json";
    CliProcess cli;
    if (kind == FullFolder::FullFileSystem)
        folder.fill();
    cli.start(arguments);
    QVERIFY(QTest::qWaitFor([&] { return line.sensorAt(1)->counters().requests > 0; }, 60000));
    if (kind == FullFolder::WriteLimit)
        folder.fill(cli.processId());
    if (command == "tare") {
        QVERIFY2(tareRows(cli, line, {"0"}), qPrintable(cli.out()));
        cli.write("\n");
    }
    QVERIFY(cli.wait());
    QCOMPARE(cli.exitCode(), 1);
    const QString failure = QStringLiteral("cannot write %1: %2").arg(path, folder.reason());
    QVERIFY2(cli.err().contains(failure), qPrintable(cli.err()));
    QCOMPARE(contentOf(path), QByteArray("earlier\n"));
    if (command == "tare")
        QVERIFY2(cli.err().contains("the rows follow\n# Nivelon tank table\n") &&
                     cli.err().contains("Litres,RawLevel,Level\n0,"),
                 qPrintable(cli.err()));
}

void TestCliFiles::tareKeepsItsRowsWhenItEndsEarly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reason");
    QTest::newRow("SIGINT") << int(SIGINT) << 130 << "stopped by SIGINT";
    QTest::newRow("SIGTERM") << int(SIGTERM) << 143 << "stopped by SIGTERM";
    QTest::newRow("line lost") << 0 << 1 << "port ";
}

void TestCliFiles::tareKeepsItsRowsWhenItEndsEarly()
{
    QFETCH(int, signalNumber);
    QFETCH(int, exitCode);
    QFETCH(QString, reason);
    sim::SimLine line(SimulatedLine::options("ZT-33", {1}, 0.05));
    QVERIFY(line.start());
    QTemporaryDir folder;
    const QString path = folder.filePath("tank.csv");
    CliProcess tare;
    tare.start(lineArguments(line, "tare") +
               QStringList{"--settle", "0.2", "--out", path, "--json"});
    QVERIFY2(tareRows(tare, line, {"0", "10"}), qPrintable(tare.out()));
    if (signalNumber != 0)
        tare.sendSignal(signalNumber);
    else
        line.stop();
    QVERIFY2(tare.wait(60000), qPrintable(tare.err()));
    QCOMPARE(tare.exitCode(), exitCode);
    QVERIFY2(tare.err().contains(QStringLiteral("the 2 row(s) recorded so far are written to %1, "
                                                "marked incomplete")
                                     .arg(path)),
             qPrintable(tare.err()));
    TankTable table;
    QString error;
    QVERIFY2(TankTableFile::load(path, &table, &error), qPrintable(error));
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.lastRow().litres, 10.0);
    QVERIFY2(table.info().incomplete.startsWith(reason), qPrintable(table.info().incomplete));
}

void TestCliFiles::whatIsNotARegularFileIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    const QString notAFile = "not a regular file (a device or a pipe)";
    QTest::newRow("tank table from a pipe without a writer") << "poll"
                                                             << "--tank-table"
                                                             << "fifo" << 2 << notAFile;
    QTest::newRow("tank table from an endless device") << "poll"
                                                       << "--tank-table"
                                                       << "/dev/urandom" << 2 << notAFile;
    QTest::newRow("profile from a pipe without a writer") << "config"
                                                          << "--apply"
                                                          << "fifo" << 2 << notAFile;
    QTest::newRow("profile of 2 MB") << "config"
                                     << "--apply"
                                     << "large" << 2 << "2097152 bytes, more than the 1048576";
    QTest::newRow("profile onto a device")
        << "config"
        << "--save"
        << "/dev/full" << 1 << "cannot write /dev/full: " + notAFile;
}

// Nothing waits on a writer that never comes, so a signal is never needed; a
// device stays a device.
void TestCliFiles::whatIsNotARegularFileIsRefusedAtOnce()
{
    QFETCH(QString, command);
    QFETCH(QString, option);
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    sim::SimLine line(SimulatedLine::options("ZT-33", {1}));
    QVERIFY(line.start());
    QTemporaryDir folder;
    QString path = file;
    if (file == "fifo") {
        path = folder.filePath(file);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (file == "large") {
        path = folder.filePath(file);
        QVERIFY(put(path, QByteArray(2 * 1024 * 1024, ' ')));
    }
    CliProcess cli;
    cli.start(lineArguments(line, command) +
              QStringList{option, path, "--count", "1"}.mid(0, command == "poll" ? 4 : 2));
    QVERIFY(cli.wait(15000));
    QCOMPARE(cli.exitCode(), exitCode);
    QVERIFY2(cli.err().contains(says), qPrintable(cli.err()));
    if (file.startsWith("/dev/"))
        QVERIFY(!QFileInfo(file).isFile());
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"

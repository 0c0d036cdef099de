// The options of nivelon-sim.
#include "commandline.h"

#include <QtTest>

using namespace sim;

class SimCommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultsFollowTheModel();
    void optionsAreRead();
    void invalidCombinationsAreRefused_data();
    void invalidCombinationsAreRefused();
};

static CommandLine::Outcome parse(const QString& arguments, LineOptions* options)
{
    CommandLine commandLine;
    return commandLine.parse(("nivelon-sim " + arguments).split(' ', Qt::SkipEmptyParts), options);
}

void SimCommandLineTest::defaultsFollowTheModel()
{
    LineOptions omnicomm;
    QCOMPARE(parse("", &omnicomm), CommandLine::Run);
    QCOMPARE(omnicomm.model.code, QString("ZT-33"));
    QCOMPARE(omnicomm.addresses, QList<int>{1});
    QCOMPARE(omnicomm.latencyMs, 3);
    QVERIFY(!omnicomm.faults.any());
    LineOptions tbus;
    QCOMPARE(parse("--model zt-35", &tbus), CommandLine::Run);
    QCOMPARE(tbus.model.protocol, Protocol::TBus);
    QVERIFY(tbus.model.calibration);
    QCOMPARE(tbus.addresses, QList<int>{10});
}

void SimCommandLineTest::optionsAreRead()
{
    LineOptions options;
    QCOMPARE(parse("--model ZT-43 --address 4 --address 9 --autonomous 12 --latency 7 --seed 99 "
                   "--fault-crc 0.1 --fault-late 0.05 --late-ms 900 --level 25 --link /tmp/x "
                   "--wobble 4:2.5 --slow 9:40 --slow 20:60 --echo --noise 20:50",
                   &options),
             CommandLine::Run);
    QVERIFY(options.model.extendedConfiguration);
    QCOMPARE(options.addresses, (QList<int>{4, 9, 12, 20}));
    QCOMPARE(options.slowMs, (QMap<int, int>{{9, 40}, {20, 60}}));
    QVERIFY(options.echo);
    QCOMPARE(options.noiseBytes, 20);
    QCOMPARE(options.noiseIntervalMs, 50);
    QCOMPARE(options.autonomous, QList<int>{12});
    QCOMPARE(options.latencyMs, 7);
    QCOMPARE(options.seed, 99u);
    QCOMPARE(options.faults.corruptCrc, 0.1);
    QCOMPARE(options.faults.late, 0.05);
    QCOMPARE(options.faults.lateMs, 900);
    QCOMPARE(options.fixedLevel, 0.25);
    QCOMPARE(options.linkPath, QString("/tmp/x"));
    QCOMPARE(options.wobble.amplitude, 0.04);
    QCOMPARE(options.wobble.durationMs, 2500);
    QVERIFY(!options.tracker.enabled());

    LineOptions tracker;
    QCOMPARE(parse("--model ZT-32 --address 1 --address 2 --tracker 250 --tap /tmp/t "
                   "--tap-batch 16 --tap-corrupt 0.02 --exceptions 0.1 --second-master 900 "
                   "--tracker-timeout 80 --fault-silence 0.1",
                   &tracker),
             CommandLine::Run);
    QCOMPARE(tracker.tracker.periodMs, 250);
    QCOMPARE(tracker.tracker.tapLink, QString("/tmp/t"));
    QCOMPARE(tracker.tracker.batchMs, 16);
    QCOMPARE(tracker.tracker.corruptShare, 0.02);
    QCOMPARE(tracker.tracker.exceptionShare, 0.1);
    QCOMPARE(tracker.tracker.secondMasterMs, 900);
    QCOMPARE(tracker.tracker.timeoutMs, 80);
}

void SimCommandLineTest::invalidCombinationsAreRefused_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::newRow("unknown model") << "--model ZT-40";
    QTest::newRow("ModBus address 0") << "--model ZT-32 --address 0";
    QTest::newRow("ModBus address 248") << "--model ZT-36 --address 248";
    QTest::newRow("TBus identifier 63") << "--model ZT-31 --address 63";
    QTest::newRow("Omnicomm address 256") << "--address 256";
    QTest::newRow("autonomous ModBus") << "--model ZT-32 --autonomous 1";
    QTest::newRow("uncalibrated Omnicomm") << "--uncalibrated";
    QTest::newRow("probability above 1") << "--fault-silence 1.5";
    QTest::newRow("unknown option") << "--baud 9600";
    QTest::newRow("wobble without its time") << "--wobble 4";
    QTest::newRow("wobble never calming") << "--wobble 4:0";
    QTest::newRow("slow without latency") << "--slow 7";
    QTest::newRow("slow ModBus address 0") << "--model ZT-32 --slow 0:40";
    QTest::newRow("noise without bytes") << "--noise 0:50";
    QTest::newRow("noise without interval") << "--noise 20:0";
    QTest::newRow("tap without tracker") << "--tap /tmp/t";
    QTest::newRow("batching without tracker") << "--tap-batch 16";
    QTest::newRow("tracker with a port") << "--tracker 100 --port /dev/ttyUSB0";
    QTest::newRow("tracker with echo") << "--tracker 100 --echo";
    QTest::newRow("tracker never polling") << "--tracker 0";
    QTest::newRow("exceptions on Omnicomm") << "--tracker 100 --exceptions 0.5";
}

void SimCommandLineTest::invalidCombinationsAreRefused()
{
    QFETCH(QString, arguments);
    CommandLine commandLine;
    LineOptions options;
    QCOMPARE(commandLine.parse(("nivelon-sim " + arguments).split(' '), &options),
             CommandLine::Invalid);
    QVERIFY(!commandLine.errorText().isEmpty());
}

QTEST_APPLESS_MAIN(SimCommandLineTest)
#include "tst_simcommandline.moc"

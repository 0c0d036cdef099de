// nivelon-cli run as a process over real pseudo-terminals against simulated lines.
#include "support/cliprocess.h"
#include "support/simulatedline.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <memory>

namespace {

// Detection passes over 256 addresses, most of which time out.
const int kPassWaitMs = 120000;

QJsonObject jsonOf(const QString& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(line));
    return document.object();
}

QList<int> intsOf(const QJsonArray& array)
{
    QList<int> values;
    for (const QJsonValue& value : array)
        values << value.toInt();
    return values;
}

// A line simulator on a pseudo-terminal in this process; the tool opens it by path.
struct Line
{
    explicit Line(const sim::LineOptions& options)
        : sim(options)
    {
        started = sim.start();
    }
    Line(const QString& model, const QList<int>& addresses, double level = 0.5)
        : Line(SimulatedLine::options(model, addresses, level))
    {}

    // Runs the tool on this line: the port and the model go first.
    CliProcess* run(const QStringList& arguments, const QString& model)
    {
        auto* process = new CliProcess;
        processes.emplace_back(process);
        process->start(QStringList{arguments.first(), "--port", sim.portPath(), "--model", model} +
                       arguments.mid(1));
        return process;
    }

    sim::SimLine sim;
    bool started = false;
    std::vector<std::unique_ptr<CliProcess>> processes;
};

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void badArgumentsAndMissingPorts_data();
    void badArgumentsAndMissingPorts();
    void versionHelpAndManual();
    void portsListsTheVariablesPaths();
    void scanFindsExactlyTheSimulatedAddresses_data();
    void scanFindsExactlyTheSimulatedAddresses();
    void pollReadingsMatchTheSimulatedLevels_data();
    void pollReadingsMatchTheSimulatedLevels();
    void replyTimeoutReachesASlowSensor_data();
    void replyTimeoutReachesASlowSensor();
    void statisticsMatchTheSimulatorUnderFaults_data();
    void statisticsMatchTheSimulatorUnderFaults();
    void configurationWritesAreAppliedOrRefused();
    void profileGivesAnotherSensorTheSameConfiguration();
    void appliedProfileTellsEachParametersOutcome();
    void refusedProfilesWriteNothing_data();
    void refusedProfilesWriteNothing();
    void setAddressAndCalibrateTakeEffect();
    void identifyNamesTheProtocolOfEachLine();
    void commandsOnALineSayWhatHappened_data();
    void commandsOnALineSayWhatHappened();
    void stopSignalsEndAPollWithItsStatistics_data();
    void stopSignalsEndAPollWithItsStatistics();
    void pollTimeCountsFromTheFirstRequest();
    void selfSentReadingsAreHeard();
    void identifyLetsTheLineSettleBeforeEachProtocol();
    void scanOfModBusOnATBusLineFindsNothing();
    void tbusScanSaysAndTakesItsIdentifiers();
    void wrongOmnicommModelGivesNoLevel_data();
    void wrongOmnicommModelGivesNoLevel();
    void noisyLineEndsThePoll();
    void pollDrainsTheLineAndKeepsItsInterval();
    void recordHoldsTheWholeConfigurationAndTheLine();
};

void TestCli::badArgumentsAndMissingPorts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    const QString port = "--port=/nonexistent/tty";
    const QStringList line{port, "--model", "ZT-32", "--address", "1"};
    QTest::newRow("no command") << QStringList() << 2 << "no command";
    QTest::newRow("unknown command") << QStringList{"list"} << 2 << "\"list\"";
    QTest::newRow("unknown option") << QStringList{"ports", "--fast"} << 2 << "fast";
    QTest::newRow("no port") << QStringList{"scan", "--model", "ZT-32"} << 2 << "--port";
    QTest::newRow("unknown model") << QStringList{"scan", port, "--model", "ZT-99"} << 2 << "ZT-99";
    QTest::newRow("address too high")
        << QStringList{"poll", port, "--model", "ZT-32", "--address", "300"} << 2
        << "--address 300";
    QTest::newRow("TBus address beyond six bits")
        << QStringList{"poll", port, "--model", "ZT-31", "--address", "74"} << 2
        << "--address 74 is outside the addresses of ZT-31: a TBus sensor has one from 0 to 62";
    QTest::newRow("ModBus address 248")
        << QStringList{"poll", port, "--model", "ZT-32", "--address", "248"} << 2
        << "a ModBus sensor has one from 1 to 247";
    QTest::newRow("identifier list beyond TBus")
        << QStringList{"scan", port, "--model", "ZT-35", "--address", "5,63"} << 2
        << "--address 63 is outside";
    QTest::newRow("identifier list of ModBus")
        << QStringList{"scan", port, "--model", "ZT-32", "--address", "5"} << 2
        << "--address is for TBus models";
    QTest::newRow("count and seconds")
        << QStringList{"poll"} + line + QStringList{"--count", "3", "--seconds", "2"} << 2
        << "--count";
    QTest::newRow("zero count") << QStringList{"poll"} + line + QStringList{"--count", "0"} << 2
                                << "--count 0";
    QTest::newRow("new address missing") << QStringList{"set-address"} + line << 2 << "missing";
    QTest::newRow("two new addresses")
        << QStringList{"set-address"} + line + QStringList{"2", "3"} << 2 << "\"3\"";
    QTest::newRow("set-address on TBus")
        << QStringList{"set-address", port, "--model", "ZT-35", "--address", "10", "11"} << 2
        << "ZT-35";
    QTest::newRow("calibrate without calibration")
        << QStringList{"calibrate", port, "--model", "ZT-31", "--address", "10", "min"} << 2
        << "ZT-35";
    QTest::newRow("config of ModBus") << QStringList{"config"} + line << 2 << "Omnicomm";
    QTest::newRow("tare without --out") << QStringList{"tare"} + line << 2 << "--out";
    QTest::newRow("tare settling at once")
        << QStringList{"tare"} + line + QStringList{"--out", "t.csv", "--settle", "0"} << 2
        << "--settle 0";
    QTest::newRow("tare into no folder")
        << QStringList{"tare"} + line + QStringList{"--out", "/nonexistent/t.csv"} << 1
        << "/nonexistent/t.csv";
    QTest::newRow("missing port") << QStringList{"poll"} + line << 1 << "/nonexistent/tty";
    QTest::newRow("missing port, identify")
        << QStringList{"identify", port} << 1 << "cannot open port";
    // Not even root may write it.
    QTest::newRow("port without permission")
        << QStringList{"poll",      "--port", "/proc/sys/kernel/version", "--model", "ZT-32",
                       "--address", "1"}
        << 1 << "nobody may write /proc/sys/kernel/version: it is no serial port";
    QTest::newRow("seconds beyond the range")
        << QStringList{"poll"} + line + QStringList{"--seconds", "99999999999"} << 2
        << "--seconds 99999999999 is not a number of seconds above 0 and up to 2147483";
    QTest::newRow("interval of 0") << QStringList{"poll"} + line + QStringList{"--interval", "0"}
                                   << 2 << "--interval 0 is not a number from 1 to 3600000";
    // A negative number is a value, not an option.
    QTest::newRow("negative new address") << QStringList{"set-address"} + line + QStringList{"-1"}
                                          << 2 << "the new address \"-1\" is not an address";
    QTest::newRow("help of no command") << QStringList{"help", "list"} << 2 << "\"list\"";
}

// Each bad call says what is wrong in one line, then how to call, and with
// --json the same as an object on stdout; each command explains itself on --help.
void TestCli::badArgumentsAndMissingPorts()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    CliProcess cli;
    cli.start(arguments);
    QVERIFY(cli.wait());
    QCOMPARE(cli.exitCode(), exitCode);
    const QStringList lines = cli.err().split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.value(0).startsWith("nivelon-cli: ") && lines.value(0).contains(says),
             qPrintable(cli.err()));
    QCOMPARE(lines.value(1).startsWith("Usage: nivelon-cli"), exitCode == 2);
    QVERIFY(cli.out().isEmpty());

    CliProcess json;
    json.start(arguments + QStringList{"--json"});
    QVERIFY(json.wait());
    QCOMPARE(json.exitCode(), exitCode);
    const QJsonObject error = jsonOf(json.out());
    QCOMPARE(error.value("exit").toInt(), exitCode);
    QCOMPARE("nivelon-cli: " + error.value("error").toString(), json.err().section('\n', 0, 0));
    if (arguments.isEmpty())
        return;
    CliProcess help;
    help.start({arguments.first(), "--help"});
    QVERIFY(help.wait());
    QCOMPARE(help.exitCode(), arguments.first() == "list" ? 2 : 0);
}

// The habits of command-line tools: a version, help by command, and a manual
// page that holds every command and option of the help.
void TestCli::versionHelpAndManual()
{
    CliProcess version;
    version.start({"--version"});
    QVERIFY(version.wait());
    QCOMPARE(version.exitCode(), 0);
    QVERIFY2(
        QRegularExpression("^nivelon-cli \\d+\\.\\d+\\.\\d+\n$").match(version.out()).hasMatch(),
        qPrintable(version.out()));

    CliProcess manual;
    manual.start({"--manual"});
    QVERIFY(manual.wait());
    QCOMPARE(manual.exitCode(), 0);
    QVERIFY(manual.out().startsWith(".TH NIVELON-CLI 1 "));
    for (const QString& command : QStringList{"ports", "identify", "scan", "poll", "config",
                                              "set-address", "calibrate", "tare", "record"}) {
        CliProcess help;
        CliProcess asked;
        help.start({"help", command});
        asked.start({command, "--help"});
        QVERIFY(help.wait() && asked.wait());
        QCOMPARE(help.exitCode(), 0);
        QCOMPARE(help.out(), asked.out());
        QVERIFY2(manual.out().contains(".SS " + command + "\n"), qPrintable(command));
        for (const QString& line : help.out().split('\n'))
            if (line.startsWith("  -"))
                QVERIFY2(manual.out().contains(QString(line).replace('-', "\\-")),
                         qPrintable(line));
    }
    // Where groff is installed it reads the page without a warning.
    QProcess groff;
    groff.start("groff", {"-man", "-ww", "-z"});
    if (!groff.waitForStarted())
        return;
    groff.write(manual.out().toUtf8());
    groff.closeWriteChannel();
    QVERIFY(groff.waitForFinished());
    QCOMPARE(QString::fromUtf8(groff.readAllStandardError()), QString());
}

void TestCli::portsListsTheVariablesPaths()
{
    Line line("ZT-32", {1});
    QVERIFY(line.started);
    qputenv("NIVELON_PORTS", line.sim.portPath().toLocal8Bit());
    CliProcess cli;
    cli.start({"ports", "--json"});
    QVERIFY(cli.wait());
    qputenv("NIVELON_PORTS", "");
    QCOMPARE(cli.exitCode(), 0);
    QStringList ports;
    for (const QJsonValue& port : jsonOf(cli.out()).value("ports").toArray())
        ports << port.toObject().value("port").toString();
    QVERIFY2(ports.contains(line.sim.portPath()), qPrintable(cli.out()));
}

void TestCli::scanFindsExactlyTheSimulatedAddresses_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<double>("percent");
    QTest::newRow("ModBus, both ends") << "ZT-32" << QList<int>{1, 100, 247} << 25.0;
    QTest::newRow("TBus, both identifiers") << "ZT-35" << QList<int>{8, 10} << 75.0;
}

void TestCli::scanFindsExactlyTheSimulatedAddresses()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, addresses);
    QFETCH(double, percent);
    Line line(model, addresses, percent / 100);
    QVERIFY(line.started);
    CliProcess* cli = line.run({"scan", "--json"}, model);
    QVERIFY(cli->wait(kPassWaitMs));
    QCOMPARE(cli->exitCode(), 0);
    const QJsonArray sensors = jsonOf(cli->out()).value("sensors").toArray();
    QList<int> found;
    for (const QJsonValue& sensor : sensors) {
        found << sensor.toObject().value("address").toInt();
        QCOMPARE(sensor.toObject().value("Level").toDouble(), percent * 100);
        QCOMPARE(sensor.toObject().value("Error").toInt(), 0);
    }
    QCOMPARE(found, addresses);
}

void TestCli::pollReadingsMatchTheSimulatedLevels_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("rawLevel");
    QTest::addColumn<QString>("header");
    QTest::newRow("Omnicomm, CSV") << "ZT-33" << 7 << false << 3276
                                   << "Time,Level,RawLevel,Frequency,Temperature,Error,TimeMs";
    QTest::newRow("Omnicomm, JSON") << "ZT-43" << 7 << true << 3276 << "";
    QTest::newRow("ModBus, CSV") << "ZT-32" << 20 << false << 4000
                                 << "Time,Level,RawLevel,Error,TimeMs";
    QTest::newRow("TBus, JSON") << "ZT-31" << 10 << true << 4000 << "";
}

void TestCli::pollReadingsMatchTheSimulatedLevels()
{
    QFETCH(QString, model);
    QFETCH(int, address);
    QFETCH(bool, json);
    QFETCH(int, rawLevel);
    QFETCH(QString, header);
    Line line(model, {address}, 0.4);
    QVERIFY(line.started);
    QStringList arguments{"poll", "--address", QString::number(address), "--count", "5"};
    if (json)
        arguments << "--json";
    CliProcess* cli = line.run(arguments, model);
    QVERIFY(cli->wait());
    QCOMPARE(cli->exitCode(), 0);
    QStringList lines = cli->outLines();
    QList<QJsonObject> readings;
    if (json) {
        QCOMPARE(lines.size(), 6);
        const QJsonObject statistics = jsonOf(lines.takeLast());
        QCOMPARE(statistics.value("type").toString(), QString("statistics"));
        QVERIFY(statistics.value("successes").toInt() >= 5);
        for (const QString& text : lines)
            readings << jsonOf(text);
    } else {
        QCOMPARE(lines.size(), 6);
        const QStringList columns = lines.takeFirst().split(',');
        QCOMPARE(columns.join(','), header);
        for (const QString& text : lines) {
            const QStringList fields = text.split(',');
            QCOMPARE(fields.size(), columns.size());
            QJsonObject reading;
            for (int i = 0; i < columns.size(); ++i)
                reading.insert(columns[i],
                               i == 0 ? QJsonValue(fields[i]) : QJsonValue(fields[i].toDouble()));
            readings << reading;
        }
        QVERIFY2(cli->err().startsWith("Exchanges "), qPrintable(cli->err()));
    }
    for (const QJsonObject& reading : readings) {
        QCOMPARE(reading.value("RawLevel").toInt(), rawLevel);
        QVERIFY(std::abs(reading.value("Level").toDouble() - 4000) < 1);
        QCOMPARE(reading.value("Error").toInt(), 0);
        if (json)
            QCOMPARE(reading.value("Status").toString(), QStringLiteral("ok"));
        // CSV keeps the plot export's local time; JSON gives the zone.
        const QDateTime time =
            QDateTime::fromMSecsSinceEpoch(qint64(reading.value("TimeMs").toDouble()));
        QCOMPARE(reading.value("Time").toString(),
                 json ? time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate)
                      : time.toString("yyyy-MM-ddTHH:mm:ss"));
        if (json)
            QCOMPARE(reading.value("LevelPercent").toDouble() * 100,
                     reading.value("Level").toDouble());
        if (reading.contains("Temperature"))
            QCOMPARE(reading.value("Temperature").toInt(), 20);
    }
}

void TestCli::replyTimeoutReachesASlowSensor_data()
{
    QTest::addColumn<QStringList>("timeout");
    QTest::addColumn<bool>("read");
    QTest::newRow("the protocol's window") << QStringList{} << false;
    QTest::newRow("--reply-timeout 600") << QStringList{"--reply-timeout", "600"} << true;
}

// A ModBus sensor that answers after 300 ms, beyond what the protocol allows,
// is read only when the user says to wait that long.
void TestCli::replyTimeoutReachesASlowSensor()
{
    QFETCH(QStringList, timeout);
    QFETCH(bool, read);
    sim::LineOptions options = SimulatedLine::options("ZT-32", {1});
    options.latencyMs = 300;
    Line line(options);
    QVERIFY(line.started);
    CliProcess* cli =
        line.run(QStringList{"poll", "--address", "1", "--count", "2", "--json"} + timeout,
                 "ZT-32");
    QVERIFY(cli->wait());
    const QStringList lines = cli->outLines();
    QVERIFY2(lines.size() >= 2, qPrintable(cli->out() + cli->err()));
    for (const QString& text : lines.mid(0, 2))
        QCOMPARE(jsonOf(text).value("Error").toInt() == 0, read);
}

void TestCli::statisticsMatchTheSimulatorUnderFaults_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("address");
    QTest::newRow("Omnicomm") << "ZT-33" << 3;
    QTest::newRow("ModBus") << "ZT-32" << 3;
    QTest::newRow("TBus") << "ZT-31" << 10;
}

// Lost replies are time-outs and damaged ones checksum failures, as the
// simulator counts them; only the exchange in flight when the tool stopped
// may be missing from the tool's count.
void TestCli::statisticsMatchTheSimulatorUnderFaults()
{
    QFETCH(QString, model);
    QFETCH(int, address);
    sim::LineOptions options = SimulatedLine::options(model, {address});
    options.faults.corruptCrc = 0.15;
    options.faults.noReply = 0.15;
    options.seed = 17;
    Line line(options);
    QVERIFY(line.started);
    CliProcess* cli =
        line.run({"poll", "--address", QString::number(address), "--count", "60", "--json"}, model);
    QVERIFY(cli->wait());
    QCOMPARE(cli->exitCode(), 0);
    const QJsonObject statistics = jsonOf(cli->outLines().last());
    const sim::SensorCounters& counters = line.sim.sensorAt(address)->counters();
    const int exchanges = statistics.value("exchanges").toInt();
    const int timeouts = statistics.value("timeouts").toInt();
    const int checksumFailures = statistics.value("checksumFailures").toInt();
    const int lost = int(counters.requests - counters.replies);
    const int damaged = int(counters.faults) - lost;
    QVERIFY2(timeouts > 0 && checksumFailures > 0, qPrintable(cli->outLines().last()));
    QVERIFY(int(counters.requests) - exchanges <= 1 && exchanges <= int(counters.requests));
    QVERIFY(lost - timeouts <= 1 && timeouts <= lost);
    QVERIFY(damaged - checksumFailures <= 1 && checksumFailures <= damaged);
    QCOMPARE(statistics.value("successes").toInt() + timeouts + checksumFailures +
                 statistics.value("otherFailures").toInt(),
             exchanges);
    QVERIFY(statistics.value("maxReplyMs").toDouble() >=
            statistics.value("meanReplyMs").toDouble());
    QVERIFY(statistics.value("meanReplyMs").toDouble() > 0);
}

void TestCli::configurationWritesAreAppliedOrRefused()
{
    Line line("ZT-43", {5});
    QVERIFY(line.started);
    const sim::OmnicommConfig& config = line.sim.sensorAt(5)->omnicomm();
    CliProcess* written = line.run(
        {"config", "--address", "5", "fmin=6000", "SampleCount=20", "AutoInterval=4", "--json"},
        "ZT-43");
    QVERIFY(written->wait());
    QCOMPARE(written->exitCode(), 0);
    QCOMPARE(config.fMin, 6000);
    QCOMPARE(config.sampleCount, 20);
    QCOMPARE(config.autoInterval, 4);
    const QJsonObject configuration = jsonOf(written->out()).value("configuration").toObject();
    QCOMPARE(configuration.value("FMin").toInt(), 6000);
    QCOMPARE(configuration.value("AutoInterval").toInt(), 4);
    QCOMPARE(configuration.value("FMax").toInt(), config.fMax);

    // The sensor keeps its calibration points apart.
    CliProcess* refused = line.run({"config", "--address", "5", "FMin=30000"}, "ZT-43");
    QVERIFY(refused->wait());
    QCOMPARE(refused->exitCode(), 4);
    QVERIFY2(refused->err().contains("FMin=30000"), qPrintable(refused->err()));
    QCOMPARE(config.fMin, 6000);

    // A value the parameter cannot carry would arrive cut to another value.
    const quint64 applied = line.sim.sensorAt(5)->counters().writesApplied;
    CliProcess* unfit =
        line.run({"config", "--address", "5", "SampleCount=30", "NormalTemperature=300"}, "ZT-43");
    QVERIFY(unfit->wait());
    QCOMPARE(unfit->exitCode(), 2);
    QVERIFY2(unfit->err().contains("NormalTemperature"), qPrintable(unfit->err()));
    QCOMPARE(line.sim.sensorAt(5)->counters().writesApplied, applied);

    CliProcess* printed = line.run({"config", "--address", "5"}, "ZT-43");
    QVERIFY(printed->wait());
    QCOMPARE(printed->exitCode(), 0);
    QVERIFY(printed->outLines().contains("SampleCount=20"));
}

// FMin must stay below FMax: lowering both is refused in one order, so the
// second sensor's calibration points sit above the first's.
void TestCli::profileGivesAnotherSensorTheSameConfiguration()
{
    Line line("ZT-43", {5, 6});
    QVERIFY(line.started);
    QTemporaryDir folder;
    const QString profile = folder.filePath("fleet.json");
    sim::OmnicommConfig& second = line.sim.sensorAt(6)->omnicomm();
    second.fMax = 30000;
    second.fMin = 25000;
    second.sampleCount = 30;
    CliProcess* saved = line.run({"config", "--address", "5", "--save", profile}, "ZT-43");
    QVERIFY(saved->wait());
    QCOMPARE(saved->exitCode(), 0);

    CliProcess* dryRun =
        line.run({"config", "--address", "6", "--apply", profile, "--dry-run"}, "ZT-43");
    QVERIFY(dryRun->wait());
    QCOMPARE(dryRun->exitCode(), 0);
    QCOMPARE(dryRun->outLines(),
             QStringList({"FMax: sensor 30000, profile 20000", "FMin: sensor 25000, profile 5000",
                          "SampleCount: sensor 30, profile 10"}));
    QCOMPARE(line.sim.sensorAt(6)->counters().writesApplied, 0u);

    CliProcess* applied =
        line.run({"config", "--address", "6", "--apply", profile, "--json"}, "ZT-43");
    QVERIFY(applied->wait());
    QCOMPARE(applied->exitCode(), 0);
    const QJsonArray results = jsonOf(applied->outLines().value(1)).value("results").toArray();
    QCOMPARE(results.size(), 3);
    for (const QJsonValue& result : results)
        QCOMPARE(result.toObject().value("result").toString(), QStringLiteral("applied"));
    const auto values = [](const sim::OmnicommConfig& config) {
        return QList<int>{
            config.autoInterval,  config.fMax,          config.fMin,       config.sampleCount,
            config.pwmMax,        config.controlOutput, config.dataFormat, config.normalTemperature,
            config.analogueRatio, config.analogueRange};
    };
    QCOMPARE(values(second), values(line.sim.sensorAt(5)->omnicomm()));
    QCOMPARE(line.sim.sensorAt(6)->counters().writesApplied, 3u);
}

// FMin above the sensor's FMax is refused however often it is tried; the others
// are still written, and a parameter this model does not report is only sent.
void TestCli::appliedProfileTellsEachParametersOutcome()
{
    Line line("ZT-33", {3});
    QVERIFY(line.started);
    QTemporaryDir folder;
    QFile profile(folder.filePath("odd.json"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write(R"({"format": 1, "model": "ZT-33", "parameters":
                      {"FMin": 25000, "AutoInterval": 4, "SampleCount": 20}})");
    profile.close();
    CliProcess* applied =
        line.run({"config", "--address", "3", "--apply", profile.fileName(), "--json"}, "ZT-33");
    QVERIFY(applied->wait());
    QCOMPARE(applied->exitCode(), 4);
    QStringList outcomes;
    for (const QJsonValue& result : jsonOf(applied->outLines().value(1)).value("results").toArray())
        outcomes << result.toObject().value("parameter").toString() + " " +
                        result.toObject().value("result").toString();
    QCOMPARE(outcomes,
             QStringList({"AutoInterval unconfirmed", "FMin refused", "SampleCount applied"}));
    QVERIFY2(applied->err().contains("the sensor refused FMin=25000"), qPrintable(applied->err()));
    const sim::OmnicommConfig& config = line.sim.sensorAt(3)->omnicomm();
    QCOMPARE(QList<int>({config.autoInterval, config.fMax, config.fMin, config.sampleCount}),
             QList<int>({4, 20000, 5000, 20}));
}

void TestCli::refusedProfilesWriteNothing_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("says");
    const QString parameters = R"("parameters": {"FMin": 6000, %1})";
    const auto profile = [&](const QString& head, const QString& more) {
        return QStringLiteral("{%1, %2}").arg(head, parameters.arg(more));
    };
    const QString head = R"("format": 1, "model": "ZT-43")";
    QTest::newRow("malformed JSON") << R"({"format": 1, "model": "ZT-43", "parameters": {)"
                                    << "not a profile";
    QTest::newRow("bad format version")
        << profile(R"("format": 2, "model": "ZT-43")", R"("FMax": 20000)")
        << "format version 2 is not one";
    QTest::newRow("unknown parameter")
        << profile(head, R"("Fuel": 3)") << "unknown parameter \"Fuel\"";
    QTest::newRow("out of range") << profile(head, R"("SampleCount": 300)")
                                  << "SampleCount cannot take \"300\"";
    QTest::newRow("another model")
        << profile(R"("format": 1, "model": "ZT-33")", R"("FMax": 20000)")
        << "a profile of model ZT-33, not of ZT-43";
    QTest::newRow("no format") << profile(R"("model": "ZT-43")", R"("FMax": 20000)")
                               << "no format version: a profile has \"format\": 1";
    QTest::newRow("format as a string")
        << profile(R"("format": "1", "model": "ZT-43")", R"("FMax": 20000)")
        << "the format version must be the number 1, without quotes, not \"1\"";
    QTest::newRow("an array") << R"([{"format": 1}])"
                              << "the file holds a JSON array";
    QTest::newRow("a parameter twice") << profile(head, R"("SampleCount": 20, "SampleCount": 30)")
                                       << "\"SampleCount\" is given twice";
    QTest::newRow("a parameter twice, escaped")
        << profile(head, R"("F\u004din": 7000)") << "\"FMin\" is given twice";
    QTest::newRow("a number as a string")
        << profile(head, R"("SampleCount": "20")")
        << "SampleCount must be a number, without quotes, not \"20\"";
    QTest::newRow("FMin above FMax")
        << profile(head, R"("FMax": 5000)") << "FMin 6000 is not below FMax 5000";
}

// A profile is refused whole before the port is opened.
void TestCli::refusedProfilesWriteNothing()
{
    QFETCH(QString, profile);
    QFETCH(QString, says);
    QTemporaryDir folder;
    QFile file(folder.filePath("profile.json"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(profile.toUtf8()) > 0);
    file.close();
    Line line("ZT-43", {6});
    QVERIFY(line.started);
    CliProcess* applied =
        line.run({"config", "--address", "6", "--apply", file.fileName()}, "ZT-43");
    QVERIFY(applied->wait());
    QCOMPARE(applied->exitCode(), 2);
    QVERIFY2(applied->err().contains(says), qPrintable(applied->err()));
    QCOMPARE(line.sim.sensorAt(6)->counters().requests, 0u);
}

void TestCli::setAddressAndCalibrateTakeEffect()
{
    Line omnicomm("ZT-33", {5});
    Line modbus("ZT-32", {1});
    sim::LineOptions tbusOptions = SimulatedLine::options("ZT-35", {10}, 0.3);
    tbusOptions.uncalibrated = true;
    Line tbus(tbusOptions);
    QVERIFY(omnicomm.started && modbus.started && tbus.started);

    CliProcess* moved = omnicomm.run({"set-address", "--address", "5", "9"}, "ZT-33");
    CliProcess* renumbered = modbus.run({"set-address", "--address", "1", "20", "--json"}, "ZT-32");
    CliProcess* minimum = tbus.run({"calibrate", "--address", "10", "min"}, "ZT-35");
    QVERIFY(moved->wait() && renumbered->wait() && minimum->wait());
    QCOMPARE(moved->exitCode(), 0);
    QVERIFY(omnicomm.sim.sensorAt(9));
    QCOMPARE(renumbered->exitCode(), 0);
    QVERIFY(modbus.sim.sensorAt(20));
    QCOMPARE(jsonOf(renumbered->out()).value("address").toInt(), 20);
    QCOMPARE(minimum->exitCode(), 0);
    QCOMPARE(tbus.sim.sensorAt(10)->tbusValue(), 30000); // the maximum is still missing

    CliProcess* maximum = tbus.run({"calibrate", "--address", "10", "MAX"}, "ZT-35");
    CliProcess* gone = modbus.run({"set-address", "--address", "1", "30"}, "ZT-32");
    QVERIFY(maximum->wait() && gone->wait());
    QCOMPARE(maximum->exitCode(), 0);
    QCOMPARE(tbus.sim.sensorAt(10)->tbusValue(), 3000);
    QCOMPARE(gone->exitCode(), 3);
    QVERIFY2(gone->err().contains("Timeout"), qPrintable(gone->err()));
}

// Four lines at once, each asked by its own tool: the passes take long, and
// mostly wait.
void TestCli::identifyNamesTheProtocolOfEachLine()
{
    sim::LineOptions silentOptions = SimulatedLine::options("ZT-32", {});
    Line omnicomm("ZT-34", {3, 200});
    Line modbus("ZT-36", {4});
    Line tbus("ZT-31", {10});
    Line silent(silentOptions);
    Line extended("ZT-42", {7});
    QVERIFY(omnicomm.started && modbus.started && tbus.started && silent.started &&
            extended.started);
    const QList<Line*> lines{&omnicomm, &modbus, &tbus, &silent, &extended};
    QList<CliProcess*> runs;
    for (Line* line : lines) {
        runs << new CliProcess;
        line->processes.emplace_back(runs.last());
        runs.last()->start({"identify", "--port", line->sim.portPath(), "--json"});
    }
    const QList<QPair<QString, QList<int>>> expected{{"Omnicomm", {3, 200}},
                                                     {"ModBus", {4}},
                                                     {"TBus", {10}},
                                                     {"", {}},
                                                     {"Omnicomm", {7}}};
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY(runs[i]->wait(kPassWaitMs));
        QCOMPARE(runs[i]->exitCode(), expected[i].first.isEmpty() ? 3 : 0);
        const QJsonObject answer = jsonOf(runs[i]->outLines().value(0));
        QVERIFY2(answer.value("protocol").toString() == expected[i].first &&
                     intsOf(answer.value("addresses").toArray()) == expected[i].second,
                 qPrintable(runs[i]->out()));
    }
    QCOMPARE(jsonOf(runs[3]->outLines().value(0)).value("tried").toArray().size(), 3);
    QVERIFY(runs[3]->err().contains("nothing answered"));

    // Basic and extended Omnicomm sensors, told apart by their configuration.
    const auto configurations = [](CliProcess* run) {
        QStringList found;
        for (const QJsonValue& sensor : jsonOf(run->out()).value("sensors").toArray())
            found << sensor.toObject().value("configurationKind").toString() + " " +
                         sensor.toObject().value("models").toVariant().toStringList().join(',');
        return found;
    };
    QCOMPARE(configurations(runs[0]),
             QStringList({"basic ZT-33,ZT-34,ZT-37,ZT-38", "basic ZT-33,ZT-34,ZT-37,ZT-38"}));
    QCOMPARE(configurations(runs[4]), QStringList({"extended ZT-41,ZT-42,ZT-43"}));
}

void TestCli::commandsOnALineSayWhatHappened_data()
{
    QTest::addColumn<QString>("model"); // empty: the command takes no line
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("quiet"); // nothing may reach the line
    QTest::newRow("address taken, ModBus")
        << "ZT-32" << QList<int>{1, 5} << QStringList{"set-address", "--address", "1", "5"} << 4
        << "address 5 is taken" << false;
    QTest::newRow("address taken, Omnicomm, JSON")
        << "ZT-33" << QList<int>{3, 9}
        << QStringList{"set-address", "--address", "3", "9", "--json"} << 4 << "address 9 is taken"
        << false;
    QTest::newRow("ModBus address above 247")
        << "ZT-32" << QList<int>{1} << QStringList{"set-address", "--address", "1", "248"} << 2
        << "from 1 to 247" << true;
    QTest::newRow("uncalibrated TBus")
        << "ZT-35" << QList<int>{10} << QStringList{"poll", "--address", "10", "--count", "2"} << 0
        << "is uncalibrated" << false;
    QTest::newRow("data format out of range")
        << "ZT-33" << QList<int>{3} << QStringList{"config", "--address", "3", "DataFormat=9"} << 2
        << "from 0 to 3" << true;
    QTest::newRow("parameter the model does not report")
        << "ZT-33" << QList<int>{3}
        << QStringList{"config", "--address", "3", "AnalogueOutputRatio=7"} << 0
        << "AnalogueOutputRatio=7 written, not confirmed: this model does not report it" << false;
    // Config prints the mode as it takes it.
    QTest::newRow("mode switched")
        << "ZT-33" << QList<int>{3} << QStringList{"config", "--address", "3", "Mode=autonomous"}
        << 0 << "Mode=autonomous" << false;
    QTest::newRow("no such mode") << "ZT-33" << QList<int>{3}
                                  << QStringList{"config", "--address", "3", "mode=fast"} << 2
                                  << "Mode is \"network\" (polled) or \"autonomous\"" << true;
    // Rows that say so write into a full disk.
    const QString full = "cannot write the output: No space left on device";
    QTest::newRow("help, output full")
        << "" << QList<int>{} << QStringList{"--help"} << 1 << full << true;
    QTest::newRow("poll, output full")
        << "ZT-32" << QList<int>{1} << QStringList{"poll", "--address", "1", "--json"} << 1 << full
        << false;
}

// What the user sees: the exit code, a line that says why, with --json the
// failure as the last object too, and nothing sent where nothing may be.
void TestCli::commandsOnALineSayWhatHappened()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, addresses);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(bool, quiet);
    sim::LineOptions options = SimulatedLine::options(model.isEmpty() ? "ZT-32" : model, addresses);
    options.uncalibrated = model == "ZT-35"; // TBus sensors here start uncalibrated
    Line line(options);
    QVERIFY(line.started);
    const bool outputFull = says.startsWith("cannot write the output");
    CliProcess cli;
    if (outputFull)
        cli.setOutputFile("/dev/full");
    if (!model.isEmpty())
        arguments =
            QStringList{arguments.first(), "--port", line.sim.portPath(), "--model", model} +
            arguments.mid(1);
    cli.start(arguments);
    QVERIFY(cli.wait());
    QVERIFY2(cli.exitCode() == exitCode && (cli.out() + cli.err()).contains(says),
             qPrintable(QString("exit %1\n%2%3").arg(cli.exitCode()).arg(cli.out(), cli.err())));
    if (arguments.contains("--json") && exitCode != 0 && !outputFull)
        QCOMPARE(jsonOf(cli.outLines().value(cli.outLines().size() - 1)).value("exit").toInt(),
                 exitCode);
    quint64 requests = 0;
    for (const sim::SimSensor* sensor : line.sim.sensors())
        requests += sensor->counters().requests;
    QCOMPARE(requests == 0, quiet);
}

void TestCli::stopSignalsEndAPollWithItsStatistics_data()
{
    QTest::addColumn<bool>("json");
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("CSV, SIGINT") << false << int(SIGINT) << 130;
    QTest::newRow("JSON, SIGTERM") << true << int(SIGTERM) << 143;
}

// Every line written is whole: the readings so far, then the statistics.
void TestCli::stopSignalsEndAPollWithItsStatistics()
{
    QFETCH(bool, json);
    QFETCH(int, signalNumber);
    QFETCH(int, exitCode);
    Line line("ZT-32", {1});
    QVERIFY(line.started);
    QStringList arguments{"poll", "--address", "1", "--seconds", "60"};
    if (json)
        arguments << "--json";
    CliProcess* cli = line.run(arguments, "ZT-32");
    QVERIFY(cli->waitForLines(4));
    cli->sendSignal(signalNumber);
    QVERIFY(cli->wait(10000));
    QCOMPARE(cli->exitCode(), exitCode);
    QVERIFY(cli->out().endsWith('\n'));
    QStringList lines = cli->outLines();
    if (json) {
        QCOMPARE(jsonOf(lines.takeLast()).value("type").toString(), QString("statistics"));
        for (const QString& reading : lines)
            QCOMPARE(jsonOf(reading).value("type").toString(), QString("reading"));
    } else {
        const int columns = lines.takeFirst().split(',').size();
        for (const QString& reading : lines)
            QCOMPARE(reading.split(',').size(), columns);
        QVERIFY2(cli->err().startsWith("Exchanges "), qPrintable(cli->err()));
    }
}

// An Omnicomm engine waits some 150 ms for the line to settle before its first
// request; that time must not be taken from the polling. The first reply comes
// late by as long as this process takes to answer, tens of ms.
void TestCli::pollTimeCountsFromTheFirstRequest()
{
    Line line("ZT-33", {3});
    QVERIFY(line.started);
    QElapsedTimer clock;
    qint64 firstReplyMs = -1;
    QObject::connect(&line.sim, &sim::SimLine::bytesWritten, [&] {
        if (firstReplyMs < 0)
            firstReplyMs = clock.elapsed();
    });
    clock.start();
    CliProcess* cli = line.run({"poll", "--address", "3", "--seconds", "1"}, "ZT-33");
    QVERIFY(cli->wait());
    const qint64 polledMs = clock.elapsed() - firstReplyMs;
    QCOMPARE(cli->exitCode(), 0);
    QVERIFY2(firstReplyMs > 0 && polledMs >= 860 && polledMs < 3000,
             qPrintable(QString::number(polledMs)));
}

// A sensor that sends by itself is heard by every frame: the statistics count
// them, and the last one the tool printed is the last one heard.
void TestCli::selfSentReadingsAreHeard()
{
    sim::LineOptions options = SimulatedLine::options("ZT-34", {3});
    options.autonomous = {3};
    options.autoIntervalUnitMs = 100;
    Line line(options);
    QVERIFY(line.started);
    CliProcess* cli = line.run({"poll", "--address", "3", "--count", "4", "--json"}, "ZT-34");
    QVERIFY(cli->wait());
    QCOMPARE(cli->exitCode(), 0);
    const QJsonObject statistics = jsonOf(cli->outLines().value(4));
    const double lastReadingMs = jsonOf(cli->outLines().value(3)).value("TimeMs").toDouble();
    QVERIFY2(statistics.value("unsolicited").toInt() >= 3 &&
                 statistics.value("lastHeardMs").toDouble() > lastReadingMs - 50,
             qPrintable(cli->out()));
}

// A ModBus sensor at 138 would take the TBus probe byte 8A for the start of a
// frame addressed to it, were the next protocol to follow on its heels.
void TestCli::identifyLetsTheLineSettleBeforeEachProtocol()
{
    Line modbus("ZT-32", {138});
    QVERIFY(modbus.started);
    QList<QPair<qint64, QByteArray>> received;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&modbus.sim, &sim::SimLine::bytesReceived, [&](const QByteArray& bytes) {
        received.append({clock.elapsed(), bytes});
    });
    CliProcess cli;
    cli.start({"identify", "--port", modbus.sim.portPath(), "--json"});
    QVERIFY(cli.wait(kPassWaitMs));
    QCOMPARE(cli.exitCode(), 0);
    const QJsonObject answer = jsonOf(cli.out());
    QCOMPARE(answer.value("protocol").toString(), QString("ModBus"));
    QCOMPARE(intsOf(answer.value("addresses").toArray()), QList<int>{138});

    QVERIFY(!received.isEmpty() && received.first().second == QByteArray::fromHex("8a"));
    int first = 1;
    while (first < received.size() &&
           !received.at(first).second.startsWith(QByteArray::fromHex("010300000001840a")))
        ++first;
    QVERIFY(first < received.size());
    // The tool keeps 250 ms of quiet; this process sees the bytes late by a
    // varying few ms, and without the wait the gap was some 120 ms.
    const qint64 quietMs = received.at(first).first - received.at(first - 1).first;
    QVERIFY2(quietMs >= 200, qPrintable(QString::number(quietMs)));
}

void TestCli::scanOfModBusOnATBusLineFindsNothing()
{
    Line tbus("ZT-31", {10});
    QVERIFY(tbus.started);
    CliProcess* cli = tbus.run({"scan", "--json"}, "ZT-32");
    QVERIFY(cli->wait(kPassWaitMs));
    QCOMPARE(cli->exitCode(), 3);
    QVERIFY(jsonOf(cli->out()).value("sensors").toArray().isEmpty());
}

void TestCli::tbusScanSaysAndTakesItsIdentifiers()
{
    Line tbus("ZT-31", {5});
    QVERIFY(tbus.started);
    CliProcess* usual = tbus.run({"scan", "--json"}, "ZT-31");
    QVERIFY(usual->wait(kPassWaitMs));
    QCOMPARE(usual->exitCode(), 3);
    QCOMPARE(intsOf(jsonOf(usual->outLines().value(0)).value("probed").toArray()),
             QList<int>({10, 8}));
    QVERIFY2(usual->err().contains("probing TBus identifiers 10, 8") &&
                 usual->err().contains("--address LIST"),
             qPrintable(usual->err()));

    CliProcess* told = tbus.run({"scan", "--address", "12,5", "--json"}, "ZT-31");
    QVERIFY(told->wait(kPassWaitMs));
    QCOMPARE(told->exitCode(), 0);
    const QJsonObject answer = jsonOf(told->out());
    QCOMPARE(intsOf(answer.value("probed").toArray()), QList<int>({12, 5}));
    const QJsonArray sensors = answer.value("sensors").toArray();
    QCOMPARE(sensors.size(), 1);
    QCOMPARE(sensors.at(0).toObject().value("address").toInt(), 5);
    QCOMPARE(sensors.at(0).toObject().value("Status").toString(), QStringLiteral("ok"));
}

void TestCli::wrongOmnicommModelGivesNoLevel_data()
{
    QTest::addColumn<QString>("sensorModel");
    QTest::addColumn<QString>("chosenModel");
    QTest::addColumn<QString>("says");
    QTest::newRow("extended sensor as a basic model")
        << "ZT-43" << "ZT-33" << "answers as ZT-41, ZT-42, ZT-43 (extended configuration)";
    QTest::newRow("basic sensor as an extended model")
        << "ZT-33" << "ZT-43" << "answers as ZT-33, ZT-34, ZT-37, ZT-38 (basic configuration)";
}

// The configuration reply of the other length names the models that fit; no
// reading gives a level scaled by a guess, and the bytes are no noise.
void TestCli::wrongOmnicommModelGivesNoLevel()
{
    QFETCH(QString, sensorModel);
    QFETCH(QString, chosenModel);
    QFETCH(QString, says);
    Line line(sensorModel, {5}, 0.105);
    QVERIFY(line.started);
    CliProcess* poll = line.run({"poll", "--address", "5", "--count", "3", "--json"}, chosenModel);
    QVERIFY(poll->wait());
    QCOMPARE(poll->exitCode(), 3);
    QVERIFY2(poll->err().contains("no reading from address 5 had a known scale") &&
                 poll->err().contains(says) && !poll->err().contains("noisy"),
             qPrintable(poll->err()));
    const QStringList lines = poll->outLines();
    QCOMPARE(lines.size(), 5); // three readings, the statistics, the error
    for (int i = 0; i < 3; ++i) {
        const QJsonObject reading = jsonOf(lines.at(i));
        QCOMPARE(reading.value("Status").toString(), QStringLiteral("scale unknown"));
        QVERIFY(reading.value("Level").isNull());
        QVERIFY(reading.value("RawLevel").toInt() > 0);
    }
    const QJsonObject statistics = jsonOf(lines.at(3));
    QCOMPARE(statistics.value("noiseBytes").toInt(-1), 0);

    CliProcess* config = line.run({"config", "--address", "5"}, chosenModel);
    QVERIFY(config->wait());
    QCOMPARE(config->exitCode(), 3);
    QVERIFY2(config->err().contains(says), qPrintable(config->err()));
}

void TestCli::noisyLineEndsThePoll()
{
    sim::LineOptions options = SimulatedLine::options("ZT-32", {1});
    options.noiseBytes = 20;
    options.noiseIntervalMs = 50;
    Line line(options);
    QVERIFY(line.started);
    CliProcess* cli = line.run({"poll", "--address", "1", "--count", "20", "--json"}, "ZT-32");
    QVERIFY(cli->wait(20000));
    QCOMPARE(cli->exitCode(), 1);
    QVERIFY2(cli->err().startsWith("nivelon-cli: the line is noisy: ") &&
                 cli->err().contains(" s that belong to no exchange; check the wiring and that no "
                                     "other master is on the bus"),
             qPrintable(cli->err()));
    // The statistics of the readings so far, then the error, and nothing after it.
    QStringList lines = cli->outLines();
    QVERIFY2(jsonOf(lines.takeLast()).value("error").toString().startsWith("the line is noisy"),
             qPrintable(cli->out()));
    QCOMPARE(jsonOf(lines.takeLast()).value("type").toString(), QString("statistics"));
    for (const QString& reading : lines)
        QCOMPARE(jsonOf(reading).value("type").toString(), QString("reading"));
}

// What an earlier run left on the line is drained before the first request and
// is no noise of this one; the interval spaces the requests.
void TestCli::pollDrainsTheLineAndKeepsItsInterval()
{
    sim::LineOptions options = SimulatedLine::options("ZT-32", {1});
    options.noiseBytes = 30;
    options.noiseIntervalMs = 3000;
    Line line(options);
    QVERIFY(line.started);
    QTest::qWait(3300);
    CliProcess* cli = line.run(
        {"poll", "--address", "1", "--count", "3", "--interval", "500", "--json"}, "ZT-32");
    QVERIFY(cli->wait());
    QCOMPARE(cli->exitCode(), 0);
    const QStringList lines = cli->outLines();
    QCOMPARE(lines.size(), 4);
    const QJsonObject statistics = jsonOf(lines.last());
    QCOMPARE(statistics.value("noiseBytes").toInt(), 0);
    // The requests keep the interval; their replies vary by their latency.
    const double leastApartMs = 500 - statistics.value("maxReplyMs").toDouble() - 5;
    for (int i = 1; i < 3; ++i) {
        const double apartMs = jsonOf(lines[i]).value("TimeMs").toDouble() -
                               jsonOf(lines[i - 1]).value("TimeMs").toDouble();
        QVERIFY2(apartMs >= leastApartMs, qPrintable(cli->out()));
    }
}

// Every parameter of an extended configuration by its command-line name, the
// statistics of the seconds polled and the tank table named, in one file.
void TestCli::recordHoldsTheWholeConfigurationAndTheLine()
{
    Line line("ZT-43", {5});
    QVERIFY(line.started);
    QTemporaryDir folder;
    QFile table(folder.filePath("tank.csv"));
    QVERIFY(table.open(QIODevice::WriteOnly) &&
            table.write("Litres,RawLevel,Level\n0,100,1\n80,8000,97\n") > 0);
    table.close();
    const QString path = folder.filePath("record.json");
    CliProcess* record = line.run({"record", "--address", "5", "--seconds", "1", "--out", path,
                                   "--tank-table", table.fileName(), "--installer", "Ivan Petrov"},
                                  "ZT-43");
    QVERIFY(record->wait());
    QCOMPARE(record->exitCode(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject written = jsonOf(QString::fromUtf8(file.readAll()));
    QCOMPARE(written.value("protocol").toString(), QStringLiteral("Omnicomm"));
    QCOMPARE(written.value("address").toInt(), 5);
    QCOMPARE(written.value("installer").toString(), QStringLiteral("Ivan Petrov"));

    const sim::OmnicommConfig& config = line.sim.sensorAt(5)->omnicomm();
    const QJsonObject configuration = written.value("configuration").toObject();
    const QList<QPair<QString, int>> expected{{"AutoInterval", config.autoInterval},
                                              {"FMax", config.fMax},
                                              {"FMin", config.fMin},
                                              {"SampleCount", config.sampleCount},
                                              {"PWM_Max", config.pwmMax},
                                              {"ControlOutput", config.controlOutput},
                                              {"DataFormat", config.dataFormat},
                                              {"NormalTemperature", config.normalTemperature},
                                              {"AnalogueOutputRatio", config.analogueRatio},
                                              {"AnalogueOutputRange", config.analogueRange}};
    for (const auto& [name, value] : expected)
        QCOMPARE(configuration.value(name).toInt(-1), value);
    QCOMPARE(configuration.value("Mode").toString(), QStringLiteral("network"));

    const QJsonObject statistics = written.value("statistics").toObject();
    const int exchanges = statistics.value("exchanges").toInt();
    QVERIFY(exchanges > 2);
    QCOMPARE(statistics.value("successes").toInt(), exchanges);
    const QJsonObject reading = written.value("reading").toObject();
    QCOMPARE(qRound(reading.value("LevelPercent").toDouble()), 50);
    QCOMPARE(reading.value("Level").toDouble(), reading.value("LevelPercent").toDouble() * 100);
    QCOMPARE(written.value("tankTable").toArray().size(), 2);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

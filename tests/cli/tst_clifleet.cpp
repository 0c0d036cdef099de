// nivelon-cli and the fleet's broker: a record published while the broker is
// down waits in the outbox until "outbox" sends it, and the tank library takes
// a table and gives it back.
#include "fleet/fleetpayloads.h"
#include "support/cliprocess.h"
#include "support/fleetlistener.h"
#include "support/simulatedline.h"
#include "support/testbroker.h"
#include "support/waituntil.h"
#include "tank/tanktablefile.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kWaitMs = 20000;

FleetServer serverAt(const QString& url)
{
    FleetServer server;
    server.url = url;
    server.prefix = QStringLiteral("fleet-test");
    server.clientName = QStringLiteral("van 7");
    return server;
}

// The tool's JSON lines of one type.
QList<QJsonObject> linesOf(const CliProcess& cli, const QString& type)
{
    QList<QJsonObject> objects;
    for (const QString& line : cli.outLines()) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        if (object.value("type").toString() == type)
            objects << object;
    }
    return objects;
}

bool run(CliProcess* cli, const QStringList& arguments)
{
    cli->start(arguments + QStringList{"--prefix", "fleet-test", "--json"});
    return cli->wait(60000);
}

} // namespace

class TestCliFleet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recordWaitsWhileTheBrokerIsDown();
    void tankLibraryRoundTrip();

private:
    QTemporaryDir m_home;
};

// The outbox and the stored server of the tool live in the test's own folder.
void TestCliFleet::init()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath("config")));
    qputenv("NIVELON_FLEET_PASSWORD", "");
}

void TestCliFleet::recordWaitsWhileTheBrokerIsDown()
{
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    const int port = TestBroker::freePort();
    const QString url = QStringLiteral("mqtt://127.0.0.1:%1").arg(port);
    sim::SimLine line(SimulatedLine::options("ZT-33", {1}));
    QVERIFY(line.start());

    CliProcess record;
    QVERIFY(run(&record, {"record", "--port", line.portPath(), "--model", "ZT-33", "--address", "1",
                          "--seconds", "1", "--out", folder.filePath("record.json"), "--vehicle",
                          "K 042", "--publish", url}));
    // The record is made and kept: a broker out of reach is no failure of it.
    QCOMPARE(record.exitCode(), 0);
    QVERIFY2(record.err().contains("broker down") &&
                 record.err().contains("2 message(s) wait in the outbox"),
             qPrintable(record.err()));
    QCOMPARE(linesOf(record, "fleet").value(0).value("waiting").toInt(), 2);

    CliProcess list;
    QVERIFY(run(&list, {"outbox"}));
    QCOMPARE(list.exitCode(), 0);
    const QList<QJsonObject> waiting = linesOf(list, "waiting");
    QCOMPARE(waiting.size(), 2);
    QCOMPARE(waiting.at(0).value("topic").toString(),
             QString("fleet-test/records/") + FleetServer().effectiveClientName());
    QCOMPARE(waiting.at(1).value("topic").toString(), QString("fleet-test/vehicles/K_042/record"));
    QVERIFY(waiting.at(1).value("retain").toBool());

    QVERIFY2(broker.start({}, port), qPrintable(broker.error()));
    FleetListener listener(serverAt(url), "fleet-test/#");
    QVERIFY(listener.ready());
    CliProcess send;
    QVERIFY(run(&send, {"outbox", "--server", url}));
    QCOMPARE(send.exitCode(), 0);
    QCOMPARE(linesOf(send, "fleet").value(0).value("delivered").toInt(), 2);
    QCOMPARE(linesOf(send, "fleet").value(0).value("waiting").toInt(), 0);
    QVERIFY(waitUntil([&] { return listener.payloads.size() >= 2; }, kWaitMs));
    QCOMPARE(listener.payloads.at(0), listener.payloads.at(1));
    QCOMPARE(listener.payloads.at(0).value("record").toObject().value("vehicle").toString(),
             QString("K 042"));

    // Nothing left: sending again sends nothing and says so.
    CliProcess again;
    QVERIFY(run(&again, {"outbox", "--server", url}));
    QCOMPARE(again.exitCode(), 0);
    QCOMPARE(linesOf(again, "waiting").size(), 0);
    QCOMPARE(linesOf(again, "fleet").value(0).value("delivered").toInt(), 0);
}

void TestCliFleet::tankLibraryRoundTrip()
{
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    QVERIFY2(broker.start({}), qPrintable(broker.error()));
    const QString url = broker.url();
    QFile table(folder.filePath("tank.csv"));
    QVERIFY(table.open(QIODevice::WriteOnly) &&
            table.write("Litres,RawLevel,Level\n0,100,1\n40,4000,48\n80,8000,97\n") > 0);
    table.close();

    CliProcess put;
    QVERIFY(run(&put, {"tank-library", "put", table.fileName(), "MAN TGX 400 L", "--server", url}));
    QVERIFY2(put.exitCode() == 0, qPrintable(put.err()));
    CliProcess list;
    QVERIFY(run(&list, {"tank-library", "list", "--server", url}));
    QCOMPARE(list.exitCode(), 0);
    const QList<QJsonObject> models = linesOf(list, "tank model");
    QCOMPARE(models.size(), 1);
    QCOMPARE(models.first().value("tankModel").toString(), QString("MAN_TGX_400_L"));
    QCOMPARE(models.first().value("rows").toInt(), 3);

    CliProcess get;
    const QString copy = folder.filePath("copy.csv");
    QVERIFY(run(&get, {"tank-library", "get", "MAN_TGX_400_L", copy, "--server", url}));
    QCOMPARE(get.exitCode(), 0);
    TankTable fetched;
    QString error;
    QVERIFY2(TankTableFile::load(copy, &fetched, &error), qPrintable(error));
    QCOMPARE(fetched.rowCount(), 3);
    QCOMPARE(fetched.lastRow().litres, 80.0);

    CliProcess missing;
    QVERIFY(run(&missing, {"tank-library", "get", "nothing", copy, "--server", url}));
    QCOMPARE(missing.exitCode(), 3);
    QVERIFY2(missing.err().contains("has no tank model \"nothing\""), qPrintable(missing.err()));
    CliProcess badUrl;
    QVERIFY(run(&badUrl, {"tank-library", "list", "--server", "http://localhost"}));
    QCOMPARE(badUrl.exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestCliFleet)
#include "tst_clifleet.moc"

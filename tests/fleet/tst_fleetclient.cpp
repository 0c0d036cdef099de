// The fleet client against a real broker: what it sends arrives once and in
// order, what it cannot send waits in the outbox, and every refusal says why.
#include "fleet/fleetclient.h"
#include "fleet/fleetoutbox.h"
#include "fleet/fleetpayloads.h"
#include "support/fleetlistener.h"
#include "support/testbroker.h"
#include "support/waituntil.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FleetClient::Problem)

namespace {

const int kWaitMs = 20000;

FleetServer serverAt(const QString& url, const QString& caFile = QString(), int version = 5)
{
    FleetServer server;
    server.url = url;
    server.prefix = QStringLiteral("test");
    server.clientName = QStringLiteral("bench 1");
    server.caFile = caFile;
    server.mqttVersion = version;
    return server;
}

QJsonObject recordOf(const QString& vehicle, int address)
{
    return {{"vehicle", vehicle}, {"address", address}, {"model", "ZT-33"}};
}

void queueRecords(FleetClient* client, const FleetServer& server, int first, int count)
{
    for (int address = first; address < first + count; ++address)
        for (const FleetMessage& message : FleetPayloads::record(server, recordOf("", address))) {
            QString error;
            QVERIFY2(client->queue(message, &error), qPrintable(error));
        }
}

} // namespace

class TestFleetClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<FleetClient::Problem>(); }
    void recordsArriveOnceInOrder_data();
    void recordsArriveOnceInOrder();
    void offlineRecordsWaitForTheBroker();
    void refusalsSayWhyAndKeepTheOutbox_data();
    void refusalsSayWhyAndKeepTheOutbox();
};

void TestFleetClient::recordsArriveOnceInOrder_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<int>("version");
    QTest::newRow("MQTT 5") << false << 5;
    QTest::newRow("MQTT 3.1.1") << false << 311;
    QTest::newRow("MQTT 5 over TLS") << true << 5;
}

void TestFleetClient::recordsArriveOnceInOrder()
{
    QFETCH(bool, tls);
    QFETCH(int, version);
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    QVERIFY2(broker.start({tls, {}, {}}), qPrintable(broker.error()));
    const FleetServer server = serverAt(broker.url(), tls ? broker.caFile() : QString(), version);
    FleetListener listener(server, FleetPayloads::recordsPattern(server));
    QVERIFY(listener.ready());

    FleetOutbox outbox(folder.path() + "/outbox");
    FleetClient client(server, &outbox);
    // Queued before the connection and after it: one order all the same.
    queueRecords(&client, server, 1, 3);
    client.start();
    QVERIFY(waitUntil([&] { return client.isConnected(); }, kWaitMs));
    QCOMPARE(client.statusText(), "connected to 127.0.0.1:" + QString::number(broker.port()));
    queueRecords(&client, server, 4, 2);
    QVERIFY(waitUntil([&] { return listener.payloads.size() >= 5; }, kWaitMs));
    QVERIFY(waitUntil([&] { return outbox.count() == 0; }, kWaitMs));
    QCOMPARE(listener.addresses(), QStringList({"1", "2", "3", "4", "5"}));
    QCOMPARE(listener.topics.first(), QString("test/records/bench_1"));
    QSet<QString> ids;
    for (const QJsonObject& payload : listener.payloads)
        ids << payload.value("id").toString();
    QCOMPARE(ids.size(), 5);

    // A vehicle's latest record is kept by the broker for whoever asks later.
    for (const FleetMessage& message : FleetPayloads::record(server, recordOf("AB 123", 7)))
        QVERIFY(client.queue(message, nullptr));
    QVERIFY(waitUntil([&] { return outbox.count() == 0; }, kWaitMs));
    FleetListener late(server, server.topic({"vehicles"}) + "/+/record");
    QVERIFY(late.ready());
    QVERIFY(waitUntil([&] { return !late.payloads.isEmpty(); }, kWaitMs));
    QCOMPARE(late.topics, QStringList{"test/vehicles/AB_123/record"});
    QCOMPARE(late.addresses(), QStringList{"7"});
}

void TestFleetClient::offlineRecordsWaitForTheBroker()
{
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    const int port = TestBroker::freePort();
    const FleetServer server = serverAt(QStringLiteral("mqtt://127.0.0.1:%1").arg(port));
    FleetOutbox outbox(folder.path() + "/outbox");
    {
        FleetClient offline(server, &outbox);
        QSignalSpy failed(&offline, &FleetClient::failed);
        offline.start();
        QVERIFY(failed.wait(kWaitMs));
        QCOMPARE(offline.problem(), FleetClient::BrokerDown);
        QVERIFY2(offline.statusText().contains("broker down") &&
                     offline.statusText().contains("next try in 1 s"),
                 qPrintable(offline.statusText()));
        queueRecords(&offline, server, 1, 3);
        QCOMPARE(outbox.count(), 3);
        // The program quits here, still offline.
    }

    QVERIFY2(broker.start({}, port), qPrintable(broker.error()));
    FleetListener listener(server, FleetPayloads::recordsPattern(server));
    QVERIFY(listener.ready());
    FleetClient next(server, &outbox);
    next.start();
    QVERIFY(waitUntil([&] { return outbox.count() == 0; }, kWaitMs));
    // One more behind them: once it is in, nothing sent twice can still come.
    queueRecords(&next, server, 4, 1);
    QVERIFY(waitUntil([&] { return listener.payloads.size() >= 4; }, kWaitMs));
    QCOMPARE(listener.addresses(), QStringList({"1", "2", "3", "4"}));

    // Down while connected: the client keeps trying and comes back by itself.
    QSignalSpy failed(&next, &FleetClient::failed);
    broker.stop();
    QVERIFY(failed.wait(kWaitMs));
    QCOMPARE(failed.first().first().value<FleetClient::Problem>(), FleetClient::Lost);
    queueRecords(&next, server, 5, 1);
    QVERIFY2(broker.start({}, port), qPrintable(broker.error()));
    QVERIFY(waitUntil([&] { return next.isConnected() && outbox.count() == 0; }, kWaitMs));
}

void TestFleetClient::refusalsSayWhyAndKeepTheOutbox_data()
{
    QTest::addColumn<QString>("broker"); // plain, tls, password, garbage, none
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("ca");
    QTest::addColumn<QString>("password");
    QTest::addColumn<FleetClient::Problem>("problem");
    QTest::addColumn<QString>("text");
    QTest::newRow("wrong password")
        << "password"
        << "127.0.0.1"
        << ""
        << "wrong" << FleetClient::Refused << "refused the user name or password";
    QTest::newRow("no password") << "password"
                                 << "127.0.0.1"
                                 << ""
                                 << "" << FleetClient::Refused
                                 << "refused the user name or password";
    QTest::newRow("certificate of another CA") << "tls"
                                               << "127.0.0.1"
                                               << "other"
                                               << "" << FleetClient::TlsFailure << "TLS failed at";
    QTest::newRow("certificate for another name")
        << "tls-stranger"
        << "127.0.0.1"
        << "right"
        << "" << FleetClient::TlsFailure << "not made out to";
    QTest::newRow("not a broker") << "garbage"
                                  << "127.0.0.1"
                                  << ""
                                  << "" << FleetClient::NotBroker << "no MQTT broker at";
    QTest::newRow("broker down") << "none"
                                 << "127.0.0.1"
                                 << ""
                                 << "" << FleetClient::BrokerDown
                                 << "broker down: nothing listens at";
}

void TestFleetClient::refusalsSayWhyAndKeepTheOutbox()
{
    QFETCH(QString, broker);
    QFETCH(QString, host);
    QFETCH(QString, ca);
    QFETCH(QString, password);
    QFETCH(FleetClient::Problem, problem);
    QFETCH(QString, text);
    QTemporaryDir folder;
    TestBroker mosquitto(folder.path());
    QTcpServer garbage;
    int port = TestBroker::freePort();
    if (broker == "garbage") {
        QVERIFY(garbage.listen(QHostAddress::Any, 0));
        port = garbage.serverPort();
        connect(&garbage, &QTcpServer::newConnection, [&] {
            QTcpSocket* socket = garbage.nextPendingConnection();
            socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
            socket->disconnectFromHost();
        });
    } else if (broker != "none") {
        const TestBroker::Options options{broker.startsWith("tls"),
                                          broker == "password" ? "installer" : "", "secret",
                                          broker == "tls-stranger"};
        QVERIFY2(mosquitto.start(options), qPrintable(mosquitto.error()));
        port = mosquitto.port();
    }
    FleetServer server = serverAt(
        QStringLiteral("%1://%2:%3").arg(broker.startsWith("tls") ? "mqtts" : "mqtt", host).arg(port),
        ca == "right"   ? mosquitto.caFile()
        : ca == "other" ? mosquitto.otherCaFile()
                        : QString());
    server.user = QStringLiteral("installer");
    server.password = password;
    FleetOutbox outbox(folder.path() + "/outbox");
    FleetClient client(server, &outbox);
    client.setRetrying(false);
    queueRecords(&client, server, 1, 1);
    QSignalSpy failed(&client, &FleetClient::failed);
    client.start();
    QVERIFY(failed.wait(kWaitMs));
    QCOMPARE(client.problem(), problem);
    QVERIFY2(client.statusText().contains(text), qPrintable(client.statusText()));
    QCOMPARE(outbox.count(), 1);
    QCOMPARE(outbox.waiting().first().topic, QString("test/records/bench_1"));
}

QTEST_GUILESS_MAIN(TestFleetClient)
#include "tst_fleetclient.moc"

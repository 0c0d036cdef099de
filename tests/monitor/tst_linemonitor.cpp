#include "engine/enginefactory.h"
#include "monitor/linemonitor.h"
#include "port/scriptedserialport.h"
#include "support/lineframes.h"

#include <QSignalSpy>
#include <QtTest>

using namespace LineFrames;

class TestLineMonitor : public QObject
{
    Q_OBJECT
private slots:
    void figuresPerAddress();
    void huntsAcrossLineSettingsWithoutWriting();
    void fedBytesFindTheirProtocol_data();
    void fedBytesFindTheirProtocol();
};

// A master polls 1 every 100 ms and 2 every 200 ms; 1 answers after 6 ms, once
// late (12 ms), once not at all; 2 refuses once; a tank table gives 1 litres.
void TestLineMonitor::figuresPerAddress()
{
    LineMonitor monitor;
    monitor.setBusType(EngineFactory::BusModBus);
    TankTable table;
    QVERIFY(table.append({0, 0}));
    QVERIFY(table.append({200, 10000}));
    monitor.setTankTable(1, table);
    QSignalSpy exchanges(&monitor, &LineMonitor::exchangeDecoded);
    qint64 time = 0;
    for (int i = 0; i < 10; ++i, time += 100) {
        monitor.feed(modbusRead(1), time);
        if (i != 4)
            monitor.feed(modbusReadReply(1, 2500 + i), time + (i == 7 ? 12 : 6));
        if (i % 2 == 0) {
            monitor.feed(modbusRead(2), time + 50);
            monitor.feed(i == 2 ? modbusException(2, 3, 6) : modbusReadReply(2, 100), time + 53);
        }
    }
    monitor.finishAt(time + 5000);

    const AddressFigures& one = monitor.figures().value(1);
    QCOMPARE(one.requests, 10);
    QCOMPARE(one.replies, 9);
    QCOMPARE(one.timeouts, 1);
    QCOMPARE(one.pollPeriodMs(), 100.0);
    QCOMPARE(one.latencyMaxMs, 12);
    QCOMPARE(one.latencyMeanMs(), (8 * 6 + 12) / 9.0);
    QCOMPARE(one.lastReading.rawLevel, 2509);
    QVERIFY(one.hasLitres);
    QVERIFY(qFuzzyCompare(one.litres, 2509 * 200 / 10000.0));
    const AddressFigures& two = monitor.figures().value(2);
    QCOMPARE(two.requests, 5);
    QCOMPARE(two.exceptions, 1);
    QCOMPARE(two.exceptionNames.value(QStringLiteral("Server device busy")), 1);
    QCOMPARE(two.pollPeriodMs(), 200.0);
    QCOMPARE(exchanges.size(), 15);
    const auto timedOut = exchanges.at(6).at(0).value<MonitorExchange>();
    QCOMPARE(timedOut.resultText(), QStringLiteral("timeout"));
    QCOMPARE(timedOut.directionText(), QStringLiteral("request"));
}

// No protocol given: Omnicomm settings first, where ModBus traffic checks out
// as nothing; then ModBus, reopened at 9600 baud, where it does. Not a byte is
// written to the port.
void TestLineMonitor::huntsAcrossLineSettingsWithoutWriting()
{
    ScriptedSerialPort port;
    LineMonitor monitor;
    qint64 now = 0;
    monitor.setClock([&now] { return now; });
    QSignalSpy found(&monitor, &LineMonitor::protocolFound);
    QSignalSpy listening(&monitor, &LineMonitor::listening);
    QVERIFY(monitor.start(&port));
    QCOMPARE(port.settings().BaudRate, BAUD19200);
    for (int i = 0; i < 3; ++i, now += 100)
        port.feed(exchange(EngineFactory::BusModBus, 1, 100));
    monitor.slotSettle();
    QCOMPARE(found.size(), 0);
    monitor.slotHuntStep();
    QCOMPARE(monitor.huntingBusType(), quint32(EngineFactory::BusModBus));
    QCOMPARE(port.settings().BaudRate, BAUD9600);
    QCOMPARE(port.openCount, 2);
    for (int i = 0; i < 2; ++i, now += 100)
        port.feed(exchange(EngineFactory::BusModBus, 1, 100));
    QCOMPARE(found.size(), 1);
    QCOMPARE(monitor.busType(), quint32(EngineFactory::BusModBus));
    QCOMPARE(monitor.figures().value(1).replies, 2);
    monitor.finish();
    QCOMPARE(listening.size(), 2);
    QVERIFY(port.writes.isEmpty());
}

void TestLineMonitor::fedBytesFindTheirProtocol_data()
{
    QTest::addColumn<quint32>("busType");
    QTest::newRow("Omnicomm") << quint32(EngineFactory::BusOmniComm);
    QTest::newRow("ModBus") << quint32(EngineFactory::BusModBus);
    QTest::newRow("TBus") << quint32(EngineFactory::BusTBus);
}

// A kept session decodes without a port: every protocol is tried on the same bytes.
void TestLineMonitor::fedBytesFindTheirProtocol()
{
    QFETCH(quint32, busType);
    LineMonitor monitor;
    QSignalSpy found(&monitor, &LineMonitor::protocolFound);
    const int first = busType == EngineFactory::BusTBus ? 8 : 1;
    for (int i = 0; i < 6; ++i)
        monitor.feed(exchange(busType, first + i % 3, 300), i * 100);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).value<quint32>(), busType);
    QCOMPARE(monitor.figures().size(), 3);
    QCOMPARE(monitor.figures().value(first).replies, 2);
}

QTEST_GUILESS_MAIN(TestLineMonitor)
#include "tst_linemonitor.moc"

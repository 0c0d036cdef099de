// The simulated ModBus RTU sensor, driven with request bytes directly.
#include "checksums.h"
#include "modbusresponder.h"
#include "support/responderbench.h"

#include <QtTest>

using namespace sim;

namespace {

struct ModBusLine : ResponderBench<ModBusResponder>
{
    explicit ModBusLine(const QList<int>& addresses)
        : ResponderBench("ZT-32", addresses)
    {}
};

} // namespace

class SimModBusTest : public QObject
{
    Q_OBJECT

private slots:
    void levelReadAndAddressChangeMatchExamples();
    void exceptionsForWhatTheSensorDoesNotServe_data();
    void exceptionsForWhatTheSensorDoesNotServe();
    void framingSkipsOtherTrafficAndNoise();
};

void SimModBusTest::levelReadAndAddressChangeMatchExamples()
{
    ModBusLine line({1, 2});
    QCOMPARE(line.send(QByteArray::fromHex("01 03 00 00 00 01 84 0A")),
             QByteArray::fromHex("01 03 02 13 88 B5 12"));
    const QByteArray change = QByteArray::fromHex("01 06 00 01 00 05 18 09");
    QCOMPARE(line.send(change), change);
    QCOMPARE(line.sensor().address(), 5);
    QCOMPARE(line.sensor().counters().writesApplied, 1u);
    QVERIFY(line.send(QByteArray::fromHex("01 03 00 00 00 01 84 0A")).isEmpty());
    QCOMPARE(line.send(ModBusResponder::frame(5, 3, QByteArray::fromHex("00 00 00 01"))),
             ModBusResponder::frame(5, 3, QByteArray::fromHex("02 13 88")));
    // Reading both registers shows the new address too.
    QCOMPARE(line.send(ModBusResponder::frame(5, 3, QByteArray::fromHex("00 00 00 02"))),
             ModBusResponder::frame(5, 3, QByteArray::fromHex("04 13 88 00 05")));
    QCOMPARE(line.sensor().counters().requests, 4u);
    QCOMPARE(line.sensor(1).counters().requests, 0u);
}

void SimModBusTest::exceptionsForWhatTheSensorDoesNotServe_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("read register 2")
        << QByteArray::fromHex("03 00 02 00 01") << QByteArray::fromHex("83 02");
    QTest::newRow("read three registers")
        << QByteArray::fromHex("03 00 00 00 03") << QByteArray::fromHex("83 02");
    QTest::newRow("read no register")
        << QByteArray::fromHex("03 00 00 00 00") << QByteArray::fromHex("83 02");
    QTest::newRow("write the level")
        << QByteArray::fromHex("06 00 00 00 07") << QByteArray::fromHex("86 02");
    QTest::newRow("address 0") << QByteArray::fromHex("06 00 01 00 00")
                               << QByteArray::fromHex("86 03");
    QTest::newRow("address 248") << QByteArray::fromHex("06 00 01 00 F8")
                                 << QByteArray::fromHex("86 03");
    QTest::newRow("input registers")
        << QByteArray::fromHex("04 00 00 00 01") << QByteArray::fromHex("84 01");
    QTest::newRow("write multiple")
        << QByteArray::fromHex("10 00 01 00 01 02 00 09") << QByteArray::fromHex("90 01");
}

void SimModBusTest::exceptionsForWhatTheSensorDoesNotServe()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, reply);
    ModBusLine line({9});
    QCOMPARE(line.send(ModBusResponder::frame(9, quint8(data[0]), data.mid(1))),
             ModBusResponder::frame(9, quint8(reply[0]), reply.mid(1)));
    QCOMPARE(line.sensor().address(), 9);
    QCOMPARE(line.sensor().counters().writesApplied, 0u);
}

void SimModBusTest::framingSkipsOtherTrafficAndNoise()
{
    ModBusLine line({1});
    const QByteArray read = QByteArray::fromHex("01 03 00 00 00 01 84 0A");
    // Another sensor's request and reply pass by unanswered.
    QVERIFY(line.send(ModBusResponder::frame(2, 3, QByteArray::fromHex("00 00 00 01"))).isEmpty());
    QByteArray corrupted = read;
    corrupted[7] = char(0x0B);
    QByteArray noisy = QByteArray::fromHex("FF FE") + corrupted + read.left(3);
    QVERIFY(line.send(noisy).isEmpty());
    QCOMPARE(line.send(read.mid(3)).size(), 7);
    QCOMPARE(line.responder.bufferedBytes(), 0);
    QCOMPARE(line.sensor().counters().requests, 1u);
}

QTEST_APPLESS_MAIN(SimModBusTest)
#include "tst_simmodbus.moc"

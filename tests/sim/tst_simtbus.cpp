// The simulated TBus sensor, driven with request bytes directly.
#include "checksums.h"
#include "support/responderbench.h"
#include "tbusresponder.h"

#include <QtTest>

using namespace sim;

namespace {

struct TBusLine : ResponderBench<TBusResponder>
{
    TBusLine(const QList<int>& addresses, bool uncalibrated = false)
        : ResponderBench("ZT-35", addresses)
    {
        if (uncalibrated) {
            for (const auto& sensor : sensors)
                sensor->setUncalibrated();
        }
    }
};

const QByteArray setMinimum10 = QByteArray::fromHex("3F 8A 53 12 01 F5");
const QByteArray setMaximum10 = QByteArray::fromHex("3F 8A 53 12 02 F6");

int levelWord(const QByteArray& reply)
{
    return quint8(reply[1]) | (quint8(reply[2]) << 8);
}

} // namespace

class SimTBusTest : public QObject
{
    Q_OBJECT

private slots:
    void pollMatchesExample();
    void uncalibratedSensorReportsErrorsUntilBothPointsAreSet();
    void calibrationReplyCarriesStoredAdcValue();
    void framingSkipsBadIdentifiersAndBrokenServiceFrames();
};

void SimTBusTest::pollMatchesExample()
{
    TBusLine line({10, 8});
    QVERIFY(line.responder.echoesInput());
    QCOMPARE(line.send(QByteArray::fromHex("8A")), QByteArray::fromHex("0A 88 13 91"));
    line.sensor(1).physics().freeze(0.0, 20.0);
    QCOMPARE(line.send(QByteArray::fromHex("48")), TBusResponder::frame(8, QByteArray(2, 0)));
    QVERIFY(line.send(QByteArray::fromHex("81")).isEmpty()); // identifier 1: nobody there
    QCOMPARE(line.sensor(0).counters().requests, 1u);
    QCOMPARE(line.sensor(1).counters().requests, 1u);
}

void SimTBusTest::uncalibratedSensorReportsErrorsUntilBothPointsAreSet()
{
    TBusLine line({10}, true);
    QCOMPARE(levelWord(line.send(QByteArray::fromHex("8A"))), 20000);
    // The maximum alone does not help: the minimum is still missing.
    QCOMPARE(line.send(setMaximum10).size(), 6);
    QCOMPARE(levelWord(line.send(QByteArray::fromHex("8A"))), 20000);
    line.sensor().setUncalibrated();
    QCOMPARE(line.send(setMinimum10).size(), 6);
    QCOMPARE(levelWord(line.send(QByteArray::fromHex("8A"))), 30000);
    QCOMPARE(line.send(setMaximum10).size(), 6);
    QCOMPARE(levelWord(line.send(QByteArray::fromHex("8A"))), 5000);
    QCOMPARE(line.sensor().counters().writesApplied, 3u);
}

void SimTBusTest::calibrationReplyCarriesStoredAdcValue()
{
    TBusLine line({10});
    line.sensor().physics().freeze(0.0, 20.0);
    const QByteArray minimum = line.send(setMinimum10);
    line.sensor().physics().freeze(1.0, 20.0);
    const QByteArray maximum = line.send(setMaximum10);
    QCOMPARE(minimum.size(), 6);
    QCOMPARE(quint8(minimum[0]), quint8(0x3F));
    QCOMPARE(xorChecksum(minimum.left(5)), quint8(minimum[5]));
    QCOMPARE(xorChecksum(maximum.left(5)), quint8(maximum[5]));
    const int adcMinimum = quint8(minimum[3]) | (quint8(minimum[4]) << 8);
    const int adcMaximum = quint8(maximum[3]) | (quint8(maximum[4]) << 8);
    QCOMPARE(adcMinimum, line.sensor().adcMinimum());
    QCOMPARE(adcMaximum, line.sensor().adcMaximum());
    QVERIFY(adcMinimum < adcMaximum);
    // Only calibration type 0x12 with point 1 or 2 is a service this sensor offers.
    QVERIFY(line.send(TBusResponder::frame(0x3F, QByteArray::fromHex("8A 53 12 03"))).isEmpty());
    QVERIFY(line.send(TBusResponder::frame(0x3F, QByteArray::fromHex("8A 53 13 01"))).isEmpty());
    QCOMPARE(line.sensor().counters().writesApplied, 2u);
}

void SimTBusTest::framingSkipsBadIdentifiersAndBrokenServiceFrames()
{
    TBusLine line({10});
    // 8B has wrong check bits; 3F 8B cannot start a service frame; a bad checksum is skipped.
    QByteArray noisy = QByteArray::fromHex("8B 3F 8B 3F 8A 53 12 01 F4");
    // Once the broken frame is skipped, its 8A reads as a poll of identifier 10.
    QCOMPARE(line.send(noisy), QByteArray::fromHex("0A 88 13 91"));
    QCOMPARE(line.sensor().counters().requests, 1u);
    QCOMPARE(line.send(setMinimum10.left(2)), QByteArray());
    QCOMPARE(line.send(setMinimum10.mid(2)).size(), 6);
    QCOMPARE(line.responder.bufferedBytes(), 0);
}

QTEST_APPLESS_MAIN(SimTBusTest)
#include "tst_simtbus.moc"

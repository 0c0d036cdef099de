// The simulated Omnicomm sensor, driven with request bytes directly.
#include "checksums.h"
#include "omnicommresponder.h"
#include "support/responderbench.h"

#include <QtTest>

using namespace sim;

namespace {

using OmnicommLine = ResponderBench<OmnicommResponder>;

QByteArray request(int address, quint8 code, const QByteArray& data = QByteArray())
{
    QByteArray bytes;
    bytes.append(char(0x31)).append(char(address)).append(char(code)).append(data);
    return bytes.append(char(crc8Maxim(bytes)));
}

QByteArray status(int address, quint8 code, quint8 value)
{
    return OmnicommResponder::frame(address, code, QByteArray(1, char(value)));
}

} // namespace

class SimOmnicommTest : public QObject
{
    Q_OBJECT

private slots:
    void dataReplyMatchesExample();
    void framingSurvivesSplitsGarbageAndBadCrc();
    void configurationLayoutFollowsModel_data();
    void configurationLayoutFollowsModel();
    void parameterWrites();
    void modeSwitchTogglesAndSendsUnsolicitedFrames();
    void addressChangeAnswersFromOldAddress();
};

void SimOmnicommTest::dataReplyMatchesExample()
{
    OmnicommLine line("ZT-33", {1, 5});
    for (int i = 0; i < 2; ++i) {
        line.sensor(i).physics().freeze(512.0 / 8191.0, 25.0);
        line.sensor(i).omnicomm().fMin = line.sensor(i).omnicomm().fMax = 10000;
    }
    QCOMPARE(line.send(QByteArray::fromHex("31 01 06 6C")),
             QByteArray::fromHex("3E 01 06 19 00 02 10 27 46"));
    QCOMPARE(line.responder.unsolicitedFrame(line.sensor(1), 0),
             QByteArray::fromHex("3E 05 06 19 00 02 10 27 B2"));
    QCOMPARE(line.sensor(0).counters().requests, 1u);
    QCOMPARE(line.sensor(1).counters().requests, 0u);
    // Nobody at address 2: silence, and no sensor counts the request.
    QVERIFY(line.send(request(2, 0x06)).isEmpty());
    QCOMPARE(line.sensor(0).counters().requests + line.sensor(1).counters().requests, 1u);
}

void SimOmnicommTest::framingSurvivesSplitsGarbageAndBadCrc()
{
    OmnicommLine line("ZT-33", {1});
    const QByteArray poll = QByteArray::fromHex("31 01 06 6C");
    QVERIFY(line.send(poll.left(2)).isEmpty());
    QCOMPARE(line.send(poll.mid(2)).size(), 9);

    // Noise, a request with a broken CRC, and a 0x31 that starts nothing, then two good polls.
    QByteArray noisy = QByteArray::fromHex("00 FF 31 01 06 6D 31 31");
    noisy += poll + poll;
    const QList<SimReply> replies = line.responder.receive(noisy, 0);
    QCOMPARE(replies.size(), 2);
    QCOMPARE(line.responder.bufferedBytes(), 0);
    QVERIFY(line.responder.discardedBytes() >= 8);

    // An unknown command code cannot be framed: the sensor skips it and finds the next request.
    QCOMPARE(line.send(QByteArray::fromHex("31 01 55") + poll).size(), 9);
}

void SimOmnicommTest::configurationLayoutFollowsModel_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("length");
    QTest::newRow("ZT-33 basic") << "ZT-33" << 22;
    QTest::newRow("ZT-38 basic") << "ZT-38" << 22;
    QTest::newRow("ZT-41 extended") << "ZT-41" << 24;
    QTest::newRow("ZT-43 extended") << "ZT-43" << 24;
}

void SimOmnicommTest::configurationLayoutFollowsModel()
{
    QFETCH(QString, model);
    QFETCH(int, length);
    OmnicommLine line(model, {7});
    OmnicommConfig& config = line.sensor().omnicomm();
    config = {9, 30000, 1200, 12, -10, 700, 1, 200, 0x1234, 1};
    const QByteArray reply = line.send(request(7, 0xF5));
    QCOMPARE(reply.size(), length);
    QCOMPARE(reply.left(3), QByteArray::fromHex("3E 07 F5"));
    QCOMPARE(crc8Maxim(reply.left(length - 1)), quint8(reply.back()));
    QCOMPARE(reply.mid(7, 2), QByteArray::fromHex("30 75"));  // FMax 30000
    QCOMPARE(reply.mid(9, 2), QByteArray::fromHex("B0 04"));  // FMin 1200
    QCOMPARE(int(reply[11]), 0);                              // network mode
    QCOMPARE(reply.mid(12, 2), QByteArray::fromHex("0C 00")); // sample count
    QCOMPARE(reply.mid(14, 2), QByteArray::fromHex("0A 80")); // PWM -10, sign and magnitude
    QCOMPARE(reply.mid(16, 2), QByteArray::fromHex("BC 02")); // control output 700
    QCOMPARE(quint8(reply[20]), quint8(200));
    const bool extended = length == 24;
    QCOMPARE(int(reply[6]), extended ? 9 : 0);
    QCOMPARE(quint8(reply[19]), quint8(extended ? 0x81 : 0x01));
    if (extended)
        QCOMPARE(reply.mid(21, 2), QByteArray::fromHex("34 12"));
}

void SimOmnicommTest::parameterWrites()
{
    struct Case
    {
        quint8 code;
        const char* data;
        bool accepted;
        int OmnicommConfig::*field;
        int expected;
    };
    // Defaults: FMax 20000, FMin 5000.
    const Case cases[] = {
        {0x13, "05", true, &OmnicommConfig::autoInterval, 5},
        {0x13, "00", false, &OmnicommConfig::autoInterval, 1},
        {0x0C, "40 9C", true, &OmnicommConfig::fMax, 40000},
        {0x0C, "88 13", false, &OmnicommConfig::fMax, 20000}, // not above FMin
        {0x0B, "E8 03", true, &OmnicommConfig::fMin, 1000},
        {0x0B, "20 4E", false, &OmnicommConfig::fMin, 5000}, // not below FMax
        {0xF7, "20 00", true, &OmnicommConfig::sampleCount, 32},
        {0xF7, "00 00", false, &OmnicommConfig::sampleCount, 10},
        {0xFD, "0A 80", true, &OmnicommConfig::pwmMax, -10},
        {0xF0, "FF FF", true, &OmnicommConfig::controlOutput, 65535},
        {0xF6, "03", true, &OmnicommConfig::dataFormat, 3},
        {0xF6, "04", false, &OmnicommConfig::dataFormat, 2},
        {0xE0, "7F", true, &OmnicommConfig::normalTemperature, 127},
        {0x0D, "10 27", true, &OmnicommConfig::analogueRatio, 10000},
        {0x0E, "01", true, &OmnicommConfig::analogueRange, 1},
        {0x0E, "02", false, &OmnicommConfig::analogueRange, 0},
    };
    for (const Case& c : cases) {
        OmnicommLine line("ZT-43", {3});
        const QByteArray reply = line.send(request(3, c.code, QByteArray::fromHex(c.data)));
        const QString what = QStringLiteral("code %1 data %2").arg(c.code, 0, 16).arg(c.data);
        QVERIFY2(reply == status(3, c.code, c.accepted ? 0 : 1), qPrintable(what));
        QVERIFY2(line.sensor().omnicomm().*c.field == c.expected, qPrintable(what));
        QVERIFY2(line.sensor().counters().writesApplied == (c.accepted ? 1u : 0u),
                 qPrintable(what));
    }
}

void SimOmnicommTest::modeSwitchTogglesAndSendsUnsolicitedFrames()
{
    OmnicommLine line("ZT-42", {4});
    QCOMPARE(line.send(request(4, 0x07)), status(4, 0x07, 0));
    QVERIFY(line.sensor().isAutonomous());
    QCOMPARE(int(line.send(request(4, 0xF5))[11]), 1);
    // An autonomous sensor still listens, so it can be switched back.
    QCOMPARE(line.send(request(4, 0x07)), status(4, 0x07, 0));
    QVERIFY(!line.sensor().isAutonomous());
    QCOMPARE(line.sensor().counters().writesApplied, 2u);
    const QByteArray frame = line.responder.unsolicitedFrame(line.sensor(), 0);
    QCOMPARE(frame, line.send(request(4, 0x06)));
}

void SimOmnicommTest::addressChangeAnswersFromOldAddress()
{
    OmnicommLine line("ZT-33", {1});
    QCOMPARE(line.send(request(1, 0x03, QByteArray(1, char(0x2A)))),
             OmnicommResponder::frame(1, 0x03, QByteArray(1, char(0x2A))));
    QCOMPARE(line.sensor().address(), 42);
    QVERIFY(line.send(request(1, 0x06)).isEmpty());
    QCOMPARE(line.send(request(42, 0x06)).left(2), QByteArray::fromHex("3E 2A"));
}

QTEST_APPLESS_MAIN(SimOmnicommTest)
#include "tst_simomnicomm.moc"

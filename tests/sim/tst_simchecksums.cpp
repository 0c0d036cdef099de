// The simulator's own check sums and identifier coding against the published examples.
#include "checksums.h"

#include <QtTest>

using namespace sim;

class SimChecksumsTest : public QObject
{
    Q_OBJECT

private slots:
    void crc8MatchesExamples_data();
    void crc8MatchesExamples();
    void crc16MatchesExamples_data();
    void crc16MatchesExamples();
    void tbusIdentifiers_data();
    void tbusIdentifiers();
    void tbusIdentifiersAreNotLinProtectedIdentifiers();
    void xorChecksumMatchesExamples();
};

void SimChecksumsTest::crc8MatchesExamples_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("check value") << QByteArray("123456789").append(char(0xA1));
    QTest::newRow("level poll of 1") << QByteArray::fromHex("31 01 06 6C");
    QTest::newRow("data reply of 1") << QByteArray::fromHex("3E 01 06 19 00 02 10 27 46");
    QTest::newRow("unsolicited frame of 5") << QByteArray::fromHex("3E 05 06 19 00 02 10 27 B2");
}

void SimChecksumsTest::crc8MatchesExamples()
{
    QFETCH(QByteArray, frame);
    QCOMPARE(crc8Maxim(frame.left(frame.size() - 1)), quint8(frame.back()));
}

void SimChecksumsTest::crc16MatchesExamples_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("level read of 1") << QByteArray::fromHex("01 03 00 00 00 01 84 0A");
    QTest::newRow("reply 5000") << QByteArray::fromHex("01 03 02 13 88 B5 12");
    QTest::newRow("address 1 to 5") << QByteArray::fromHex("01 06 00 01 00 05 18 09");
}

void SimChecksumsTest::crc16MatchesExamples()
{
    QFETCH(QByteArray, frame);
    const int size = frame.size();
    const quint16 sent = quint8(frame[size - 2]) | (quint8(frame[size - 1]) << 8);
    QCOMPARE(crc16Modbus(frame.left(size - 2)), sent);
}

void SimChecksumsTest::tbusIdentifiers_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("byte");
    QTest::newRow("0") << 0 << 0x00;
    QTest::newRow("1") << 1 << 0x81;
    QTest::newRow("8") << 8 << 0x48;
    QTest::newRow("10") << 10 << 0x8A;
    QTest::newRow("63") << 63 << 0x3F;
    QTest::newRow("74 uses its low six bits") << 74 << 0x8A;
}

void SimChecksumsTest::tbusIdentifiers()
{
    QFETCH(int, n);
    QFETCH(int, byte);
    QCOMPARE(int(tbusIdentifierByte(n)), byte);
    QVERIFY(isTbusIdentifierByte(quint8(byte)));
    QVERIFY(!isTbusIdentifierByte(quint8(byte ^ 0x40)));
    QVERIFY(!isTbusIdentifierByte(quint8(byte ^ 0x80)));
}

void SimChecksumsTest::tbusIdentifiersAreNotLinProtectedIdentifiers()
{
    // A sensor coded like LIN 2.x would never answer: none of the 64 values coincide.
    for (int n = 0; n < 64; ++n) {
        auto bit = [n](int b) {
            return (n >> b) & 1;
        };
        const int p0 = bit(0) ^ bit(1) ^ bit(2) ^ bit(4);
        const int p1 = 1 ^ bit(1) ^ bit(3) ^ bit(4) ^ bit(5);
        QVERIFY2(tbusIdentifierByte(n) != (n | (p0 << 6) | (p1 << 7)),
                 qPrintable(QString::number(n)));
    }
}

void SimChecksumsTest::xorChecksumMatchesExamples()
{
    QCOMPARE(xorChecksum(QByteArray::fromHex("3F 8A 53 12 01")), quint8(0xF5));
    QCOMPARE(xorChecksum(QByteArray::fromHex("3F 8A 53 12 02")), quint8(0xF6));
    QCOMPARE(xorChecksum(QByteArray::fromHex("0A 88 13")), quint8(0x91));
}

QTEST_APPLESS_MAIN(SimChecksumsTest)
#include "tst_simchecksums.moc"

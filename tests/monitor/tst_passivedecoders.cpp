#include "session/enginefactory.h"
#include "engine/passivedecoder.h"
#include "monitor/passivedecoders.h"
#include "protocols/modbus/modbuspassivedecoder.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/tbus/tbuspassivedecoder.h"
#include "support/lineframes.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace LineFrames;

namespace {

struct Decoded
{
    QVector<PassiveFrame> frames;
    int requests = 0;
    int replies = 0;
    int checksumFailures = 0;
};

// Feeds the chunks, each arriving 20 ms after the one before, then lets the
// line fall quiet.
Decoded decode(PassiveDecoder& decoder, const QList<QByteArray>& chunks)
{
    qint64 time = 1000;
    for (const QByteArray& chunk : chunks) {
        decoder.feed(chunk, time);
        time += 20;
    }
    decoder.settle(time + PassiveDecoder::SettleMs);
    Decoded decoded;
    decoded.frames = decoder.takeFrames();
    for (const PassiveFrame& frame : decoded.frames) {
        decoded.requests += frame.kind == PassiveFrame::Request;
        decoded.replies += frame.kind == PassiveFrame::Reply;
        decoded.checksumFailures += frame.kind == PassiveFrame::ChecksumFailure;
    }
    return decoded;
}

QList<QByteArray> split(const QByteArray& bytes, int seed)
{
    QRandomGenerator random{quint32(seed)};
    QList<QByteArray> chunks;
    for (int at = 0; at < bytes.size();) {
        const int size = random.bounded(1, 12);
        chunks << bytes.mid(at, size);
        at += size;
    }
    return chunks;
}

// Per exchange one chunk, as a line with silence between polls delivers them.
QList<QByteArray> exchanges(quint32 busType, int count)
{
    QList<QByteArray> chunks;
    const int first = busType == EngineFactory::BusTBus ? 8 : 1;
    for (int i = 0; i < count; ++i)
        chunks << exchange(busType, first + i % 3, 1000 + i, i % 7 != 6);
    return chunks;
}

} // namespace

class TestPassiveDecoders : public QObject
{
    Q_OBJECT
private slots:
    void cleanLineInAnyChunks_data();
    void cleanLineInAnyChunks();
    void garbageAndDamageNeverMakeFrames_data();
    void garbageAndDamageNeverMakeFrames();
    void damagedTapKeepsEveryIntactFrame_data();
    void damagedTapKeepsEveryIntactFrame();
    void modbusDirectionAndExceptions();
    void omnicommLevelScaledByHeardFormat();
    void tbusPollsBesideDamageAndSilence_data();
    void tbusPollsBesideDamageAndSilence();
};

void TestPassiveDecoders::cleanLineInAnyChunks_data()
{
    QTest::addColumn<quint32>("busType");
    QTest::newRow("Omnicomm") << quint32(EngineFactory::BusOmniComm);
    QTest::newRow("ModBus") << quint32(EngineFactory::BusModBus);
    QTest::newRow("TBus") << quint32(EngineFactory::BusTBus);
}

// 70 polls, every seventh unanswered: the same frames whether the bytes come an
// exchange at a time, in random pieces, or (but TBus, whose unanswered poll only
// silence marks) all at once.
void TestPassiveDecoders::cleanLineInAnyChunks()
{
    QFETCH(quint32, busType);
    const QList<QByteArray> chunks = exchanges(busType, 70);
    QByteArray whole;
    for (const QByteArray& chunk : chunks)
        whole += chunk;
    QList<QList<QByteArray>> deliveries{chunks, split(whole, 1), split(whole, 2)};
    if (busType != EngineFactory::BusTBus)
        deliveries << QList<QByteArray>{whole};
    for (const QList<QByteArray>& delivery : deliveries) {
        auto decoder = PassiveDecoders::create(busType);
        const Decoded decoded = decode(*decoder, delivery);
        QCOMPARE(decoded.requests, 70);
        QCOMPARE(decoded.replies, 60);
        QCOMPARE(decoder->rejectedBytes(), 0);
        QByteArray joined;
        for (const PassiveFrame& frame : decoded.frames)
            joined += frame.bytes;
        QCOMPARE(joined, whole);
        QVERIFY(decoded.frames.at(1).hasReading);
        QCOMPARE(decoded.frames.at(1).reading.rawLevel, 1000);
    }
}

void TestPassiveDecoders::garbageAndDamageNeverMakeFrames_data()
{
    QTest::addColumn<quint32>("busType");
    QTest::addColumn<QByteArray>("good");
    QTest::addColumn<QByteArray>("damaged"); // a reply with one byte changed
    QTest::newRow("Omnicomm") << quint32(EngineFactory::BusOmniComm)
                              << exchange(EngineFactory::BusOmniComm, 2, 700)
                              << omnicommData(2, 700).replace(4, 1, "\x55");
    QTest::newRow("ModBus") << quint32(EngineFactory::BusModBus)
                            << exchange(EngineFactory::BusModBus, 2, 700)
                            << modbusReadReply(2, 700).replace(4, 1, "\x55");
    QTest::newRow("TBus") << quint32(EngineFactory::BusTBus)
                          << exchange(EngineFactory::BusTBus, 9, 700)
                          << tbusReply(9, 700).replace(2, 1, "\x55");
}

// Garbage between exchanges is counted as rejected runs; a damaged reply is a
// checksum failure of its address, never a frame; the next exchange is found.
void TestPassiveDecoders::garbageAndDamageNeverMakeFrames()
{
    QFETCH(quint32, busType);
    QFETCH(QByteArray, good);
    QFETCH(QByteArray, damaged);
    const QByteArray garbage = QByteArray::fromHex("f2a5c3");
    const QByteArray poll = good.left(good.size() - damaged.size());
    auto decoder = PassiveDecoders::create(busType);
    const Decoded decoded = decode(*decoder, {garbage + good, garbage + poll + damaged, good});
    QCOMPARE(decoded.requests, 3);
    QCOMPARE(decoded.replies, 2);
    QCOMPARE(decoded.checksumFailures, 1);
    QCOMPARE(decoded.frames.at(3).kind, PassiveFrame::ChecksumFailure);
    QCOMPARE(decoded.frames.at(3).address, decoded.frames.at(0).address);
    for (const PassiveFrame& frame : decoded.frames)
        QVERIFY(frame.kind == PassiveFrame::ChecksumFailure || good.contains(frame.bytes));
    QCOMPARE(decoder->rejectedRuns(), 3);
    QCOMPARE(decoder->rejectedBytes(), 2 * garbage.size() + damaged.size());

    // Random bytes in random pieces: whatever is taken must check out.
    QRandomGenerator random(7);
    QByteArray noise(4000, 0);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    auto fresh = PassiveDecoders::create(busType);
    for (const PassiveFrame& frame : decode(*fresh, split(noise, 3)).frames) {
        if (frame.kind == PassiveFrame::ChecksumFailure)
            continue;
        QVERIFY(noise.contains(frame.bytes));
    }
    QCOMPARE(fresh->pendingBytes(), 0);
}

void TestPassiveDecoders::damagedTapKeepsEveryIntactFrame_data()
{
    QTest::addColumn<quint32>("busType");
    QTest::addColumn<int>("batchMs");
    for (int batch : {0, 16}) {
        const char* suffix = batch ? " in 16 ms batches" : "";
        QTest::newRow(qPrintable(QString("Omnicomm%1").arg(suffix)))
            << quint32(EngineFactory::BusOmniComm) << batch;
        QTest::newRow(qPrintable(QString("ModBus%1").arg(suffix)))
            << quint32(EngineFactory::BusModBus) << batch;
        QTest::newRow(qPrintable(QString("TBus%1").arg(suffix)))
            << quint32(EngineFactory::BusTBus) << batch;
    }
}

// A master polls three sensors, one every 100 ms, replies 8 ms after their
// polls, every seventh unanswered; 2 % of the bytes arrive changed. Every frame
// that arrived whole is decoded, in its place, and nothing else is.
void TestPassiveDecoders::damagedTapKeepsEveryIntactFrame()
{
    QFETCH(quint32, busType);
    QFETCH(int, batchMs);
    struct Sent
    {
        qint64 position;
        QByteArray bytes;
        bool intact;
    };
    QRandomGenerator random(11);
    QList<Sent> sent;
    QByteArray line;
    QVector<qint64> arrival;
    const int first = busType == EngineFactory::BusTBus ? 8 : 1;
    for (int i = 0; i < 600; ++i) {
        const int address = first + i % 3;
        const QByteArray request = exchange(busType, address, 0, false);
        const QByteArray whole = exchange(busType, address, 1000 + i, i % 7 != 6);
        const QList<QPair<QByteArray, qint64>> frames{{request, i * 100},
                                                      {whole.mid(request.size()), i * 100 + 8}};
        for (const auto& [bytes, timeMs] : frames) {
            if (bytes.isEmpty())
                continue;
            Sent frame{line.size(), bytes, true};
            for (char byte : bytes) {
                if (random.bounded(100) < 2) {
                    byte = char(byte ^ random.bounded(1, 256));
                    frame.intact = false;
                }
                line.append(byte);
                arrival << (batchMs ? (timeMs / batchMs + 1) * batchMs : timeMs);
            }
            sent << frame;
        }
    }
    auto decoder = PassiveDecoders::create(busType);
    QVector<PassiveFrame> frames;
    for (int at = 0; at < line.size();) {
        int end = at;
        while (end < line.size() && arrival[end] == arrival[at])
            ++end;
        decoder->feed(line.mid(at, end - at), arrival[at]);
        frames += decoder->takeFrames();
        at = end;
    }
    decoder->settle(arrival.last() + PassiveDecoder::SettleMs);
    frames += decoder->takeFrames();
    QHash<qint64, QByteArray> taken;
    for (const PassiveFrame& frame : frames)
        if (frame.kind != PassiveFrame::ChecksumFailure)
            taken.insert(frame.position, frame.bytes);
    int intact = 0;
    for (const Sent& frame : sent) {
        intact += frame.intact;
        if (frame.intact)
            QVERIFY2(taken.value(frame.position) == frame.bytes,
                     qPrintable(QString("missed at %1").arg(frame.position)));
        if (taken.contains(frame.position))
            QVERIFY2(taken.take(frame.position) == frame.bytes,
                     qPrintable(QString("changed at %1").arg(frame.position)));
    }
    QVERIFY2(taken.isEmpty(), qPrintable(QString("%1 frames never sent").arg(taken.size())));
    QVERIFY(intact < sent.size());
}

// Two requests in a row, a write whose echo is its reply, an exception by name,
// traffic to another address.
void TestPassiveDecoders::modbusDirectionAndExceptions()
{
    ModBusPassiveDecoder decoder;
    const QByteArray write = modbusWriteRegister(4, 1, 9);
    const Decoded decoded =
        decode(decoder, {modbusRead(1), modbusRead(1) + modbusReadReply(1, 5000), write + write,
                         modbusRead(7) + modbusException(7, 3, 2)});
    QCOMPARE(decoded.frames.size(), 7);
    const QList<PassiveFrame::Kind> kinds{
        PassiveFrame::Request, PassiveFrame::Request, PassiveFrame::Reply, PassiveFrame::Request,
        PassiveFrame::Reply,   PassiveFrame::Request, PassiveFrame::Reply};
    for (int i = 0; i < kinds.size(); ++i)
        QCOMPARE(decoded.frames.at(i).kind, kinds.at(i));
    QCOMPARE(decoded.frames.at(2).reading.level, 50.0f);
    QCOMPARE(decoded.frames.at(4).address, 4);
    QVERIFY(!decoded.frames.at(4).hasReading);
    QCOMPARE(decoded.frames.at(6).exceptionCode, 2);
    QCOMPARE(decoded.frames.at(6).exceptionName, QStringLiteral("Illegal data address"));
}

// A data frame is scaled once the sensor's configuration reply gave its format.
void TestPassiveDecoders::omnicommLevelScaledByHeardFormat()
{
    auto decoder = PassiveDecoders::create(EngineFactory::BusOmniComm);
    const EngineCommand configuration = OmniCommEngine::configurationCommand(5, false);
    unsigned char reply[22] = {OmniCommEngine::ReplyStart, 5, OmniCommEngine::ReadConfiguration};
    reply[19] = 1; // data format 1: 12 bits
    reply[21] = OmniCommEngine::crc8(reply, 21);
    const QByteArray request(reinterpret_cast<const char*>(configuration.request),
                             configuration.requestLength);
    const Decoded decoded = decode(*decoder, {omnicommData(5, 4095, 0x07), request,
                                              QByteArray(reinterpret_cast<const char*>(reply), 22),
                                              omnicommData(5, 4095, 0x07)});
    QCOMPARE(decoded.frames.size(), 4);
    QVERIFY(!decoded.frames.at(0).reading.levelKnown);
    QVERIFY(decoded.frames.at(0).maySendUnasked);
    QVERIFY(decoded.frames.at(3).reading.levelKnown);
    QCOMPARE(decoded.frames.at(3).reading.level, 100.0f);
}

QString frameList(const QVector<PassiveFrame>& frames)
{
    QStringList list;
    for (const PassiveFrame& frame : frames) {
        const char* kind = frame.kind == PassiveFrame::Request  ? "Q"
                           : frame.kind == PassiveFrame::Reply ? "A"
                                                               : "C";
        list << kind + QString::number(frame.address);
    }
    return list.join(' ');
}

void TestPassiveDecoders::tbusPollsBesideDamageAndSilence_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<int>>("timesMs");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<int>("rejected");
    const QByteArray answered10 = exchange(EngineFactory::BusTBus, 10, 5);
    const QByteArray answered11 = exchange(EngineFactory::BusTBus, 11, 5);
    const QByteArray damaged10 = tbusReply(10, 300).replace(3, 1, "\x55");
    const QByteArray damaged11 = tbusReply(11, 300).replace(2, 1, "\x55");
    const QByteArray stray = QByteArray::fromHex("f0") + tbusPoll(5) + QByteArray::fromHex("f0");
    const QByteArray notAPoll = QByteArray::fromHex("f0");
    QTest::newRow("unanswered, nothing heard before")
        << QList<QByteArray>{tbusPoll(7), answered10} << QList<int>{0, 200} << "Q7 Q10 A10" << 0;
    QTest::newRow("unheard identifier, no silence behind")
        << QList<QByteArray>{tbusPoll(7), answered10} << QList<int>{0, 20} << "Q10 A10" << 1;
    QTest::newRow("last poll, then quiet")
        << QList<QByteArray>{answered10, tbusPoll(10)} << QList<int>{0, 200} << "Q10 A10 Q10" << 0;
    QTest::newRow("first poll, its reply damaged")
        << QList<QByteArray>{tbusPoll(7) + tbusReply(7, 300).replace(2, 1, "\x55")}
        << QList<int>{0} << "Q7 C7" << 4;
    // Identifier 11 is polled with the byte its reply starts with.
    QTest::newRow("next poll in the window of a damaged reply")
        << QList<QByteArray>{answered10, answered11, tbusPoll(10) + damaged10,
                             tbusPoll(11) + damaged11}
        << QList<int>{0, 20, 200, 220} << "Q10 A10 Q11 A11 Q10 C10 Q11 C11" << 8;
    QTest::newRow("reply behind its damaged poll")
        << QList<QByteArray>{answered11, notAPoll, tbusReply(11, 300)} << QList<int>{0, 200, 204}
        << "Q11 A11 A11" << 1;
    QTest::newRow("damaged reply behind its damaged poll")
        << QList<QByteArray>{answered11, notAPoll, damaged11} << QList<int>{0, 200, 204}
        << "Q11 A11" << 5;
    // Poll and reply damaged, the last byte (an unheard identifier's) batched
    // apart: silence on both sides, and still no poll.
    QTest::newRow("unheard identifier ending damage, batched apart")
        << QList<QByteArray>{answered10, QByteArray::fromHex("ed288f0c"), tbusPoll(15), answered10}
        << QList<int>{0, 200, 216, 400} << "Q10 A10 Q10 A10" << 5;
    // Its four bytes XOR to zero: a poll damaged into the reply's checksum
    // byte makes the bytes one early hold as a reply of an unheard identifier.
    const QByteArray reply10 = tbusReply(10, 300);
    QTest::newRow("poll damaged into its reply's checksum")
        << QList<QByteArray>{answered10, reply10.right(1), reply10} << QList<int>{0, 200, 204}
        << "Q10 A10 A10" << 1;
    QTest::newRow("poll of 10 damaged into 9")
        << QList<QByteArray>{answered10, tbusPoll(9) + tbusReply(10, 300)} << QList<int>{0, 200}
        << "Q10 A10 A10" << 1;
    QTest::newRow("answered identifiers alone, amid garbage")
        << QList<QByteArray>{answered10 + answered11,
                             tbusPoll(10) + tbusPoll(11) + tbusReply(11, 20000) + stray +
                                 tbusPoll(11)}
        << QList<int>{0, 200} << "Q10 A10 Q11 A11 Q10 Q11 A11 Q11" << 3;
}

// A poll has no checksum: it is taken where its reply follows, where silence
// no reply keeps follows it, or, for an identifier heard before, where the line
// leaves no doubt; never from the bytes a damaged exchange leaves. A status
// code in place of a level is the sensor's status.
void TestPassiveDecoders::tbusPollsBesideDamageAndSilence()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<int>, timesMs);
    TBusPassiveDecoder decoder;
    for (int i = 0; i < chunks.size(); ++i)
        decoder.feed(chunks.at(i), timesMs.at(i));
    decoder.settle(timesMs.last() + PassiveDecoder::SettleMs);
    const QVector<PassiveFrame> frames = decoder.takeFrames();
    QTEST(frameList(frames), "frames");
    QTEST(int(decoder.rejectedBytes()), "rejected");
    for (const PassiveFrame& frame : frames) {
        if (frame.hasReading && frame.reading.rawLevel == 20000)
            QCOMPARE(frame.status, 20000);
    }
}

QTEST_GUILESS_MAIN(TestPassiveDecoders)
#include "tst_passivedecoders.moc"

// How fast the passive decoders take a line apart: a realistic capture of each
// protocol (three sensors polled in turn, every seventh poll unanswered, one
// chunk per exchange as a line with silence between polls delivers it), decoded
// and paired over and over. A 19200-baud line carries under 2 kB/s.
#include "engine/enginefactory.h"
#include "engine/passivedecoder.h"
#include "monitor/exchangepairing.h"
#include "monitor/passivedecoders.h"
#include "support/lineframes.h"

#include <cstdio>
#include <ctime>

namespace {

const int kExchanges = 3000;
const int kRounds = 200;

struct Capture
{
    quint32 busType;
    QList<QByteArray> chunks;
    qint64 bytes = 0;
};

Capture captureOf(quint32 busType)
{
    Capture capture{busType, {}, 0};
    const int first = busType == EngineFactory::BusTBus ? 8 : 1;
    for (int i = 0; i < kExchanges; ++i) {
        capture.chunks << LineFrames::exchange(busType, first + i % 3, 1000 + i % 500, i % 7 != 6);
        capture.bytes += capture.chunks.last().size();
    }
    return capture;
}

// Exchanges decoded, so that nothing can be optimised away.
int decode(const Capture& capture)
{
    auto decoder = PassiveDecoders::create(capture.busType);
    ExchangePairing pairing;
    QVector<PassiveFrame> frames;
    QVector<MonitorExchange> exchanges;
    int count = 0;
    qint64 time = 0;
    for (const QByteArray& chunk : capture.chunks) {
        decoder->feed(chunk, time += 50);
        decoder->takeFrames(&frames);
        exchanges.clear();
        for (const PassiveFrame& frame : qAsConst(frames))
            pairing.take(frame, &exchanges);
        count += exchanges.size();
    }
    return count;
}

// Processor time, not wall time: the decoder's own cost, whatever else the
// machine runs meanwhile.
double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

int main()
{
    QList<Capture> captures;
    for (quint32 busType : PassiveDecoders::busTypes())
        captures << captureOf(busType);
    qint64 bytes = 0;
    int exchanges = 0;
    const double start = processSeconds();
    for (int round = 0; round < kRounds; ++round)
        for (const Capture& capture : captures) {
            exchanges += decode(capture);
            bytes += capture.bytes;
        }
    const double seconds = processSeconds() - start;
    std::printf("BENCH monitor_decode_mbytes_per_s %.1f\n", bytes / seconds / 1e6);
    std::fprintf(stderr, "%d exchanges in %.0f bytes\n", exchanges, double(bytes));
    return 0;
}

// How fast the passive decoders take a line apart: a realistic capture of each
// protocol (three sensors polled in turn, every seventh poll unanswered, one
// chunk per exchange as a line with silence between polls delivers it), decoded
// and paired over and over. A 19200-baud line carries under 2 kB/s.
#include "engine/enginefactory.h"
#include "engine/passivedecoder.h"
#include "monitor/exchangepairing.h"
#include "monitor/passivedecoders.h"
#include "support/lineframes.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

const int kExchanges = 3000;
const int kRounds = 20;

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
    int exchanges = 0;
    qint64 time = 0;
    for (const QByteArray& chunk : capture.chunks) {
        decoder->feed(chunk, time += 50);
        for (const PassiveFrame& frame : decoder->takeFrames())
            exchanges += pairing.take(frame).size();
    }
    return exchanges;
}

} // namespace

int main()
{
    QList<Capture> captures;
    for (quint32 busType : PassiveDecoders::busTypes())
        captures << captureOf(busType);
    qint64 bytes = 0;
    int exchanges = 0;
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < kRounds; ++round)
        for (const Capture& capture : captures) {
            exchanges += decode(capture);
            bytes += capture.bytes;
        }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("BENCH monitor_decode_mbytes_per_s %.1f\n", bytes / seconds / 1e6);
    std::fprintf(stderr, "%d exchanges in %.0f bytes\n", exchanges, double(bytes));
    return 0;
}

#include "passivefuzz.h"

#include "engine/passivedecoder.h"
#include "monitor/exchangepairing.h"
#include "monitor/passivedecoders.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace {

const int kChunkMask = 0x1F;
const int kGapShift = 5;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace

void runPassiveFuzz(quint32 busType, const uint8_t* data, size_t size,
                    bool (*frameHolds)(const PassiveFrame& frame))
{
    auto decoder = PassiveDecoders::create(busType);
    ExchangePairing pairing;
    QVector<MonitorExchange> exchanges;
    QByteArray heard;
    qint64 time = 0;
    qint64 framed = 0;
    auto check = [&] {
        for (const PassiveFrame& frame : decoder->takeFrames()) {
            if (frame.kind == PassiveFrame::ChecksumFailure) {
                pairing.take(frame, &exchanges);
                continue;
            }
            if (!frameHolds(frame))
                fail("a frame whose check fails was taken");
            if (heard.mid(int(frame.position), frame.bytes.size()) != frame.bytes)
                fail("a frame is not the bytes heard in their place");
            framed += frame.bytes.size();
            pairing.take(frame, &exchanges);
        }
    };
    for (size_t at = 0; at < size;) {
        const uint8_t step = data[at++];
        const size_t length = std::min(size - at, size_t((step & kChunkMask) + 1));
        // Silence from none to more than the settling time.
        time += (step >> kGapShift) * 20;
        const QByteArray chunk(reinterpret_cast<const char*>(data + at), int(length));
        at += length;
        heard += chunk;
        decoder->feed(chunk, time);
        check();
        if ((step >> kGapShift) == 7) {
            decoder->settle(time + PassiveDecoder::SettleMs);
            check();
        }
    }
    decoder->settle(time + PassiveDecoder::SettleMs);
    check();
    pairing.finish(time + ExchangePairing::LongestReplyWaitMs);
    if (decoder->pendingBytes() != 0 || framed + decoder->rejectedBytes() != heard.size())
        fail("bytes neither taken nor rejected once the line was quiet");
}

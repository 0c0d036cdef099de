#pragma once

#include "engine/passivedecoder.h"

#include <array>

// Listens to a TBus line. A listener hears every byte once: the echo is only
// what the master's own receiver reads back. A poll is one identifier byte with
// check bits and no checksum, so it is taken when its reply follows, or when it
// stands alone where the line makes it plain; a reply carries the polled
// identifier and an XOR checksum.
// The port listens at space parity: the parity of the bytes is not checked, and
// a mark-parity first byte arrives like any other.
class TBusPassiveDecoder : public PassiveDecoder
{
public:
    TBusPassiveDecoder();

    QString protocolName() const override;
    void applyLineSettings(SerialPort* port) const override;

protected:
    int frameAt(const Head& head, PassiveFrame* frame) override;
    int longestFrame() const override;
    void resetProtocol() override;

private:
    int frameHere(const Head& head, PassiveFrame* frame);
    int replyAt(const Head& head, int identifier, PassiveFrame* frame);
    int serviceAt(const Head& head, PassiveFrame* frame);
    int pollAt(const Head& head, bool inReplySlot, PassiveFrame* frame);
    bool replyFollows(const Head& head, int identifier) const;
    static bool replyStartsAt(const Head& head);
    static bool replyHolds(const Head& head);
    bool knownReplyBehind(const Head& head) const;

    static constexpr int NoPoll = -1;
    std::array<bool, 256> m_isIdentifier;
    std::array<bool, 64> m_answered{}; // identifiers a reply has come from
    std::array<bool, 64> m_heard{};    // identifiers polled or answered
    int m_polled = NoPoll;             // the identifier whose reply may come next
    qint64 m_polledAtMs = 0;
    qint64 m_replySlotEnd = 0; // where the bytes that can be its reply end
    qint64 m_frameEnd = 0;     // where the last frame taken ended
    int m_serviceAddress = NoPoll; // the identifier of the service frame in flight
};

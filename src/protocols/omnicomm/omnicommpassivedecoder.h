#pragma once

#include "engine/passivedecoder.h"

#include <array>

// Listens to an Omnicomm line: requests start with 0x31, replies and the frames
// a sensor sends by itself with 0x3E; the command code gives the length and the
// CRC-8 decides. The level of a data frame is scaled by the data format its
// sensor gave in a configuration reply heard earlier.
class OmniCommPassiveDecoder : public PassiveDecoder
{
public:
    OmniCommPassiveDecoder();

    QString protocolName() const override;
    void applyLineSettings(SerialPort* port) const override;

protected:
    int frameAt(const Head& head, PassiveFrame* frame) override;
    int longestFrame() const override;
    void resetProtocol() override;

private:
    int requestAt(const Head& head, PassiveFrame* frame);
    int replyAt(const Head& head, PassiveFrame* frame);
    int replyLengths(quint8 address, quint8 code, int* lengths) const;
    void describeReply(const unsigned char* data, int length, PassiveFrame* frame);

    static constexpr int NoCode = -1;
    static constexpr int UnknownFormat = -1;
    // What each address was last asked, and the data format each gave.
    std::array<int, 256> m_asked;
    std::array<int, 256> m_dataFormat;
};

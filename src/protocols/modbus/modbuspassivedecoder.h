#pragma once

#include "engine/passivedecoder.h"

#include <array>

// Listens to a ModBus RTU line. A request and its reply share the function code
// but not the length, so the decoder keeps track of the request in flight: it
// tries the direction it expects first, and a write echoed back is the reply of
// the write just heard. Two requests in a row (a sensor that did not answer)
// and traffic to other addresses are frames like any other.
class ModBusPassiveDecoder : public PassiveDecoder
{
public:
    QString protocolName() const override;
    void applyLineSettings(SerialPort* port) const override;

    // The standard name of an exception code ("Illegal data address").
    static QString exceptionName(int code);

protected:
    int frameAt(const Head& head, PassiveFrame* frame) override;
    int longestFrame() const override;
    void resetProtocol() override;

private:
    // A frame length; NeedMore while the bytes that give it have not come;
    // NoFrame when the function has no such frame.
    int requestLength(const Head& head) const;
    int replyLength(const Head& head) const;
    bool expectsReply(const Head& head) const;
    void describeReply(const unsigned char* data, int length, PassiveFrame* frame) const;

    // The request in flight; none while its length is 0.
    std::array<unsigned char, 256> m_request{};
    int m_requestLength = 0;
};

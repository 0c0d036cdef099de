#include "protocols/tbus/tbuspassivedecoder.h"

#include "port/serialport.h"
#include "protocols/tbusengine.h"
#include "protocols/tbussensor.h"

namespace {

const int kReplyLength = TBusEngine::PollReplyLength;
// The one service frame on these lines, the calibration request, and its reply.
const int kServiceLength = 6;
const int kPollLength = 1;

bool checksumHolds(const unsigned char* data, int length)
{
    return TBusEngine::xorChecksum(data, length - 1) == data[length - 1];
}

} // namespace

TBusPassiveDecoder::TBusPassiveDecoder()
{
    for (int byte = 0; byte < int(m_isIdentifier.size()); ++byte)
        m_isIdentifier[byte] = TBusEngine::identifierOf(quint8(byte)) == byte;
}

QString TBusPassiveDecoder::protocolName() const
{
    return QStringLiteral("TBus");
}

void TBusPassiveDecoder::applyLineSettings(SerialPort* port) const
{
    TBusEngine::applyLineSettings(port);
    port->setParity(PAR_SPACE);
}

int TBusPassiveDecoder::longestFrame() const
{
    return kServiceLength;
}

void TBusPassiveDecoder::resetProtocol()
{
    m_polled = NoPoll;
    m_serviceAddress = NoPoll;
}

int TBusPassiveDecoder::frameAt(const Head& head, PassiveFrame* frame)
{
    const unsigned char first = head.data[0];
    if (m_polled != NoPoll && first == m_polled)
        return replyAt(head, m_polled, frame);
    if (first == TBusEngine::ServiceMarker)
        return serviceAt(head, frame);
    if (m_isIdentifier[first])
        return pollAt(head, frame);
    return NoFrame;
}

int TBusPassiveDecoder::replyAt(const Head& head, int identifier, PassiveFrame* frame)
{
    if (head.size < kReplyLength)
        return NeedMore;
    frame->address = identifier;
    if (!checksumHolds(head.data, kReplyLength)) {
        if (head.boundary)
            reportChecksumFailure(identifier, head.timeAt(kReplyLength - 1));
        return NoFrame;
    }
    frame->kind = PassiveFrame::Reply;
    frame->reading = TBusSensor::readingOf(head.data, 0);
    frame->hasReading = true;
    if (frame->reading.failed()) {
        frame->status = frame->reading.rawLevel;
        frame->statusText = TBusSensor::statusText(frame->reading.rawLevel);
    }
    m_polled = NoPoll;
    return kReplyLength;
}

// A service request names its identifier in its second byte; its reply starts
// with the marker as well and comes after it.
int TBusPassiveDecoder::serviceAt(const Head& head, PassiveFrame* frame)
{
    if (head.size < kServiceLength)
        return NeedMore;
    if (!checksumHolds(head.data, kServiceLength))
        return NoFrame;
    frame->function = TBusEngine::ServiceMarker;
    if (m_serviceAddress != NoPoll) {
        frame->kind = PassiveFrame::Reply;
        frame->address = m_serviceAddress;
        m_serviceAddress = NoPoll;
    } else if (m_isIdentifier[head.data[1]]) {
        frame->kind = PassiveFrame::Request;
        frame->address = head.data[1] & TBusEngine::IdentifierMask;
        m_serviceAddress = frame->address;
    } else {
        return NoFrame;
    }
    m_polled = NoPoll;
    return kServiceLength;
}

// Without a checksum, a lone identifier byte is a poll only where the line
// says so: its reply follows, or silence does, or the next poll with its reply,
// or the reply's first byte even though the rest of it came damaged.
int TBusPassiveDecoder::pollAt(const Head& head, PassiveFrame* frame)
{
    const int identifier = head.data[0] & TBusEngine::IdentifierMask;
    const bool nextPoll = head.size > kPollLength && m_isIdentifier[head.data[1]] &&
                          head.data[1] != TBusEngine::ServiceMarker;
    const Head next{head.data + kPollLength, head.size - kPollLength, false, head.settled,
                    head.times + kPollLength};
    bool poll = head.quietAfter(0) || replyFollows(head, identifier) ||
                (nextPoll && replyFollows(next, head.data[1] & TBusEngine::IdentifierMask));
    const int decided = kPollLength + (nextPoll ? kPollLength : 0) + kReplyLength;
    if (!poll && !head.settled && head.size < decided &&
        (head.size == kPollLength || head.data[1] == identifier || nextPoll))
        return NeedMore;
    poll = poll || (head.size > kPollLength && head.data[1] == identifier);
    if (!poll)
        return NoFrame;
    frame->kind = PassiveFrame::Request;
    frame->address = identifier;
    m_polled = identifier;
    m_serviceAddress = NoPoll;
    return kPollLength;
}

bool TBusPassiveDecoder::replyFollows(const Head& head, int identifier) const
{
    return head.size >= kPollLength + kReplyLength && head.data[1] == identifier &&
           checksumHolds(head.data + kPollLength, kReplyLength);
}

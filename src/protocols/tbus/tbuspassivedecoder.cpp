#include "protocols/tbus/tbuspassivedecoder.h"

#include "port/serialport.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"

namespace {

const int kReplyLength = TBusEngine::PollReplyLength;
// The one service frame on these lines, the calibration request, and its reply.
const int kServiceLength = 6;
const int kPollLength = 1;
// A reply starts this soon after its poll, even through an adapter that
// delivers in 16 ms batches; a poll that came unanswered is followed later.
const int kReplyStartMs = 40;
// Silence this long after an identifier byte says nobody answered it: no reply
// starts so late, and no frame has a gap like it inside.
const int kUnansweredQuietMs = 60;
static_assert(kUnansweredQuietMs > kReplyStartMs && kUnansweredQuietMs <= PassiveDecoder::SettleMs,
              "a settled line has been quiet long enough to call a poll unanswered");

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
    m_answered.fill(false);
    m_heard.fill(false);
    m_polled = NoPoll;
    m_replySlotEnd = 0;
    m_frameEnd = 0;
    m_serviceAddress = NoPoll;
}

int TBusPassiveDecoder::frameAt(const Head& head, PassiveFrame* frame)
{
    const int length = frameHere(head, frame);
    if (length > 0)
        m_frameEnd = head.position + length;
    return length;
}

int TBusPassiveDecoder::frameHere(const Head& head, PassiveFrame* frame)
{
    const unsigned char first = head.data[0];
    const bool inReplySlot = m_polled != NoPoll && head.position < m_replySlotEnd;
    if (inReplySlot && first == m_polled)
        return replyAt(head, m_polled, frame);
    if (first == TBusEngine::ServiceMarker)
        return serviceAt(head, frame);
    if (m_isIdentifier[first]) {
        const int length = pollAt(head, inReplySlot, frame);
        if (length != NoFrame)
            return length;
    }
    // A reply whose poll came damaged still checks out where a frame starts,
    // or right behind that poll.
    if (replyStartsAt(head)) {
        if (head.size <= kReplyLength && !head.settled)
            return NeedMore;
        if (replyHolds(head) && !knownReplyBehind(head))
            return replyAt(head, first, frame);
    }
    return NoFrame;
}

// The XOR of a reply's four bytes is zero, so a damaged poll that came as its
// reply's checksum byte makes a second reply, one byte early, that holds as
// well: of two, the one from an identifier the line has used is taken.
bool TBusPassiveDecoder::knownReplyBehind(const Head& head) const
{
    const Head behind{head.data + 1,     head.size - 1,         true, head.settled, 0,
                      head.times + 1, head.position + 1};
    return !m_heard[head.data[0]] && replyStartsAt(behind) && replyHolds(behind) &&
           m_heard[behind.data[0]];
}

bool TBusPassiveDecoder::replyStartsAt(const Head& head)
{
    return (head.boundary || head.sinceBoundary == kPollLength) &&
           head.data[0] <= TBusEngine::IdentifierMask;
}

// The bytes of one reply come together: a checksum that holds across a long
// silence is chance.
bool TBusPassiveDecoder::replyHolds(const Head& head)
{
    return head.size >= kReplyLength && checksumHolds(head.data, kReplyLength) &&
           head.timeAt(kReplyLength - 1) - head.timeAt(0) < kReplyStartMs;
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
    m_answered[size_t(identifier)] = true;
    m_heard[size_t(identifier)] = true;
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

// Without a checksum, an identifier byte is a poll where its reply follows.
// Where none does, the bytes right behind a poll are its reply's, damaged,
// and no poll unless the line was quiet long enough for the poll to go
// unanswered; nor is the byte behind one rejected byte after a frame: that
// is a damaged poll, this its reply, damaged or not. Otherwise, where the
// identifier has answered before, the line says so: the reply's first byte
// follows with the rest damaged, or it stands alone between silence or frames,
// or the next poll follows answered. An identifier not heard from yet (a
// damaged poll is as likely to be any) needs more: the place right behind a
// frame, and either its reply's first byte or silence no reply keeps (silence
// alone is no frame start where an adapter batches). A byte followed by the
// reply of another identifier was a poll damaged on the way, and is none.
int TBusPassiveDecoder::pollAt(const Head& head, bool inReplySlot, PassiveFrame* frame)
{
    const int identifier = head.data[0] & TBusEngine::IdentifierMask;
    const int replyEnd = kPollLength + kReplyLength;
    if (head.size < replyEnd && !head.settled)
        return NeedMore;
    bool poll = false;
    if (head.size >= replyEnd && head.data[1] <= TBusEngine::IdentifierMask &&
        checksumHolds(head.data + kPollLength, kReplyLength)) {
        poll = head.data[1] == identifier;
    } else if ((inReplySlot && head.timeAt(0) - m_polledAtMs < kReplyStartMs) ||
               head.position == m_frameEnd + kPollLength ||
               (replyStartsAt(head) && replyHolds(head))) {
        poll = false;
    } else if (!m_answered[size_t(identifier)]) {
        const bool ownReplyStarts = head.size > kPollLength && head.data[1] == identifier;
        const bool unanswered = head.size > kPollLength
                                    ? head.timeAt(1) - head.timeAt(0) >= kUnansweredQuietMs
                                    : head.settled;
        poll = head.position == m_frameEnd && (ownReplyStarts || unanswered);
    } else if (head.size > kPollLength) {
        const bool nextPoll =
            m_isIdentifier[head.data[1]] && head.data[1] != TBusEngine::ServiceMarker;
        const Head next{head.data + kPollLength,
                        head.size - kPollLength,
                        false,
                        head.settled,
                        0,
                        head.times + kPollLength,
                        head.position + kPollLength};
        if (nextPoll && head.size < replyEnd + kPollLength && !head.settled)
            return NeedMore;
        poll = (nextPoll && replyFollows(next, head.data[1] & TBusEngine::IdentifierMask)) ||
               head.data[1] == identifier || head.quietAfter(0) || head.boundary;
    } else {
        poll = true; // alone on a quiet line
    }
    if (!poll)
        return NoFrame;
    frame->kind = PassiveFrame::Request;
    frame->address = identifier;
    m_heard[size_t(identifier)] = true;
    m_polled = identifier;
    m_polledAtMs = head.timeAt(0);
    m_replySlotEnd = head.position + replyEnd;
    m_serviceAddress = NoPoll;
    return kPollLength;
}

bool TBusPassiveDecoder::replyFollows(const Head& head, int identifier) const
{
    return head.size >= kPollLength + kReplyLength && head.data[1] == identifier &&
           checksumHolds(head.data + kPollLength, kReplyLength);
}

#include "protocols/omnicomm/omnicommpassivedecoder.h"

#include "protocols/omnicommengine.h"
#include "protocols/omnicommsensor.h"

namespace {

const int kCrcLength = 1;
const int kHeaderLength = 3;
const int kLongestFrame = OmniCommEngine::replyFrameLength(OmniCommEngine::ReadConfiguration, true);

bool crcHolds(const unsigned char* data, int length)
{
    return OmniCommEngine::crc8(data, length - kCrcLength) == data[length - kCrcLength];
}

} // namespace

OmniCommPassiveDecoder::OmniCommPassiveDecoder()
{
    resetProtocol();
}

QString OmniCommPassiveDecoder::protocolName() const
{
    return QStringLiteral("Omnicomm");
}

void OmniCommPassiveDecoder::applyLineSettings(SerialPort* port) const
{
    OmniCommEngine::applyLineSettings(port);
}

int OmniCommPassiveDecoder::longestFrame() const
{
    return kLongestFrame;
}

void OmniCommPassiveDecoder::resetProtocol()
{
    m_asked.fill(NoCode);
    m_dataFormat.fill(UnknownFormat);
}

int OmniCommPassiveDecoder::frameAt(const Head& head, PassiveFrame* frame)
{
    const unsigned char start = head.data[0];
    if (start != OmniCommEngine::RequestStart && start != OmniCommEngine::ReplyStart)
        return NoFrame;
    if (head.size < kHeaderLength)
        return NeedMore;
    frame->address = head.data[1];
    frame->function = head.data[2];
    return start == OmniCommEngine::RequestStart ? requestAt(head, frame) : replyAt(head, frame);
}

int OmniCommPassiveDecoder::requestAt(const Head& head, PassiveFrame* frame)
{
    const int length = OmniCommEngine::requestFrameLength(quint8(frame->function));
    if (length == 0)
        return NoFrame;
    if (head.size < length)
        return NeedMore;
    if (!crcHolds(head.data, length))
        return NoFrame;
    frame->kind = PassiveFrame::Request;
    m_asked[frame->address] = frame->function;
    return length;
}

int OmniCommPassiveDecoder::replyAt(const Head& head, PassiveFrame* frame)
{
    int lengths[2];
    const int count = replyLengths(quint8(frame->address), quint8(frame->function), lengths);
    bool needMore = false;
    int complete = 0;
    for (int i = 0; i < count; ++i) {
        if (head.size < lengths[i]) {
            needMore = true;
            continue;
        }
        if (crcHolds(head.data, lengths[i])) {
            frame->kind = PassiveFrame::Reply;
            describeReply(head.data, lengths[i], frame);
            m_asked[frame->address] = NoCode;
            return lengths[i];
        }
        complete = lengths[i];
    }
    if (needMore)
        return NeedMore;
    if (complete > 0 && head.boundary)
        reportChecksumFailure(frame->address, head.timeAt(complete - 1));
    return NoFrame;
}

// The lengths a reply of the code can have, the likelier first: a data frame
// also comes with the code of the switch to self-sending, whose own reply is short.
int OmniCommPassiveDecoder::replyLengths(quint8 address, quint8 code, int* lengths) const
{
    switch (code) {
    case OmniCommEngine::ReadConfiguration:
        lengths[0] = OmniCommEngine::replyFrameLength(code, false);
        lengths[1] = OmniCommEngine::replyFrameLength(code, true);
        return 2;
    case OmniCommEngine::EnableAutoMode: {
        const bool askedToSwitch = m_asked[address] == OmniCommEngine::EnableAutoMode;
        lengths[askedToSwitch ? 0 : 1] = OmniCommEngine::replyFrameLength(code, false);
        lengths[askedToSwitch ? 1 : 0] = OmniCommEngine::DataFrameLength;
        return 2;
    }
    default:
        lengths[0] = OmniCommEngine::replyFrameLength(code, false);
        return lengths[0] > 0 ? 1 : 0;
    }
}

void OmniCommPassiveDecoder::describeReply(const unsigned char* data, int length,
                                           PassiveFrame* frame)
{
    const int address = frame->address;
    if (length == OmniCommEngine::DataFrameLength &&
        (frame->function == OmniCommEngine::ReadData ||
         frame->function == OmniCommEngine::EnableAutoMode)) {
        const OmniCommEngine::DataFrame values = OmniCommEngine::parseDataFrame(data);
        SensorReading& reading = frame->reading;
        reading.error = SensorReading::NoError;
        reading.rawLevel = values.rawLevel;
        reading.levelKnown = m_dataFormat[address] != UnknownFormat;
        reading.level = float(values.rawLevel) /
                        OmniCommSensor::dataFormatFullScale(m_dataFormat[address]) * 100.0f;
        reading.hasFrequencyTemperature = true;
        reading.frequency = values.frequency;
        reading.temperature = values.temperature;
        frame->hasReading = true;
        frame->maySendUnasked = true;
        return;
    }
    if (frame->function == OmniCommEngine::ReadConfiguration) {
        const bool extended =
            length == OmniCommEngine::replyFrameLength(quint8(frame->function), true);
        m_dataFormat[address] = OmniCommEngine::parseConfiguration(data, extended).dataFormat;
        return;
    }
    // A write's reply is its status: 0 when the sensor took the value.
    if (OmniCommEngine::isParameterWriteCode(quint8(frame->function)) && data[kHeaderLength] != 0) {
        frame->status = data[kHeaderLength];
        frame->statusText = QStringLiteral("write refused");
    }
}

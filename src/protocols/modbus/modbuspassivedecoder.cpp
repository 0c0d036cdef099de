#include "protocols/modbus/modbuspassivedecoder.h"

#include "protocols/modbusengine.h"
#include "protocols/modbussensor.h"

#include <algorithm>

namespace {

const int kCrcLength = 2;
const int kLongestFrame = 256;
const int kExceptionLength = 5;
const unsigned char kExceptionFlag = 0x80;
const int kLastAddress = ModBusEngine::LastUnicastAddress;
// Requests of these functions are 8 bytes: address, function, two words, CRC.
const int kFixedRequestLength = 8;
// Replies that carry a byte count after address and function.
const int kCountedOverhead = 5;
// Write-multiple requests: address, function, start, quantity, byte count, data, CRC.
const int kWriteMultipleCountIndex = 6;
const int kWriteMultipleOverhead = 9;
const int kLevelRegisterBytes = 2;

enum Function : unsigned char {
    ReadCoils = 1,
    ReadDiscreteInputs = 2,
    ReadHoldingRegisters = 3,
    ReadInputRegisters = 4,
    WriteSingleCoil = 5,
    WriteSingleRegister = 6,
    Diagnostics = 8,
    WriteMultipleCoils = 15,
    WriteMultipleRegisters = 16
};

bool isRead(unsigned char function)
{
    return function >= ReadCoils && function <= ReadInputRegisters;
}

bool isKnown(unsigned char function)
{
    return isRead(function) || function == WriteSingleCoil || function == WriteSingleRegister ||
           function == Diagnostics || function == WriteMultipleCoils ||
           function == WriteMultipleRegisters;
}

bool crcHolds(const unsigned char* data, int length)
{
    return ModBusEngine::crc16(data, length - kCrcLength) ==
           (data[length - 2] | (data[length - 1] << 8));
}

} // namespace

QString ModBusPassiveDecoder::protocolName() const
{
    return QStringLiteral("ModBus");
}

void ModBusPassiveDecoder::applyLineSettings(SerialPort* port) const
{
    ModBusEngine::applyLineSettings(port);
}

QString ModBusPassiveDecoder::exceptionName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Illegal function");
    case 2:
        return QStringLiteral("Illegal data address");
    case 3:
        return QStringLiteral("Illegal data value");
    case 4:
        return QStringLiteral("Server device failure");
    case 5:
        return QStringLiteral("Acknowledge");
    case 6:
        return QStringLiteral("Server device busy");
    case 8:
        return QStringLiteral("Memory parity error");
    case 10:
        return QStringLiteral("Gateway path unavailable");
    case 11:
        return QStringLiteral("Gateway target device failed to respond");
    default:
        return QStringLiteral("Exception %1").arg(code);
    }
}

int ModBusPassiveDecoder::longestFrame() const
{
    return kLongestFrame;
}

void ModBusPassiveDecoder::resetProtocol()
{
    m_requestLength = 0;
}

int ModBusPassiveDecoder::frameAt(const Head& head, PassiveFrame* frame)
{
    if (head.data[0] > kLastAddress)
        return NoFrame;
    if (head.size < 2)
        return NeedMore;
    frame->address = head.data[0];
    const unsigned char function = head.data[1];
    frame->function = function & ~kExceptionFlag;
    const bool exception = function & kExceptionFlag;
    // A sensor may refuse a function this listener does not know.
    if (!exception && !isKnown(quint8(frame->function)))
        return NoFrame;
    // Broadcasts get no reply.
    if (exception && frame->address == 0)
        return NoFrame;
    int lengths[2] = {NoFrame, NoFrame};
    PassiveFrame::Kind kinds[2] = {PassiveFrame::Request, PassiveFrame::Reply};
    int count = 0;
    const bool replyFirst = expectsReply(head);
    if (exception) {
        lengths[count] = kExceptionLength;
        kinds[count++] = PassiveFrame::Reply;
    } else {
        lengths[replyFirst ? 1 : 0] = requestLength(head);
        kinds[replyFirst ? 1 : 0] = PassiveFrame::Request;
        lengths[replyFirst ? 0 : 1] = frame->address == 0 ? NoFrame : replyLength(head);
        kinds[replyFirst ? 0 : 1] = PassiveFrame::Reply;
        count = 2;
    }
    bool needMore = false;
    int complete = 0;
    for (int i = 0; i < count; ++i) {
        const int length = lengths[i];
        if (length == NeedMore || head.size < length) {
            needMore = true;
            continue;
        }
        if (length == NoFrame)
            continue;
        if (!crcHolds(head.data, length)) {
            complete = length;
            continue;
        }
        frame->kind = kinds[i];
        if (frame->kind == PassiveFrame::Reply) {
            describeReply(head.data, length, frame);
            m_requestLength = 0;
        } else {
            std::copy_n(head.data, length, m_request.begin());
            m_requestLength = length;
        }
        return length;
    }
    if (needMore)
        return NeedMore;
    // Only the reply awaited is a damaged frame of its address for sure.
    const bool awaited =
        m_requestLength >= 2 && m_request[0] == head.data[0] && m_request[1] == frame->function;
    if (complete > 0 && head.boundary && awaited)
        reportChecksumFailure(frame->address, head.timeAt(complete - 1));
    return NoFrame;
}

// A single write's reply repeats the request: only the request in flight tells
// them apart.
bool ModBusPassiveDecoder::expectsReply(const Head& head) const
{
    if (m_requestLength < 2 || m_request[0] != head.data[0] || m_request[1] != head.data[1])
        return false;
    const unsigned char function = head.data[1];
    if (function == WriteSingleCoil || function == WriteSingleRegister || function == Diagnostics)
        return head.size >= m_requestLength &&
               std::equal(m_request.cbegin(), m_request.cbegin() + m_requestLength, head.data);
    return true;
}

int ModBusPassiveDecoder::requestLength(const Head& head) const
{
    const unsigned char function = head.data[1];
    if (function != WriteMultipleCoils && function != WriteMultipleRegisters)
        return kFixedRequestLength;
    if (head.size <= kWriteMultipleCountIndex)
        return NeedMore;
    return kWriteMultipleOverhead + head.data[kWriteMultipleCountIndex];
}

int ModBusPassiveDecoder::replyLength(const Head& head) const
{
    const unsigned char function = head.data[1];
    if (!isRead(function))
        return kFixedRequestLength;
    if (head.size < 3)
        return NeedMore;
    const int count = head.data[2];
    // Registers come in whole words.
    if (count == 0 || (function >= ReadHoldingRegisters && count % 2 != 0))
        return NoFrame;
    return kCountedOverhead + count;
}

void ModBusPassiveDecoder::describeReply(const unsigned char* data, int length,
                                         PassiveFrame* frame) const
{
    if (data[1] & kExceptionFlag) {
        frame->exceptionCode = data[2];
        frame->exceptionName = exceptionName(data[2]);
        return;
    }
    // The level is holding register 0; a reply tells which registers it holds
    // only through the request.
    const bool levelAsked = m_requestLength == kFixedRequestLength &&
                            m_request[1] == ReadHoldingRegisters && m_request[2] == 0 &&
                            m_request[3] == 0;
    if (data[1] == ReadHoldingRegisters && levelAsked &&
        length >= kCountedOverhead + kLevelRegisterBytes) {
        frame->reading = ModBusSensor::readingOf(data, 0);
        frame->hasReading = true;
    }
}

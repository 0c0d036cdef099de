#include "tbusresponder.h"

#include "checksums.h"

namespace sim {

namespace {
const quint8 serviceStart = 0x3F;
const quint8 calibrationService = 0x53; // 'S'
const quint8 calibrationType = 0x12;
const quint8 setMinimum = 1;
const quint8 setMaximum = 2;
const int serviceLength = 6;

QByteArray littleEndian16(int value)
{
    QByteArray bytes;
    return bytes.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}
} // namespace

QByteArray TBusResponder::frame(quint8 head, const QByteArray& data)
{
    QByteArray bytes(1, char(head));
    bytes.append(data);
    return bytes.append(char(xorChecksum(bytes)));
}

QByteArray TBusResponder::fromOtherAddress(const QByteArray& reply) const
{
    QByteArray bytes = reply.left(reply.size() - 1);
    // A service reply names its sensor in byte 1; a level reply in its head byte.
    const int position = quint8(bytes[0]) == serviceStart ? 1 : 0;
    bytes[position] = char((quint8(bytes[position]) + 1) % serviceStart);
    return bytes.append(char(xorChecksum(bytes)));
}

int TBusResponder::predictLength(const QByteArray& head) const
{
    const quint8 first = quint8(head[0]);
    if (first == serviceStart) {
        if (head.size() < 3)
            return needMore;
        const bool known =
            isTbusIdentifierByte(quint8(head[1])) && quint8(head[2]) == calibrationService;
        return known ? serviceLength : notAFrame;
    }
    return isTbusIdentifierByte(first) ? 1 : notAFrame;
}

bool TBusResponder::checksumMatches(const QByteArray& frame) const
{
    if (frame.size() == 1)
        return true; // the identifier's check bits were checked when it was predicted
    return xorChecksum(frame.left(frame.size() - 1)) == quint8(frame.back());
}

void TBusResponder::answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies)
{
    const int identifier = quint8(frame.size() == 1 ? frame[0] : frame[1]) & 0x3F;
    SimSensor* sensor = sensorAt(identifier);
    if (!sensor)
        return;
    ++sensor->counters().requests;
    sensor->physics().advanceTo(nowMs);
    if (frame.size() == 1)
        answerPoll(frame, replies);
    else
        answerService(frame, replies);
}

void TBusResponder::answerPoll(const QByteArray& frame, QList<SimReply>* replies)
{
    SimSensor* sensor = sensorAt(quint8(frame[0]) & 0x3F);
    const QByteArray reply =
        TBusResponder::frame(quint8(sensor->address()), littleEndian16(sensor->tbusValue()));
    replies->append({sensor, reply, frame.size()});
}

void TBusResponder::answerService(const QByteArray& frame, QList<SimReply>* replies)
{
    SimSensor* sensor = sensorAt(quint8(frame[1]) & 0x3F);
    const quint8 type = quint8(frame[3]);
    const quint8 point = quint8(frame[4]);
    if (type != calibrationType || (point != setMinimum && point != setMaximum))
        return; // a service the sensor does not offer goes unanswered
    if (point == setMinimum)
        sensor->calibrateMinimum();
    else
        sensor->calibrateMaximum();
    ++sensor->counters().writesApplied;
    const int adc = point == setMinimum ? sensor->adcMinimum() : sensor->adcMaximum();
    QByteArray data;
    data.append(char(sensor->address())).append(char(point)).append(littleEndian16(adc));
    replies->append({sensor, TBusResponder::frame(serviceStart, data), frame.size()});
}

} // namespace sim

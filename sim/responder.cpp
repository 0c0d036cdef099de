#include "responder.h"

namespace sim {

Responder::Responder(SensorList& sensors)
    : sensors(sensors)
{}

QList<SimReply> Responder::receive(const QByteArray& bytes, qint64 nowMs)
{
    QList<SimReply> replies;
    buffer += bytes;
    while (!buffer.isEmpty()) {
        const int length = predictLength(buffer);
        if (length == needMore)
            break;
        if (length == notAFrame) {
            dropHeadByte();
            continue;
        }
        if (length > buffer.size())
            break;
        const QByteArray frame = buffer.left(length);
        // A bad check sum may mean the head byte only looked like a start: slide by one.
        if (!checksumMatches(frame)) {
            dropHeadByte();
            continue;
        }
        buffer.remove(0, length);
        answer(frame, nowMs, &replies);
    }
    return replies;
}

QByteArray Responder::unsolicitedFrame(SimSensor&, qint64)
{
    return QByteArray();
}

SimSensor* Responder::sensorAt(int address) const
{
    for (const auto& sensor : sensors) {
        if (sensor->address() == address)
            return sensor.get();
    }
    return nullptr;
}

void Responder::dropHeadByte()
{
    buffer.remove(0, 1);
    ++discarded;
}

} // namespace sim

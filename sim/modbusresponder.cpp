#include "modbusresponder.h"

#include "checksums.h"

namespace sim {

namespace {
const quint8 readHoldingRegisters = 0x03;
const quint8 writeSingleRegister = 0x06;
const quint8 illegalFunction = 0x01;
const quint8 illegalDataAddress = 0x02;
const quint8 illegalDataValue = 0x03;
const int levelRegister = 0;
const int addressRegister = 1;
const int highestAddress = 247;

int bigEndian16(const QByteArray& bytes, int position)
{
    return (quint8(bytes[position]) << 8) | quint8(bytes[position + 1]);
}

void appendBigEndian16(QByteArray* bytes, int value)
{
    bytes->append(char((value >> 8) & 0xFF)).append(char(value & 0xFF));
}
} // namespace

QByteArray ModBusResponder::frame(int address, quint8 function, const QByteArray& data)
{
    QByteArray bytes;
    bytes.append(char(address)).append(char(function)).append(data);
    const quint16 crc = crc16Modbus(bytes);
    return bytes.append(char(crc & 0xFF)).append(char(crc >> 8));
}

QByteArray ModBusResponder::fromOtherAddress(const QByteArray& reply) const
{
    const int other = quint8(reply[0]) % highestAddress + 1;
    return frame(other, quint8(reply[1]), reply.mid(2, reply.size() - 4));
}

int ModBusResponder::predictLength(const QByteArray& head) const
{
    if (quint8(head[0]) > highestAddress)
        return notAFrame;
    if (head.size() < 2)
        return needMore;
    const quint8 function = quint8(head[1]);
    // The standard's fixed-size requests, so that a sensor can also skip requests it
    // does not serve, and the two whose length is in a byte count.
    if (function >= 1 && function <= 6)
        return 8;
    if (function == 7 || function == 11 || function == 12 || function == 17)
        return 4;
    if (function == 15 || function == 16)
        return head.size() < 7 ? needMore : 9 + quint8(head[6]);
    return notAFrame;
}

bool ModBusResponder::checksumMatches(const QByteArray& frame) const
{
    const int size = frame.size();
    const quint16 received = quint8(frame[size - 2]) | (quint8(frame[size - 1]) << 8);
    return crc16Modbus(frame.left(size - 2)) == received;
}

void ModBusResponder::answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies)
{
    SimSensor* sensor = sensorAt(quint8(frame[0]));
    if (!sensor)
        return;
    ++sensor->counters().requests;
    sensor->physics().advanceTo(nowMs);
    const quint8 function = quint8(frame[1]);
    QByteArray reply;
    if (function == readHoldingRegisters)
        reply = readRegisters(*sensor, frame);
    else if (function == writeSingleRegister)
        reply = writeRegister(*sensor, frame);
    else
        reply = exception(sensor->address(), function, illegalFunction);
    replies->append({sensor, reply, frame.size()});
}

QByteArray ModBusResponder::readRegisters(SimSensor& sensor, const QByteArray& request)
{
    const int first = bigEndian16(request, 2);
    const int count = bigEndian16(request, 4);
    if (count < 1 || first + count > addressRegister + 1)
        return exception(sensor.address(), readHoldingRegisters, illegalDataAddress);
    QByteArray data(1, char(2 * count));
    for (int reg = first; reg < first + count; ++reg)
        appendBigEndian16(&data, reg == levelRegister ? sensor.modbusValue() : sensor.address());
    return frame(sensor.address(), readHoldingRegisters, data);
}

QByteArray ModBusResponder::writeRegister(SimSensor& sensor, const QByteArray& request)
{
    const int reg = bigEndian16(request, 2);
    const int value = bigEndian16(request, 4);
    if (reg != addressRegister)
        return exception(sensor.address(), writeSingleRegister, illegalDataAddress);
    if (value < 1 || value > highestAddress)
        return exception(sensor.address(), writeSingleRegister, illegalDataValue);
    // The echo goes out from the old address, before the sensor starts listening on the new one.
    const QByteArray reply = request;
    sensor.setAddress(value);
    ++sensor.counters().writesApplied;
    return reply;
}

QByteArray ModBusResponder::exception(int address, quint8 function, quint8 code)
{
    return frame(address, quint8(function | 0x80), QByteArray(1, char(code)));
}

} // namespace sim

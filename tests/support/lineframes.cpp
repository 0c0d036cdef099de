#include "support/lineframes.h"

#include "engine/enginefactory.h"
#include "protocols/modbusengine.h"
#include "protocols/omnicommengine.h"
#include "protocols/tbusengine.h"

namespace {

QByteArray bytesOf(const unsigned char* data, int length)
{
    return QByteArray(reinterpret_cast<const char*>(data), length);
}

QByteArray withModbusCrc(QByteArray frame)
{
    const quint16 crc = ModBusEngine::crc16(
        reinterpret_cast<const unsigned char*>(frame.constData()), frame.size());
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

} // namespace

QByteArray LineFrames::omnicommPoll(int address)
{
    const EngineCommand command = OmniCommEngine::levelPollCommand(quint8(address));
    return bytesOf(command.request, command.requestLength);
}

QByteArray LineFrames::omnicommData(int address, int rawLevel, quint8 code)
{
    const unsigned char frame[] = {OmniCommEngine::ReplyStart, quint8(address),       code, 21,
                                   quint8(rawLevel),           quint8(rawLevel >> 8), 0x10, 0x27};
    return bytesOf(frame, sizeof frame) + char(OmniCommEngine::crc8(frame, sizeof frame));
}

QByteArray LineFrames::modbusRead(int address)
{
    const unsigned char frame[] = {quint8(address), 0x03, 0x00, 0x00, 0x00, 0x01};
    return withModbusCrc(bytesOf(frame, sizeof frame));
}

QByteArray LineFrames::modbusReadReply(int address, int value)
{
    const unsigned char frame[] = {quint8(address), 0x03, 0x02, quint8(value >> 8), quint8(value)};
    return withModbusCrc(bytesOf(frame, sizeof frame));
}

QByteArray LineFrames::modbusException(int address, int function, int code)
{
    const unsigned char frame[] = {quint8(address), quint8(function | 0x80), quint8(code)};
    return withModbusCrc(bytesOf(frame, sizeof frame));
}

QByteArray LineFrames::modbusWriteRegister(int address, int reg, int value)
{
    const unsigned char frame[] = {quint8(address),    0x06,         quint8(reg >> 8), quint8(reg),
                                   quint8(value >> 8), quint8(value)};
    return withModbusCrc(bytesOf(frame, sizeof frame));
}

QByteArray LineFrames::tbusPoll(int address)
{
    return QByteArray(1, char(TBusEngine::identifierOf(quint8(address))));
}

QByteArray LineFrames::tbusReply(int address, int value)
{
    const unsigned char frame[] = {quint8(address), quint8(value), quint8(value >> 8)};
    return bytesOf(frame, sizeof frame) + char(TBusEngine::xorChecksum(frame, sizeof frame));
}

QByteArray LineFrames::exchange(quint32 busType, int address, int value, bool answered)
{
    switch (busType) {
    case EngineFactory::BusOmniComm:
        return omnicommPoll(address) + (answered ? omnicommData(address, value) : QByteArray());
    case EngineFactory::BusModBus:
        return modbusRead(address) + (answered ? modbusReadReply(address, value) : QByteArray());
    default:
        return tbusPoll(address) + (answered ? tbusReply(address, value) : QByteArray());
    }
}

QByteArray LineFrames::mixedCapture(quint32 busType, int exchanges)
{
    const int firstAddress = busType == EngineFactory::BusTBus ? 8 : 1;
    QByteArray capture;
    for (int i = 0; i < exchanges; ++i)
        capture += exchange(busType, firstAddress + i % 3, 1000 + i % 500, i % 7 != 6);
    return capture;
}

#include "checksums.h"

namespace sim {

quint8 crc8Maxim(const QByteArray& bytes)
{
    quint8 crc = 0;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint8((crc >> 1) ^ 0x8C) : quint8(crc >> 1);
    }
    return crc;
}

quint16 crc16Modbus(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

quint8 xorChecksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (char c : bytes)
        sum ^= quint8(c);
    return sum;
}

static int bitOf(int n, int bit)
{
    return (n >> bit) & 1;
}

quint8 tbusIdentifierByte(int n)
{
    n &= 0x3F;
    // Not the LIN 2.x protected identifier: these sensors put the parities the
    // other way round and do not invert either of them.
    const int p6 = bitOf(n, 1) ^ bitOf(n, 3) ^ bitOf(n, 4) ^ bitOf(n, 5);
    const int p7 = bitOf(n, 0) ^ bitOf(n, 1) ^ bitOf(n, 2) ^ bitOf(n, 4);
    return quint8(n | (p6 << 6) | (p7 << 7));
}

bool isTbusIdentifierByte(quint8 byte)
{
    return tbusIdentifierByte(byte & 0x3F) == byte;
}

} // namespace sim

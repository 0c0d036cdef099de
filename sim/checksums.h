#pragma once

#include <QByteArray>

// The check sums and identifier coding of the three protocols, as a sensor
// computes them. Kept apart from the program's own code on purpose.
namespace sim {

quint8 crc8Maxim(const QByteArray& bytes);
quint16 crc16Modbus(const QByteArray& bytes);
quint8 xorChecksum(const QByteArray& bytes);

// TBus frame identifier n (0..63) with its two check bits.
quint8 tbusIdentifierByte(int n);
// Whether a byte is an identifier byte with correct check bits.
bool isTbusIdentifierByte(quint8 byte);

} // namespace sim

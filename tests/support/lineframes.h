#pragma once

#include <QByteArray>
#include <QtGlobal>

// Frames of the three protocols as a master and its sensors put them on the
// line, built from the engines' own builders and checksums.
namespace LineFrames {

QByteArray omnicommPoll(int address);
// A data frame: a poll's reply or one the sensor sends by itself.
QByteArray omnicommData(int address, int rawLevel, quint8 code = 0x06);
QByteArray modbusRead(int address);
QByteArray modbusReadReply(int address, int value);
QByteArray modbusException(int address, int function, int code);
QByteArray modbusWriteRegister(int address, int reg, int value);
QByteArray tbusPoll(int address);
QByteArray tbusReply(int address, int value);

// A level poll of the address and, unless it stays silent, its reply.
QByteArray exchange(quint32 busType, int address, int value, bool answered = true);
// Sensors 1 to 3 (TBus 8 to 10) polled in turn, every seventh poll unanswered.
QByteArray mixedCapture(quint32 busType, int exchanges);

} // namespace LineFrames

#include "masterrequests.h"

#include "checksums.h"
#include "modbusresponder.h"

namespace sim {

namespace {
const quint8 omnicommRequestStart = 0x31;
const quint8 omnicommReadData = 0x06;
const quint8 omnicommReadConfiguration = 0xF5;
const quint8 readHoldingRegisters = 0x03;
const int levelRegister = 0;
const int addressRegister = 1;
const int missingRegisterNumber = 7;

QByteArray omnicommRequest(int address, quint8 code)
{
    QByteArray bytes;
    bytes.append(char(omnicommRequestStart)).append(char(address)).append(char(code));
    return bytes.append(char(crc8Maxim(bytes)));
}

QByteArray modbusRead(int address, int firstRegister)
{
    const char data[] = {char(firstRegister >> 8), char(firstRegister & 0xFF), 0, 1};
    return ModBusResponder::frame(address, readHoldingRegisters, QByteArray(data, sizeof data));
}
} // namespace

QByteArray MasterRequests::poll(Protocol protocol, int address)
{
    switch (protocol) {
    case Protocol::ModBus:
        return modbusRead(address, levelRegister);
    case Protocol::TBus:
        return QByteArray(1, char(tbusIdentifierByte(address)));
    case Protocol::Omnicomm:
        break;
    }
    return omnicommRequest(address, omnicommReadData);
}

QByteArray MasterRequests::missingRegister(int address)
{
    return modbusRead(address, missingRegisterNumber);
}

QByteArray MasterRequests::secondMaster(Protocol protocol, int address)
{
    switch (protocol) {
    case Protocol::ModBus:
        return modbusRead(address, addressRegister);
    case Protocol::TBus:
        break; // the poll is all a TBus sensor answers without changing anything
    case Protocol::Omnicomm:
        return omnicommRequest(address, omnicommReadConfiguration);
    }
    return poll(protocol, address);
}

} // namespace sim

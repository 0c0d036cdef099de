#pragma once

#include "port/hardwareserialport.h"

// The real port, keeping count of what the engine wrote and read, so a test can
// tell when every frame has crossed the line in both directions.
class CountingSerialPort : public HardwareSerialPort
{
    Q_OBJECT
public:
    using HardwareSerialPort::HardwareSerialPort;

    qint64 read(char* data, qint64 maxSize) override;
    qint64 write(const char* data, qint64 size) override;

    quint64 bytesRead() const { return m_bytesRead; }
    quint64 writes() const { return m_writes; }

private:
    quint64 m_bytesRead = 0;
    quint64 m_writes = 0;
};

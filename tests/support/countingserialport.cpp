#include "support/countingserialport.h"

#include <algorithm>

qint64 CountingSerialPort::read(char* data, qint64 maxSize)
{
    const qint64 count = HardwareSerialPort::read(data, maxSize);
    m_bytesRead += quint64(std::max<qint64>(count, 0));
    return count;
}

qint64 CountingSerialPort::write(const char* data, qint64 size)
{
    const qint64 written = HardwareSerialPort::write(data, size);
    m_writes += written > 0 ? 1 : 0;
    return written;
}

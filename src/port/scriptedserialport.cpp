#include "port/scriptedserialport.h"

#include <cstring>

ScriptedSerialPort::ScriptedSerialPort(QObject* parent)
    : SerialPort(parent)
{}

bool ScriptedSerialPort::open()
{
    ++openCount;
    m_lastError = failOpen ? openError : NoError;
    m_open = !failOpen;
    return m_open;
}

qint64 ScriptedSerialPort::read(char* data, qint64 maxSize)
{
    if (failReads) {
        m_lastError = readError;
        return -1;
    }
    const qint64 count = qMin<qint64>(maxSize, m_input.size());
    if (count > 0)
        std::memcpy(data, m_input.constData(), size_t(count));
    m_input.remove(0, int(count));
    return count;
}

qint64 ScriptedSerialPort::write(const char* data, qint64 size)
{
    if (failWrites) {
        m_lastError = WriteError;
        return -1;
    }
    writes.append(Write{QByteArray(data, int(size)), settings().Parity});
    return size;
}

QString ScriptedSerialPort::errorString() const
{
    return m_lastError == NoError
               ? QString()
               : explained(m_lastError, QStringLiteral("scripted error %1").arg(m_lastError));
}

void ScriptedSerialPort::feed(const QByteArray& bytes)
{
    m_input.append(bytes);
    emit readyRead();
}

QByteArray ScriptedSerialPort::writtenBytes() const
{
    QByteArray all;
    for (const Write& w : writes)
        all.append(w.bytes);
    return all;
}

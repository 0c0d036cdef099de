#pragma once

#include "port/serialport.h"

class QSerialPort;

// The real port, over QSerialPort. A name that starts with "/" is opened as the
// path it is, so pseudo-terminals and symlinks to them work like devices; the
// device is locked under its real path, whatever name reached it.
class HardwareSerialPort : public SerialPort
{
    Q_OBJECT
public:
    explicit HardwareSerialPort(QObject* parent = nullptr);

    QString portName() const override;
    void setPortName(const QString& name) override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    qint64 read(char* data, qint64 maxSize) override;
    qint64 write(const char* data, qint64 size) override;
    int lastError() const override;
    QString errorString() const override;
    // The last read failed because another program had taken the bytes.
    bool readByAnother() const;

protected:
    void applySettings() override;

private:
    bool lineFailed() const;
    QString deniedText() const;

    QSerialPort* m_port;
    QString m_name;
    QString m_device; // m_name resolved, as last opened
    bool m_inUse = false;
};

#pragma once

#include "port/portsettings.h"

#include <QObject>
#include <QString>

// The one serial port as the engines and the port manager see it. Everything
// that knows a concrete serial library lives behind this interface, so engines
// can be driven by a scripted port in tests.
class SerialPort : public QObject
{
    Q_OBJECT
public:
    // Kept apart from the library's own codes; the time-out code is what a
    // reader may ignore.
    enum Error {
        NoError = 0,
        OpenError = 1,
        ReadError = 2,
        WriteError = 3,
        TimeoutError = 4,
        DeviceRemovedError = 5,
        PermissionError = 6,
        NotFoundError = 7,
        UnknownError = 8,
        InUseError = 9 // another program has the device open, under whatever name
    };

    explicit SerialPort(QObject* parent = nullptr);

    virtual QString portName() const = 0;
    virtual void setPortName(const QString& name) = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Bytes read; 0 when nothing is pending; -1 on failure.
    virtual qint64 read(char* data, qint64 maxSize) = 0;
    // Bytes written; -1 on failure.
    virtual qint64 write(const char* data, qint64 size) = 0;
    virtual int lastError() const = 0;
    virtual QString errorString() const = 0;
    // Why a working line went away, in the user's words: for a device that has
    // gone the library often has nothing better than "Unknown error".
    QString lossText() const;
    static QString unpluggedText();

    const PortSettings& settings() const { return m_settings; }
    void setBaudRate(BaudRateType rate);
    void setDataBits(DataBitsType bits);
    void setParity(ParityType parity);
    void setStopBits(StopBitsType bits);
    void setFlowControl(FlowType flow);
    void setTimeout(int milliseconds);

signals:
    void readyRead();

protected:
    // The text of a failure, with what the user can do about it where that is
    // known: every port says it alike.
    static QString explained(int error, const QString& text);
    // Called after every change of settings(); an open port applies it at once.
    virtual void applySettings() = 0;

private:
    PortSettings m_settings;
};

#pragma once

#include "port/serialport.h"

#include <QByteArray>
#include <QList>

// An in-memory port for tests, benchmarks and fuzzing: it records every write
// with the parity in force, delivers bytes a test feeds, and fails on demand.
class ScriptedSerialPort : public SerialPort
{
    Q_OBJECT
public:
    struct Write
    {
        QByteArray bytes;
        ParityType parity;
    };

    explicit ScriptedSerialPort(QObject* parent = nullptr);

    QString portName() const override { return m_name; }
    void setPortName(const QString& name) override { m_name = name; }
    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    qint64 read(char* data, qint64 maxSize) override;
    qint64 write(const char* data, qint64 size) override;
    int lastError() const override { return m_lastError; }
    QString errorString() const override;

    // Appends to the pending input and signals readyRead().
    void feed(const QByteArray& bytes);
    // Appends to the pending input without a signal, as bytes that arrived
    // between two reads.
    void appendInput(const QByteArray& bytes) { m_input.append(bytes); }
    int pendingInput() const { return m_input.size(); }

    QList<Write> writes;
    QByteArray writtenBytes() const;

    // A failing open reports openError as the port's last error.
    bool failOpen = false;
    int openError = OpenError;
    bool failWrites = false;
    // A failing read reports readError as the port's last error.
    bool failReads = false;
    int readError = ReadError;
    int openCount = 0;

protected:
    void applySettings() override {}

private:
    QString m_name;
    QByteArray m_input;
    bool m_open = false;
    int m_lastError = NoError;
};

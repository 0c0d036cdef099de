#pragma once

#include "port/hardwareserialport.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class SerialEngine;
class SerialSensor;

// One engine of a sensor model on one real port: what every command of the
// tool runs on. The engine is dismantled, every command completed, before the
// port closes.
class LineSession : public QObject
{
    Q_OBJECT
public:
    explicit LineSession(int modelIndex, QObject* parent = nullptr);
    ~LineSession() override;

    // The codes of the models on that bus that have every one of the flags.
    static QStringList modelCodes(quint32 busType, quint32 flags = 0);

    SerialEngine* engine() const { return m_engine.get(); }
    QString modelCode() const;
    QString protocolName() const;
    QString portName() const { return m_port.portName(); }
    int baudRate() const;

    // A sensor at the address, as the user would add one; null when the
    // model's protocol has no such address.
    SerialSensor* addSensor(int address);
    bool open(const QString& portName, QString* error);
    void start(bool detection);

signals:
    // The line cannot serve: reading or writing the open port failed and the
    // engine has stopped, or noise never let the line fall quiet.
    void portFailed(const QString& reason);

private:
    void checkState();

    int m_modelIndex;
    HardwareSerialPort m_port;
    std::unique_ptr<SerialEngine> m_engine;
};

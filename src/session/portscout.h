#pragma once

#include "engine/serialengine.h"

#include <QList>
#include <QObject>
#include <QString>

class SerialPort;

// Sweeps one port with an engine of its own while the manager's line sweeps
// another, so that finding the line behind several silent ports takes about one
// sweep instead of one per port. It says whether anything answered there, and
// at which addresses; the manager then moves its line to that port.
class PortScout : public QObject
{
    Q_OBJECT
public:
    // Takes both; the engine is of the model the manager searches for.
    PortScout(SerialPort* port, SerialEngine* engine, QObject* parent = nullptr);

    // Opens the port and starts the sweep; false when the port does not open.
    bool start(const QString& portName);
    // Closes the port at once, so the manager can open it, and sends nothing more.
    void stop();
    QString portName() const;

signals:
    void finished(const QString& portName, bool answered, const QList<int>& found);

private:
    void slotEngineStateChanged(SerialEngine::State state);
    void finish(bool answered);

    SerialPort* m_port;
    SerialEngine* m_engine;
    bool m_finished = false;
};

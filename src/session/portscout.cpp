#include "session/portscout.h"

#include "engine/serialsensor.h"
#include "port/serialport.h"

PortScout::PortScout(SerialPort* port, SerialEngine* engine, QObject* parent)
    : QObject(parent)
    , m_port(port)
    , m_engine(engine)
{
    m_port->setParent(this);
    m_engine->setParent(this);
    // Queued: the answer is acted on outside the engine's own steps, since acting
    // on it closes the port under them.
    connect(m_engine, &SerialEngine::stateChanged, this, &PortScout::slotEngineStateChanged,
            Qt::QueuedConnection);
    connect(
        m_engine, &SerialEngine::detectionSweepFinished, this,
        [this] { finish(m_engine->hasDecoded()); }, Qt::QueuedConnection);
}

bool PortScout::start(const QString& portName)
{
    m_port->setPortName(portName);
    if (!m_port->open())
        return false;
    m_engine->setPort(m_port);
    m_engine->setAutoDetectSensorsEnabled(true);
    m_engine->resetStateMachine();
    return true;
}

void PortScout::stop()
{
    m_finished = true;
    m_engine->deinit();
    m_port->close();
}

QString PortScout::portName() const
{
    return m_port->portName();
}

void PortScout::slotEngineStateChanged(SerialEngine::State state)
{
    if (m_engine->hasDecoded())
        finish(true);
    else if (state == SerialEngine::PortError)
        finish(false);
}

void PortScout::finish(bool answered)
{
    if (m_finished)
        return;
    // Taken before the engine lets its sensors go.
    QList<int> found;
    for (const SerialSensor* sensor : m_engine->sensors())
        found << sensor->address();
    stop();
    emit finished(portName(), answered, found);
}

#include "linesession.h"

#include "engine/linestatistics.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "port/portsettings.h"
#include "session/enginefactory.h"

LineSession::LineSession(int modelIndex, QObject* parent)
    : QObject(parent)
    , m_modelIndex(modelIndex)
    , m_engine(EngineFactory::createSerialEngine(unsigned(modelIndex)))
{
    connect(m_engine.get(), &SerialEngine::stateChanged, this, &LineSession::checkState);
    connect(m_engine.get(), &SerialEngine::lineNoisy, this, [this](quint64 bytes, qint64 ms) {
        emit portFailed(LineStatistics::noisyLineText(bytes, ms));
    });
}

LineSession::~LineSession()
{
    const QList<SerialSensor*> sensors = m_engine->sensors();
    m_engine->deinit();
    qDeleteAll(sensors);
    m_engine.reset();
    m_port.close();
}

QStringList LineSession::modelCodes(quint32 busType, quint32 flags)
{
    return EngineFactory::modelCodes(busType, flags, flags);
}

QString LineSession::modelCode() const
{
    return EngineFactory::sensorTypes().value(m_modelIndex);
}

QString LineSession::protocolName() const
{
    return EngineFactory::protocolName(unsigned(m_modelIndex));
}

int LineSession::baudRate() const
{
    return baudRateValue(m_port.settings().BaudRate);
}

SerialSensor* LineSession::addSensor(int address)
{
    return m_engine->addSensorAtAddress(address);
}

bool LineSession::open(const QString& portName, QString* error)
{
    m_port.setPortName(portName);
    if (m_port.open())
        return true;
    *error = QStringLiteral("cannot open port %1: %2").arg(portName, m_port.errorString());
    // The port's own text says what to do when the port is there but not ours.
    const int reason = m_port.lastError();
    if (reason != SerialPort::PermissionError && reason != SerialPort::InUseError)
        *error += QStringLiteral("; check the name with \"nivelon-cli ports\"");
    return false;
}

void LineSession::start(bool detection)
{
    m_engine->setPort(&m_port);
    m_engine->setAutoDetectSensorsEnabled(detection);
    m_engine->resetStateMachine();
}

void LineSession::checkState()
{
    if (m_engine->state() != SerialEngine::PortError)
        return;
    const QString advice = m_port.readByAnother()
                               ? QStringLiteral("close that program (a terminal, another master) "
                                                "and run again")
                               : QStringLiteral("check the cable and the adapter");
    emit portFailed(QStringLiteral("port %1 failed: %2; %3")
                        .arg(m_port.portName(), m_port.errorString(), advice));
}

#include "port/serialportmanager.h"

#include "log/logger.h"
#include "port/hardwareserialport.h"
#include "port/portenumerator.h"
#include "settings/settingskeys.h"

#include <QSettings>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <cstdlib>

namespace {

const int kRetryIntervalMs = 100;
// Omnicomm detection is complete after two passes over its addresses; every
// protocol gets as many before its line is given up.
const int kSweepsBeforeLeaving = SerialEngine::DetectionExhausted;

struct StoredPortChoices
{
    QString usedPort;
    bool autoDetectPort = true;
    bool autoDetectAddress = true;
};

StoredPortChoices readPortChoices()
{
    QSettings settings;
    StoredPortChoices stored;
    stored.usedPort = settings.value(SettingsKeys::UsedPort).toString();
    stored.autoDetectPort =
        settings.value(SettingsKeys::AutoDetectPort, SettingsKeys::AutoDetectPortDefault).toBool();
    stored.autoDetectAddress =
        settings.value(SettingsKeys::AutoDetectAddress, SettingsKeys::AutoDetectAddressDefault)
            .toBool();
    return stored;
}

// A stored model index, or -1 when there is none or it is not a row of the table.
int readBusType()
{
    bool ok = false;
    const int stored = QSettings().value(SettingsKeys::BusType).toInt(&ok);
    return ok && stored >= 0 && EngineFactory::isValidType(unsigned(stored)) ? stored : -1;
}

QString modelName(int index)
{
    const QStringList codes = EngineFactory::sensorTypes();
    return index >= 0 && index < codes.size() ? codes.at(index) : QStringLiteral("none");
}

void portStatus(const QString& text)
{
    Logger::message(Logger::PortStatus, text);
}

} // namespace

SerialPortManager::Hooks SerialPortManager::defaultHooks()
{
    Hooks hooks;
    hooks.makePort = [](QObject* parent) {
        return new HardwareSerialPort(parent);
    };
    hooks.makeEngine = &EngineFactory::createSerialEngine;
    return hooks;
}

SerialPortManager::SerialPortManager(PortEnumerator* enumerator, QObject* parent, Hooks hooks)
    : QObject(parent)
    , m_hooks(std::move(hooks))
    , m_enumerator(enumerator)
    , m_retryTimer(new QTimer(this))
{
    qRegisterMetaType<SerialPortSettings>("SerialPortSettings");
    qRegisterMetaType<SerialPortInfo>("SerialPortInfo");
    const Hooks defaults = defaultHooks();
    if (!m_hooks.makePort)
        m_hooks.makePort = defaults.makePort;
    if (!m_hooks.makeEngine)
        m_hooks.makeEngine = defaults.makeEngine;
    m_port = m_hooks.makePort(this);
    m_retryTimer->setInterval(kRetryIntervalMs);

    connect(m_enumerator, &PortEnumerator::deviceDiscovered, this,
            &SerialPortManager::slotOnPortDiscovered);
    connect(m_enumerator, &PortEnumerator::deviceRemoved, this,
            &SerialPortManager::slotOnPortRemoved);
    connect(m_retryTimer, &QTimer::timeout, this, &SerialPortManager::slotOnPortListChanged);

    const StoredPortChoices stored = readPortChoices();
    m_autoDetectPort = stored.autoDetectPort;
    const QList<SerialPortInfo> ports = m_enumerator->getPorts();
    logPortList(ports);
    const bool opened = !ports.isEmpty() && openRememberedPort(ports, stored.usedPort);
    setBusType(unsigned(storedOrChosenBusType()));
    chooseFirstState(opened, stored.autoDetectAddress);
    setAutoDetectSensorsEnabled(stored.autoDetectAddress);
}

SerialPortManager::~SerialPortManager()
{
    QSettings settings;
    settings.setValue(SettingsKeys::UsedPort, m_port->portName());
    settings.setValue(SettingsKeys::AutoDetectPort, m_autoDetectPort);
}

void SerialPortManager::logPortList(const QList<SerialPortInfo>& ports)
{
    if (ports.isEmpty()) {
        portStatus(tr("No COM ports found"));
        return;
    }
    portStatus(tr("List of found COM port(s):"));
    for (int i = 0; i < ports.size(); ++i)
        portStatus(QStringLiteral("\t%1. %2").arg(i + 1).arg(ports.at(i).friendName));
}

bool SerialPortManager::openRememberedPort(const QList<SerialPortInfo>& ports,
                                           const QString& usedPort)
{
    QString name = ports.first().portName;
    for (const SerialPortInfo& info : ports) {
        if (info.portName == usedPort)
            name = usedPort;
    }
    m_port->setPortName(name);
    return openCurrentPort();
}

int SerialPortManager::storedOrChosenBusType()
{
    const int stored = readBusType();
    if (stored >= 0)
        return stored;
    const int chosen = m_hooks.askBusType ? m_hooks.askBusType() : -1;
    // Without a sensor model there is nothing to talk to: the user chose to leave.
    if (chosen < 0 || !EngineFactory::isValidType(unsigned(chosen)))
        std::exit(0);
    QSettings().setValue(SettingsKeys::BusType, chosen);
    return chosen;
}

void SerialPortManager::chooseFirstState(bool portOpened, bool autoDetectAddress)
{
    if (portOpened)
        setState(autoDetectAddress ? StateDetecting : StateNormal);
    else if (m_autoDetectPort)
        setState(StateDetecting);
}

bool SerialPortManager::isStarted() const
{
    return m_engine && m_engine->state() != SerialEngine::Stopped;
}

bool SerialPortManager::isAutoDetectSensorsEnabled() const
{
    if (!m_engine) {
        warnNoEngine(Q_FUNC_INFO);
        return false;
    }
    return m_engine->isAutoDetectSensorsEnabled();
}

QString SerialPortManager::detectionStateString() const
{
    return m_engine ? m_engine->detectionStateString() : QString();
}

SerialPortSettings SerialPortManager::serialPortSettings() const
{
    return SerialPortSettings{m_port->portName(), m_port->settings()};
}

void SerialPortManager::setBusType(unsigned index)
{
    if (int(index) != m_busType)
        installEngine(index);
}

void SerialPortManager::installEngine(unsigned index)
{
    // Made first: a model the table cannot build must not cost the working engine.
    SerialEngine* engine = m_hooks.makeEngine(index);
    if (!engine) {
        qWarning("No engine for sensor model %u", index);
        return;
    }
    if (int(index) != m_busType)
        qDebug("Switching bus type from %s to %s", qPrintable(modelName(m_busType)),
               qPrintable(modelName(int(index))));
    const bool autoDetect = m_engine && m_engine->isAutoDetectSensorsEnabled();
    const bool wasStopped = m_engine && m_engine->state() == SerialEngine::Stopped;
    dismantleEngine();

    m_engine = engine;
    m_engine->setParent(this);
    connect(m_engine, &SerialEngine::detectionStateChanged, this,
            &SerialPortManager::detectionStateChanged);
    m_busType = int(index);
    m_engine->setPort(m_port);
    connect(m_engine, &BaseEngine::sensorDetected, this, &SerialPortManager::sensorDetected);
    connect(m_engine, &SerialEngine::stateChanged, this,
            &SerialPortManager::slotEngineStateChanged);
    // Queued: the engine reports the end of a sweep from inside its own idle step,
    // which must finish before the port under it is closed.
    connect(m_engine, &SerialEngine::detectionSweepFinished, this,
            &SerialPortManager::slotEngineSweepFinished, Qt::QueuedConnection);
    QSettings().setValue(SettingsKeys::BusType, m_busType);
    resetEngine();
    m_engine->setAutoDetectSensorsEnabled(autoDetect);
    // A stopped line stays stopped under the new model until the user starts it.
    if (wasStopped)
        m_engine->setState(SerialEngine::Stopped);
}

void SerialPortManager::dismantleEngine()
{
    if (!m_engine)
        return;
    // Until the event loop deletes it, the old engine would still read the port
    // and swallow its successor's replies.
    disconnect(m_port, nullptr, m_engine, nullptr);
    disconnect(m_engine, nullptr, this, nullptr);
    m_engine->deinit();
    m_engine->deleteLater();
    m_engine = nullptr;
}

void SerialPortManager::start()
{
    portStatus(tr("Started"));
    setState(StateDetecting);
    if (m_port->isOpen())
        emit pollStateChanged(true);
}

void SerialPortManager::stop()
{
    portStatus(tr("Stopped"));
    // Otherwise the next retry would reopen a port and undo the stop.
    m_retryTimer->stop();
    closePort();
    if (m_engine)
        m_engine->setState(SerialEngine::Stopped);
    emit pollStateChanged(false);
}

void SerialPortManager::setAutoDetectSensorsEnabled(bool on)
{
    portStatus(on ? tr("Auto detect enabled") : tr("Auto detect disabled"));
    if (m_engine)
        m_engine->setAutoDetectSensorsEnabled(on);
    else
        warnNoEngine(Q_FUNC_INFO);
    QSettings().setValue(SettingsKeys::AutoDetectAddress, on);
}

void SerialPortManager::setSerialPort(const SerialPortInfo& info)
{
    // The port panel also reports selections it made itself when its list was
    // refreshed; none of those may close a working line and drop its sensors.
    if (info.portName.isEmpty() || m_autoDetectPort ||
        (info.portName == m_port->portName() && m_port->isOpen()))
        return;
    closePort();
    if (m_engine)
        m_engine->deinit();
    m_port->setPortName(info.portName);
    if (openCurrentPort())
        setState(StateDetecting);
}

void SerialPortManager::setPortDetection(bool on)
{
    m_autoDetectPort = on;
    QSettings().setValue(SettingsKeys::AutoDetectPort, on);
}

void SerialPortManager::setPortBaudRate(int index)
{
    if (index < 0 || index >= BaudRateCount)
        return;
    m_port->setBaudRate(BaudRateType(index));
    emit serialPortParametersChanged(serialPortSettings());
}

void SerialPortManager::slotOnPortListChanged()
{
    if (!m_port->isOpen() && m_autoDetectPort)
        setState(StateDetecting);
}

void SerialPortManager::slotOnRoutineFinished()
{
    Logger::debug("Detector", "Routine finished");
}

void SerialPortManager::slotOnDeviceDetected()
{
    Logger::debug("Detector", "Device detected");
}

void SerialPortManager::slotOnPortDiscovered(const SerialPortInfo& info)
{
    portStatus(tr("port %1 detected").arg(info.portName));
    if (m_port->isOpen())
        return;
    if (!m_autoDetectPort && info.portName != m_port->portName())
        return;
    setState(StateDetecting);
    // A line that comes back resumes polling; the Start action must say so.
    if (m_port->isOpen() && isStarted())
        emit pollStateChanged(true);
}

void SerialPortManager::slotOnPortRemoved(const SerialPortInfo& info)
{
    portStatus(tr("port %1 removed").arg(info.portName));
    if (info.portName != m_port->portName())
        return;
    closePort();
    if (!m_autoDetectPort)
        stop();
}

void SerialPortManager::slotEngineStateChanged(SerialEngine::State state)
{
    if (state == SerialEngine::WaitingReply) {
        if (m_state != StateNormal)
            setState(StateNormal);
    } else if (state == SerialEngine::PortError && m_autoDetectPort) {
        // Entering the search moves on by exactly one port.
        qDebug("Trying to open next port due to error");
        setState(StateDetecting);
    }
}

// Two whole sweeps of a running line found nobody: an open port where nobody
// answers is no better than one that fails. With no other port, stay and go on.
void SerialPortManager::slotEngineSweepFinished()
{
    if (!searchingForSensors()) {
        m_emptySweeps = 0;
        return;
    }
    if (++m_emptySweeps < kSweepsBeforeLeaving)
        return;
    m_emptySweeps = 0;
    portStatus(tr("No sensor answers on port %1").arg(m_port->portName()));
    if (hasOtherPort())
        setState(StateDetecting);
}

// The user lets the program choose the port, and the line it has is running
// without a sensor.
bool SerialPortManager::searchingForSensors() const
{
    return m_engine && m_engine->sensors().isEmpty() && m_engine->isAutoDetectSensorsEnabled() &&
           m_autoDetectPort && m_port->isOpen() && isStarted();
}

bool SerialPortManager::holdsSensors() const
{
    return m_engine && !m_engine->sensors().isEmpty();
}

bool SerialPortManager::hasOtherPort() const
{
    const QList<SerialPortInfo> ports = m_enumerator->getPorts();
    return std::any_of(ports.cbegin(), ports.cend(), [this](const SerialPortInfo& info) {
        return info.portName != m_port->portName();
    });
}

void SerialPortManager::setState(State newState)
{
    m_retryTimer->stop();
    const State oldState = m_state;
    m_state = newState;
    if (newState == StateDetecting) {
        if (m_engine)
            restartDetection(oldState);
        else
            warnNoEngine(Q_FUNC_INFO);
    }
    emit stateChanged();
}

void SerialPortManager::restartDetection(State oldState)
{
    if (!m_autoDetectPort && m_port->isOpen()) {
        resetEngine();
        return;
    }
    // The first entry keeps the port the construction opened. A closed port is
    // left to the retry timer while the search runs; without the search nothing
    // would ever reopen it, so that falls through and tries it again.
    if (oldState == StateInit && (m_port->isOpen() || m_autoDetectPort)) {
        resetEngine();
        m_retryTimer->start();
        return;
    }
    closePort();
    m_engine->setState(SerialEngine::Stopped);
    // Sensors answered on this port: when it fails, its adapter was most likely
    // unplugged and comes back under the same name, so the search waits for it
    // rather than settling on another port where those sensors never answer.
    const bool opened = m_autoDetectPort && !holdsSensors() ? openNextPort() : openCurrentPort();
    if (opened) {
        qDebug("Using port %s, resetting state machine", qPrintable(m_port->portName()));
        resetEngine();
    } else {
        qDebug("Port open error: %u", unsigned(m_port->lastError()));
        m_retryTimer->start();
    }
}

bool SerialPortManager::openCurrentPort()
{
    const bool opened = m_port->open();
    m_emptySweeps = 0;
    if (opened || m_port->portName() != m_failedPort) {
        portStatus(
            (opened ? tr("Opened port %1") : tr("Opening port %1 failed")).arg(m_port->portName()));
    }
    m_failedPort = opened ? QString() : m_port->portName();
    return opened;
}

bool SerialPortManager::openNextPort()
{
    const QList<SerialPortInfo> ports = m_enumerator->getPorts();
    const QString current = m_port->portName();
    closePort();
    if (ports.isEmpty())
        return false;
    int next = 0;
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).portName == current) {
            next = (i + 1) % ports.size();
            break;
        }
    }
    m_port->setPortName(ports.at(next).portName);
    return openCurrentPort();
}

void SerialPortManager::closePort()
{
    if (!m_port->isOpen())
        return;
    portStatus(tr("Closing port %1").arg(m_port->portName()));
    m_port->close();
}

void SerialPortManager::resetEngine()
{
    m_engine->resetStateMachine();
    m_emptySweeps = 0;
    emit serialPortParametersChanged(serialPortSettings());
}

void SerialPortManager::warnNoEngine(const char* function) const
{
    qWarning("%s doesn't work without engine", function);
}

#include "session/serialportmanager.h"

#include "engine/linestatistics.h"
#include "log/logger.h"
#include "port/hardwareserialport.h"
#include "port/portenumerator.h"
#include "session/portscout.h"
#include "session/portscouts.h"
#include "session/portsearchorder.h"
#include "settings/boundedsetting.h"
#include "settings/settingskeys.h"

#include <QSettings>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

const int kRetryIntervalMs = 100;
// Often enough that a line plugged back in is polled again within seconds, rare
// enough that waiting for it costs nothing.
const int kLostLineRetryMs = 1000;
// Omnicomm detection is complete after two passes over its addresses; every
// protocol gets as many before a line where something answered is given up.
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

int storedReplyTimeoutMs()
{
    return boundedSetting(QSettings(), SettingsKeys::ReplyTimeoutMs,
                          SettingsKeys::ReplyTimeoutMsDefault, 0,
                          SettingsKeys::ReplyTimeoutMsMaximum);
}

// A stored model index, or -1 when there is none or it is not a row of the table.
int readBusType()
{
    bool ok = false;
    const int stored = QSettings().value(SettingsKeys::BusType).toInt(&ok);
    return ok && stored >= 0 && EngineFactory::isValidType(unsigned(stored)) ? stored : -1;
}

QString answeredPort(int model)
{
    return QSettings().value(SettingsKeys::AnsweredPorts).toMap().value(QString::number(model)).toString();
}

void rememberAnsweredPort(int model, const QString& port)
{
    QSettings settings;
    QVariantMap ports = settings.value(SettingsKeys::AnsweredPorts).toMap();
    ports.insert(QString::number(model), port);
    settings.setValue(SettingsKeys::AnsweredPorts, ports);
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
    m_scouts = new PortScouts(
        [this]() -> PortScout* {
            SerialEngine* engine = m_hooks.makeEngine(unsigned(m_busType));
            if (!engine)
                return nullptr;
            engine->setReplyTimeoutMs(storedReplyTimeoutMs());
            return new PortScout(m_hooks.makePort(nullptr), engine);
        },
        this);
    connect(m_scouts, &PortScouts::answered, this, &SerialPortManager::slotScoutAnswered);

    connect(m_enumerator, &PortEnumerator::deviceDiscovered, this,
            &SerialPortManager::slotOnPortDiscovered);
    connect(m_enumerator, &PortEnumerator::deviceRemoved, this,
            &SerialPortManager::slotOnPortRemoved);
    connect(m_retryTimer, &QTimer::timeout, this, &SerialPortManager::slotOnPortListChanged);

    const StoredPortChoices stored = readPortChoices();
    m_autoDetectPort = stored.autoDetectPort;
    m_usedPort = stored.usedPort;
    const QList<SerialPortInfo> ports = m_enumerator->getPorts();
    logPortList(ports);
    // The search starts where the stored model's sensors answered last; a port
    // chosen by hand is kept.
    const bool opened =
        !ports.isEmpty() &&
        (m_autoDetectPort
             ? openRememberedPort(PortSearchOrder::sorted(ports, searchStart(readBusType())), {})
             : openRememberedPort(ports, m_usedPort));
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
    return m_engine && (m_engine->state() != SerialEngine::Stopped || isWaitingForLine());
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
    const bool switching = m_engine != nullptr;
    const bool autoDetect = m_engine && m_engine->isAutoDetectSensorsEnabled();
    const bool wasStopped = m_engine && !isStarted();
    m_scouts->restart();
    dismantleEngine();

    m_engine = engine;
    m_engine->setParent(this);
    connect(m_engine, &SerialEngine::detectionStateChanged, this,
            &SerialPortManager::detectionStateChanged);
    m_busType = int(index);
    m_engine->setPort(m_port);
    m_engine->setReplyTimeoutMs(storedReplyTimeoutMs());
    connect(m_engine, &BaseEngine::sensorDetected, this, &SerialPortManager::slotSensorDetected);
    connect(m_engine, &SerialEngine::stateChanged, this,
            &SerialPortManager::slotEngineStateChanged);
    connect(m_engine, &SerialEngine::lineNoisy, this, [this](quint64 bytes, qint64 ms) {
        const QString text = LineStatistics::noisyLineText(bytes, ms);
        portStatus(text);
        emit lineNoisy(text);
    });
    connect(m_engine, &SerialEngine::lineClean, this, [this] {
        portStatus(tr("the line has been clean for %1 s").arg(SerialEngine::CleanLineMs / 1000));
        emit lineClean();
    });
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
    else if (switching)
        searchFromAnsweredPort();
}

// The new model's sensors are most likely where they answered last time.
void SerialPortManager::searchFromAnsweredPort()
{
    const QString port = answeredPort(m_busType);
    if (!m_autoDetectPort || isLineLost() || port.isEmpty() || port == m_port->portName() ||
        !isListed(port))
        return;
    m_portToTry = port;
    setState(StateDetecting);
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
    m_scouts->restart();
    setState(StateDetecting);
    if (m_port->isOpen())
        emit pollStateChanged(true);
}

void SerialPortManager::stop()
{
    portStatus(tr("Stopped"));
    // Otherwise the next retry would reopen a port and undo the stop; a lost line
    // is no longer waited for either.
    m_retryTimer->stop();
    m_scouts->restart();
    closePort();
    if (m_engine)
        m_engine->setState(SerialEngine::Stopped);
    emit pollStateChanged(false);
}

void SerialPortManager::setAutoDetectSensorsEnabled(bool on)
{
    portStatus(on ? tr("Auto detect enabled") : tr("Auto detect disabled"));
    m_scouts->restart();
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
    m_scouts->restart();
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
    if (isLineLost() && isWorkingLine()) {
        if (!m_port->isOpen())
            reopenLine(m_lostPort);
    } else if (!m_port->isOpen() && m_autoDetectPort) {
        setState(StateDetecting);
    }
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
    if (isLineLost() && isWorkingLine()) {
        // With the search on, the adapter may come back under another name.
        if (info.portName == m_lostPort || m_autoDetectPort)
            reopenLine(info.portName);
        return;
    }
    // A port plugged in while no sensor is found is most likely the line.
    const bool searching = m_autoDetectPort && !holdsSensors();
    if (m_port->isOpen() && !(searching && isStarted()))
        return;
    if (!m_autoDetectPort && info.portName != m_port->portName())
        return;
    if (searching)
        m_portToTry = info.portName;
    setState(StateDetecting);
    // A line that comes back resumes polling; the Start action must say so.
    if (m_port->isOpen() && isStarted())
        emit pollStateChanged(true);
}

void SerialPortManager::slotOnPortRemoved(const SerialPortInfo& info)
{
    portStatus(tr("port %1 removed").arg(info.portName));
    if (info.portName != m_port->portName() || !m_port->isOpen())
        return;
    if (isWorkingLine()) {
        loseLine(SerialPort::unpluggedText());
        return;
    }
    closePort();
    m_retryTimer->start(kRetryIntervalMs);
}

void SerialPortManager::slotEngineStateChanged(SerialEngine::State state)
{
    if (isLineLost() && m_port->isOpen() && m_engine->hasDecoded())
        restoreLine();
    if (state == SerialEngine::WaitingReply || state == SerialEngine::WaitingEcho)
        scoutAhead();
    if (state == SerialEngine::WaitingReply) {
        if (m_state != StateNormal)
            setState(StateNormal);
    } else if (state == SerialEngine::PortError) {
        if (isWorkingLine() && m_port->isOpen()) {
            loseLine(m_port->lossText());
        } else if (m_autoDetectPort) {
            // Entering the search moves on by exactly one port.
            qDebug("Trying to open next port due to error");
            setState(StateDetecting);
        }
    }
}

void SerialPortManager::slotSensorDetected(BaseSensor* sensor)
{
    m_scouts->restart();
    rememberAnsweredPort(m_busType, m_port->portName());
    emit sensorDetected(sensor);
}

// While the line probes a port in vain, scouts probe the next ones.
void SerialPortManager::scoutAhead()
{
    if (!m_scouts->wantsMore() || !searchingForSensors() || m_engine->hasDecoded())
        return;
    m_scouts->scoutAhead(PortSearchOrder::sorted(m_enumerator->getPorts(), searchStart(m_busType)),
                         m_port->portName());
}

void SerialPortManager::slotScoutAnswered(const QString& port, const QList<int>& found)
{
    if (!searchingForSensors() || m_engine->hasDecoded())
        return;
    portStatus(tr("Sensors answer on port %1").arg(port));
    m_scouts->restart();
    m_scoutAnsweredPort = port;
    m_portToTry = port;
    setState(StateDetecting);
    // The scout's sensors are taken over rather than probed again: some slaves
    // do not answer a probe that follows one to another address.
    if (m_port->isOpen() && m_port->portName() == port) {
        for (int address : found)
            m_engine->slotAddSensorFromDialog(address);
    }
}

// The port of the working line failed or went away: it is closed, so that a dead
// descriptor cannot keep the event loop busy, and opened again once a second, or
// as soon as it is announced, until it is back.
void SerialPortManager::loseLine(const QString& reason)
{
    m_lostPort = m_port->portName();
    closePort();
    m_engine->setState(SerialEngine::Stopped);
    // Its failing openings are not worth a line each.
    m_failedPort = m_lostPort;
    const QString message =
        tr("Line lost: %1 (%2); waiting for it to come back").arg(m_lostPort, reason);
    portStatus(message);
    emit lineLost(message);
    m_retryTimer->start(kLostLineRetryMs);
}

void SerialPortManager::reopenLine(const QString& name)
{
    closePort();
    m_port->setPortName(name);
    if (!openCurrentPort())
        return;
    m_retryTimer->stop();
    resetEngine();
    // With sensors on it, the line is back once they answer: a port that merely
    // opens may be another device.
    if (!holdsSensors())
        restoreLine();
}

void SerialPortManager::restoreLine()
{
    portStatus(tr("Line restored: %1").arg(m_port->portName()));
    m_lostPort.clear();
    emit lineRestored();
}

// A running line's sweeps found nobody: an open port where nobody answers is no
// better than one that fails. With no other port, stay and go on.
void SerialPortManager::slotEngineSweepFinished()
{
    if (!searchingForSensors()) {
        m_emptySweeps = 0;
        return;
    }
    // Where nothing ever decoded (silence, echoes, noise) one sweep tells enough;
    // where something answered, a sensor may still be on its way. The scout's
    // last reply may still arrive after the line took its port over and spoil
    // the line's first probe there. A port found silent before in this round gets
    // a second sweep too: the first, quick one misses a slow sensor.
    const QString port = m_port->portName();
    const bool worthMore =
        m_engine->hasDecoded() || port == m_scoutAnsweredPort || m_scouts->swept().contains(port);
    const int sweeps = worthMore ? kSweepsBeforeLeaving : 1;
    if (++m_emptySweeps < sweeps)
        return;
    m_emptySweeps = 0;
    portStatus(tr("No sensor answers on port %1").arg(m_port->portName()));
    m_scouts->markSwept(m_port->portName());
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

// The line the user works on: the port chosen by hand, or the one the search
// found sensors on. When it fails it is waited for, not replaced.
bool SerialPortManager::isWorkingLine() const
{
    return !m_autoDetectPort || holdsSensors();
}

bool SerialPortManager::isWaitingForLine() const
{
    return isLineLost() && m_retryTimer->isActive();
}

bool SerialPortManager::isListed(const QString& port) const
{
    const QList<SerialPortInfo> ports = m_enumerator->getPorts();
    return std::any_of(ports.cbegin(), ports.cend(),
                       [&port](const SerialPortInfo& info) { return info.portName == port; });
}

QString SerialPortManager::searchStart(int model) const
{
    const QString answered = model >= 0 ? answeredPort(model) : QString();
    return answered.isEmpty() ? m_usedPort : answered;
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
        m_retryTimer->start(kRetryIntervalMs);
        return;
    }
    closePort();
    m_engine->setState(SerialEngine::Stopped);
    if (openSearchedPort()) {
        qDebug("Using port %s, resetting state machine", qPrintable(m_port->portName()));
        resetEngine();
    } else {
        qDebug("Port open error: %u", unsigned(m_port->lastError()));
        m_retryTimer->start(isLineLost() ? kLostLineRetryMs : kRetryIntervalMs);
    }
}

// Sensors answered on this port: when it fails, its adapter was most likely
// unplugged and comes back under the same name, so the search waits for it
// rather than settling on another port where those sensors never answer.
bool SerialPortManager::openSearchedPort()
{
    if (!m_autoDetectPort || isWorkingLine())
        return openCurrentPort();
    if (m_portToTry.isEmpty())
        return openNextPort();
    m_scouts->release(m_portToTry);
    m_port->setPortName(std::exchange(m_portToTry, QString()));
    return openCurrentPort();
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
    const QList<SerialPortInfo> ports =
        PortSearchOrder::sorted(m_enumerator->getPorts(), searchStart(m_busType));
    const QString current = m_port->portName();
    closePort();
    if (ports.isEmpty())
        return false;
    // Ports the scouts found silent in this round are skipped.
    const QString next = PortSearchOrder::after(ports, current, m_scouts->swept());
    m_scouts->release(next);
    m_port->setPortName(next);
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

#include "engine/serialengine.h"

#include "engine/finetimer.h"
#include "engine/linedatamessage.h"
#include "engine/serialsensor.h"
#include "log/logger.h"
#include "port/serialport.h"

#include <QDateTime>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

const int kReadChunk = 64;
// An idle step with nothing to send discards input once this much has piled up.
const int kIdleStrayLimit = 31;
// Bytes no protocol step consumes (a chattering line while stopped, say) must not
// pile up without bound.
const int kInputBufferLimit = 1024;
const int kStrayRecordLength = EngineCommand::ReplyCapacity;
// Whole sweeps after a start before detection goes on in the background: the
// first one fast, the next with the protocol's own window.
const int kSweepsBeforeBackground = 2;
// Input during a cool-down holds the next request back, but a line that never
// falls quiet must not stop the polls.
const int kLongestCoolDownGaps = 2;
// How much later than the gap a whole-millisecond timer may end a cool-down
// before the fine timer is worth its two system calls.
const qint64 kFineTimerWorthNs = 50000;
const qint64 kNsPerMs = 1000000;

} // namespace

SerialEngine::SerialEngine(quint32 features, QObject* parent)
    : BaseEngine(features, parent)
    , m_stateCheckTimer(new QTimer(this))
    , m_gapTimer(new FineTimer(this))
    , m_cleanLineTimer(new QTimer(this))
{
    m_cleanLineTimer->setObjectName(QStringLiteral("cleanLineTimer"));
    m_cleanLineTimer->setSingleShot(true);
    m_cleanLineTimer->setInterval(CleanLineMs);
    connect(m_cleanLineTimer, &QTimer::timeout, this, &SerialEngine::slotLineCleanAgain);
    qRegisterMetaType<SerialEngine::State>("SerialEngine::State");
    m_stateCheckTimer->setSingleShot(true);
    // A coarse timer may end a reply window a few percent early.
    m_stateCheckTimer->setTimerType(Qt::PreciseTimer);
    connect(m_stateCheckTimer, &QTimer::timeout, this, &SerialEngine::slotOnStateCheckTimeout);
    connect(m_gapTimer, &FineTimer::timeout, this, &SerialEngine::slotOnGapTimeout);
    m_probeSentMs.fill(-1);
    m_clock.start();
    m_clockEpochMs = QDateTime::currentMSecsSinceEpoch();
}

void SerialEngine::request(const EngineCommand& command)
{
    // A dismantled engine sends nothing more; the caller still gets its answer.
    if (m_state == Terminating) {
        EngineCommand canceled = command;
        canceled.executeCallback(CommandCallback::Canceled, nowMs());
        return;
    }
    m_commandQueue.enqueue(command);
    if (m_state == Idle)
        serveCommand();
}

void SerialEngine::setPort(SerialPort* port)
{
    m_port = port;
    setEnginePortLocks();
    connect(m_port, &SerialPort::readyRead, this, &SerialEngine::slotOnReadyRead);
}

void SerialEngine::resetStateMachine()
{
    if (m_port)
        m_port->setFlowControl(FLOW_OFF);
    setEnginePortLocks();
    m_lineEchoes = false;
    restartDetection();
    m_decoded = false;
    setState(Synchronizing);
}

void SerialEngine::setAutoDetectSensorsEnabled(bool enabled)
{
    const bool switchedOn = enabled && !isAutoDetectSensorsEnabled();
    BaseEngine::setAutoDetectSensorsEnabled(enabled);
    if (!enabled)
        m_detecting = false;
    // Switching detection on must not restart an engine the user has stopped.
    if (!enabled || !isRunning())
        return;
    if (m_sensors.isEmpty()) {
        resetStateMachine();
    } else if (switchedOn) {
        // Sensors may have come while nobody looked: a whole fast sweep, at once.
        restartDetection();
        m_detecting = true;
    }
}

void SerialEngine::restartDetection()
{
    m_pace.restart();
    m_probesAgain.clear();
    m_askedAgainWindowMs.fill(0);
    rewindDetection();
    resetDetectionState();
}

void SerialEngine::deinit()
{
    // Terminating first: a callback that asks again while we dismantle gets
    // Canceled at once instead of being sent.
    setState(Terminating);
    executeAndClearCurrentCommand(CommandCallback::Canceled);
    cancelQueuedCommands();
    m_currentSensorIndex = -1;
    const QList<SerialSensor*> sensors = std::exchange(m_sensors, {});
    for (SerialSensor* sensor : sensors)
        sensor->deleteLater();
}

void SerialEngine::setState(State newState)
{
    m_state = newState;
    // Looking the state's name up costs a quarter of an exchange: only done when
    // the section is there to receive it.
    if (Logger::isRegistered(Logger::EngineState))
        Logger::debug("EngineState", "Switcing to state %s",
                      enumValueToCharStar(this, "State", newState));
    switch (newState) {
    case Synchronizing:
        m_quietWait.start(m_clock.elapsed());
        m_noiseMeter.restart();
        m_noiseReported = false;
        break;
    case ReplyCooldown:
        m_coolDownSinceNs = m_clock.nsecsElapsed();
        break;
    case Error:
    case Stopped:
        clearCommandQueue();
        break;
    case Idle:
        if (!m_commandQueue.isEmpty())
            serveCommand();
        else
            runIdleStep();
        break;
    default:
        break;
    }
    armStateCheckTimer(newState);
    emit stateChanged(m_state);
}

void SerialEngine::armStateCheckTimer(State newState)
{
    // Every request gets the whole reply window, however it was sent: a shorter
    // one would miss sensors that answer in good time. A probe gets only what
    // its sweep gives it.
    // A request sent from the idle entry has armed its reply window already,
    // with just what would be armed here.
    if (m_state == WaitingReply && newState != WaitingReply)
        return;
    int interval = stateCheckTimeoutInterval(newState);
    if (m_state == WaitingReply)
        interval = m_probeWindowMs > 0 ? m_probeWindowMs : replyWindowMs();
    if (m_state == Synchronizing)
        interval = std::max(interval, m_minimumQuietMs);
    // The next request leaves as soon as the line is free, not on a tick.
    if (m_state == ReplyCooldown) {
        armCoolDownEnd(m_coolDownSinceNs);
        return;
    }
    if (interval == 0) {
        m_stateCheckTimer->stop();
    } else if (interval > 0) {
        m_stateCheckTimer->stop();
        m_stateCheckTimer->setInterval(interval);
        m_stateCheckTimer->start();
    }
}

int SerialEngine::stateCheckTimeoutInterval(State state) const
{
    static const int kIntervals[] = {200, 50, 10, 100, 10, 500, 500, 0, 0};
    if (state < Synchronizing || state > Terminating)
        return -1;
    return kIntervals[state];
}

double SerialEngine::interFrameGapMs() const
{
    return stateCheckTimeoutInterval(ReplyCooldown);
}

qint64 SerialEngine::remainingGapNs(qint64 nowNs) const
{
    const double gapNs = interFrameGapMs() * 1e6;
    const double quietAtNs =
        std::min(m_lineBusyAtNs + gapNs, m_coolDownSinceNs + kLongestCoolDownGaps * gapNs);
    return std::max<qint64>(0, qint64(std::ceil(quietAtNs - double(nowNs))));
}

// The state-check timer, in whole milliseconds rounded up, always: it never ends
// the gap early, and it still ends it where the fine timer is missing.
void SerialEngine::armCoolDownEnd(qint64 nowNs)
{
    const qint64 remainingNs = remainingGapNs(nowNs);
    const int wholeMs = int((remainingNs + kNsPerMs - 1) / kNsPerMs);
    setStateCheckTimeout(wholeMs);
    if (wholeMs * kNsPerMs - remainingNs > kFineTimerWorthNs)
        m_gapTimer->start(remainingNs);
}

void SerialEngine::slotOnGapTimeout()
{
    // Started for an earlier cool-down, it may fire early in this one.
    if (m_state == ReplyCooldown && remainingGapNs(m_clock.nsecsElapsed()) == 0)
        slotOnStateCheckTimeout();
}

int SerialEngine::replyWindowMs() const
{
    return std::max(m_replyTimeoutMs, stateCheckTimeoutInterval(WaitingReply));
}

void SerialEngine::runIdleStep()
{
    // A probe to be asked again is due at once: its sensor is there.
    bool probing = m_detecting && (isProbeDue() || !m_probesAgain.isEmpty());
    EngineCommand command = probing ? nextProbe() : pollNextSensorLevel();
    // A line with nothing to poll is free for probes, due or not.
    if (!probing && command.kind == EngineCommand::None && isAutoDetectSensorsEnabled()) {
        probing = true;
        command = nextProbe();
    }
    // Polls and probes alternate; a probe that is not yet due waits its turn.
    m_detecting = isAutoDetectSensorsEnabled() && !probing;
    if (probing && command.kind != EngineCommand::None)
        prepareProbe(command);

    switch (command.kind) {
    case EngineCommand::LevelPoll:
        if (SerialSensor* sensor = currentSensor())
            sensor->invokeCoolDown();
        Q_FALLTHROUGH();
    case EngineCommand::Plain:
        logAndClearStrayData(-1);
        request(command);
        break;
    default:
        if (m_inputBuffer.size() > kIdleStrayLimit)
            logAndClearStrayData(-1);
        break;
    }
}

bool SerialEngine::isDetectionInBackground() const
{
    return !m_pace.isFirstSweep() && m_detectionState >= kSweepsBeforeBackground;
}

bool SerialEngine::isProbeDue() const
{
    return !isDetectionInBackground() || m_pace.isProbeDue(m_clock.elapsed());
}

EngineCommand SerialEngine::nextProbe()
{
    while (!m_probesAgain.isEmpty()) {
        const EngineCommand probe = m_probesAgain.takeFirst();
        if (!commandSensor(probe))
            return probe;
    }
    return detectNext();
}

// The progress bar follows the sweeps until they have run; in the background
// it has nothing more to show.
void SerialEngine::prepareProbe(const EngineCommand& probe)
{
    const bool background = isDetectionInBackground();
    m_widenedSinceProbe = false;
    m_probeInFlight = true;
    const int address = commandAddress(probe);
    if (address >= 0 && address < int(m_probeSentMs.size()))
        m_probeSentMs[size_t(address)] = m_clock.elapsed();
    if (background)
        m_pace.probeSent(m_clock.elapsed());
    else
        emit detectionStateChanged(m_detectionState);
    if (!m_port)
        return;
    m_probeWireMs = wireMilliseconds(m_port->settings(), probe.requestLength + probe.replyLength);
    if (m_replyTimeoutMs > 0) {
        m_probeWindowMs = m_replyTimeoutMs;
        return;
    }
    const int paced = m_pace.windowMs(m_port->settings(), probe.requestLength, probe.replyLength,
                                      replyWindowMs());
    // The sweeps after the first give at least the idle interval, for a sensor
    // the first one missed.
    m_probeWindowMs = background || m_pace.isFirstSweep()
                          ? paced
                          : std::max(paced, stateCheckTimeoutInterval(Idle));
}

void SerialEngine::probeAgain(const EngineCommand& probe)
{
    const int address = commandAddress(probe);
    if (address < 0 || address >= int(m_askedAgainWindowMs.size()) || commandSensor(probe) ||
        !m_port)
        return;
    const int window = m_replyTimeoutMs > 0
                           ? m_replyTimeoutMs
                           : m_pace.windowMs(m_port->settings(), probe.requestLength,
                                             probe.replyLength, replyWindowMs());
    int& asked = m_askedAgainWindowMs[size_t(address)];
    if (asked >= window)
        return;
    asked = window;
    m_probesAgain.append(probe);
}

void SerialEngine::finishSweep()
{
    m_askedAgainWindowMs.fill(0);
    m_pace.finishSweep();
    advanceDetectionState();
    emit detectionSweepFinished();
}

EngineCommand SerialEngine::pollNextSensorLevel()
{
    const int index = nextSensor();
    return index < 0 ? EngineCommand() : m_sensors.at(index)->pollLevel();
}

int SerialEngine::nextSensor()
{
    const int count = m_sensors.size();
    if (count == 0) {
        m_currentSensorIndex = -1;
        return -1;
    }
    // Every sensor is offered at least once, the first one twice.
    for (int failedTries = 0; failedTries <= count; ++failedTries) {
        m_currentSensorIndex =
            m_currentSensorIndex < count ? (m_currentSensorIndex + 1) % count : 0;
        if (readyToPoll(m_sensors.at(m_currentSensorIndex)))
            return m_currentSensorIndex;
    }
    return -1;
}

void SerialEngine::serveCommand()
{
    logAndClearStrayData(-1);
    if (m_commandQueue.isEmpty()) {
        Logger::message(Logger::Error, QStringLiteral("Unexpected empty commandQueue"));
        return;
    }
    const EngineCommand command = takeNextCommand();
    if (Logger::isRegistered(Logger::EngineState))
        Logger::debug("EngineState", "Serving command %s", qPrintable(command.toString()));
    const qint64 written = m_port ? m_port->write(reinterpret_cast<const char*>(command.request),
                                                  command.requestLength)
                                  : -1;
    if (written < 0) {
        failWrite();
        return;
    }
    setState(WaitingReply);
}

EngineCommand SerialEngine::takeNextCommand()
{
    if (m_commandInFlight)
        executeAndClearCurrentCommand(CommandCallback::Failed);
    m_currentCommand = m_commandQueue.dequeue();
    m_commandInFlight = true;
    // Taken just before the write, which every sending step does next.
    m_writtenAtNs = m_clock.nsecsElapsed();
    return m_currentCommand;
}

void SerialEngine::failWrite()
{
    Logger::message(Logger::Error, QStringLiteral("Port write failure"));
    executeAndClearCurrentCommand(CommandCallback::Failed);
    setState(PortError);
}

void SerialEngine::executeAndClearCurrentCommand(CommandCallback::Result result)
{
    if (!m_commandInFlight)
        return;
    // Clear before calling back: the callback may queue, and even send, the next
    // command, which must not be wiped out afterwards.
    EngineCommand command = m_currentCommand;
    m_currentCommand.clear();
    m_commandInFlight = false;
    m_probeWindowMs = 0;
    m_probeInFlight = false;
    m_decoded = m_decoded || result == CommandCallback::Ok;
    if (command.requestLength != 0 && command.replyLength != 0 &&
        Logger::isRegistered(Logger::LineData))
        Logger::message(LineDataMessage(command, result));
    const qint64 clockNs = m_clock.nsecsElapsed();
    // A reply has just been read: the line was busy until now.
    m_lineBusyAtNs = clockNs;
    recordExchange(command, result, clockNs);
    command.executeCallback(result, nowMs(clockNs));
}

void SerialEngine::recordExchange(const EngineCommand& command, CommandCallback::Result result,
                                  qint64 clockNs)
{
    if (SerialSensor* sensor = commandSensor(command))
        sensor->lineStatistics().record(result, (clockNs - m_writtenAtNs) / 1000, nowMs(clockNs));
}

qint64 SerialEngine::recordHeard(SerialSensor* sensor)
{
    const qint64 heardMs = nowMs();
    if (sensor)
        sensor->lineStatistics().recordUnsolicited(heardMs);
    return heardMs;
}

void SerialEngine::clearCommandQueue()
{
    executeAndClearCurrentCommand(CommandCallback::Failed);
    cancelQueuedCommands();
}

void SerialEngine::cancelQueuedCommands()
{
    // What a callback queues while we cancel stays queued for later: taking the
    // queue first keeps a callback that always asks again from looping forever.
    QQueue<EngineCommand> canceled = std::exchange(m_commandQueue, {});
    while (!canceled.isEmpty())
        canceled.dequeue().executeCallback(CommandCallback::Canceled, nowMs());
}

void SerialEngine::slotOnReadyRead()
{
    const bool coolingDown = m_state == ReplyCooldown;
    const quint64 heardBefore = m_bytesHeard;
    if (!readPort())
        return;
    if (!m_inputBuffer.isEmpty())
        repackInput();
    // A byte that trails the reply, or another sensor's frame, keeps the line
    // busy: the gap counts again from it.
    if (coolingDown && m_state == ReplyCooldown && m_bytesHeard != heardBefore) {
        m_lineBusyAtNs = m_clock.nsecsElapsed();
        armCoolDownEnd(m_lineBusyAtNs);
    }
    if (m_inputBuffer.size() > kInputBufferLimit)
        logAndClearStrayData(-1);
}

bool SerialEngine::readPort()
{
    if (!m_port)
        return true;
    char chunk[kReadChunk];
    qint64 count = 0;
    while ((count = m_port->read(chunk, kReadChunk)) > 0) {
        m_inputBuffer.append(chunk, int(count));
        m_bytesHeard += quint64(count);
        if (m_state == Synchronizing)
            m_quietWait.heard(count);
    }
    if (count < 0 && m_port->lastError() != SerialPort::TimeoutError) {
        setState(PortError);
        return false;
    }
    return true;
}

void SerialEngine::slotOnStateCheckTimeout()
{
    if (m_state == Stopped || m_state == Terminating)
        return;
    const int buffered = m_inputBuffer.size();
    const quint64 heardBefore = m_bytesHeard;
    if (!readPort())
        return;
    if (m_inputBuffer.size() > buffered) {
        const State before = m_state;
        repackInput();
        if (m_state != before)
            return;
    }
    if (Logger::isRegistered(Logger::EngineState))
        Logger::debug("EngineState", "State check timeout %s",
                      enumValueToCharStar(this, "State", m_state));
    switch (m_state) {
    case Synchronizing:
        endQuietWait();
        setState(Idle);
        break;
    case ReplyCooldown:
        // Heard just now, before its readyRead came: not free yet.
        if (m_bytesHeard != heardBefore) {
            m_lineBusyAtNs = m_clock.nsecsElapsed();
            if (remainingGapNs(m_lineBusyAtNs) > 0) {
                armCoolDownEnd(m_lineBusyAtNs);
                break;
            }
        }
        setState(Idle);
        break;
    case Idle:
    case Error:
        setState(Idle);
        break;
    case WaitingEcho:
        executeAndClearCurrentCommand(CommandCallback::NoEcho);
        setState(Error);
        break;
    case WaitingReply: {
        const bool cutShort = m_probeInFlight && replyBegun();
        const EngineCommand command = m_currentCommand;
        executeAndClearCurrentCommand(replyWindowClosed());
        if (cutShort) {
            noteLateAnswer();
            probeAgain(command);
        }
        setState(Idle);
        break;
    }
    default:
        break;
    }
}

void SerialEngine::addSensor(SerialSensor* sensor)
{
    m_sensors.append(sensor);
    connect(sensor, &SerialSensor::deinitialised, this, [this, sensor] { removeSensor(sensor); });
    connect(sensor, &SerialSensor::coolDownEnded, this, &SerialEngine::idleCheck);
}

void SerialEngine::removeSensor(SerialSensor* sensor)
{
    m_sensors.removeAll(sensor);
    clearCommandQueue();
    // Removing a sensor must not restart an engine the user has stopped.
    if (isRunning())
        setState(Idle);
    resetDetectionState();
    afterRemovedSensor();
}

void SerialEngine::setSensorAddresses(int first, int last)
{
    m_firstSensorAddress = first;
    m_lastSensorAddress = last;
}

AddSensorPrompt SerialEngine::addSensorPrompt() const
{
    return {tr("Address"), m_firstSensorAddress, m_lastSensorAddress};
}

SerialSensor* SerialEngine::addSensorAtAddress(int address)
{
    if (address < m_firstSensorAddress || address > m_lastSensorAddress ||
        (!sharesAddresses() && isAddressBusy(uint8_t(address))))
        return nullptr;
    SerialSensor* sensor = createSensor();
    sensor->setAddress(uint8_t(address));
    emit sensorDetected(sensor);
    sensorAdded(sensor);
    return sensor;
}

void SerialEngine::slotAddSensorFromDialog(int address)
{
    addSensorAtAddress(address);
}

void SerialEngine::idleCheck()
{
    if (m_state == Idle)
        setState(Idle);
}

bool SerialEngine::readyToPoll(SerialSensor* sensor)
{
    return !sensor->isCoolingDown();
}

SerialSensor* SerialEngine::currentSensor() const
{
    if (m_currentSensorIndex < 0 || m_currentSensorIndex >= m_sensors.size())
        return nullptr;
    return m_sensors.at(m_currentSensorIndex);
}

SerialSensor* SerialEngine::sensorByAddress(uint8_t address) const
{
    for (SerialSensor* sensor : m_sensors) {
        if (sensor->address() == address)
            return sensor;
    }
    return nullptr;
}

bool SerialEngine::isAddressBusy(uint8_t address) const
{
    return sensorByAddress(address) != nullptr;
}

bool SerialEngine::isRunning() const
{
    return m_state != Stopped && m_state != Terminating && m_state != PortError;
}

void SerialEngine::inputBufferRemoveHead(int n)
{
    if (n > 0)
        m_inputBuffer.remove(0, n);
}

void SerialEngine::inputBufferClear()
{
    m_inputBuffer.clear();
}

void SerialEngine::inputBufferMoveHead(int n, EngineCommand& command)
{
    const int moved = std::min({n, int(EngineCommand::ReplyCapacity), int(m_inputBuffer.size())});
    if (command.replyLength == 0)
        command.replyLength = quint8(moved);
    command.receivedLength = quint8(moved);
    std::copy_n(m_inputBuffer.constData(), moved, command.reply);
    inputBufferRemoveHead(n);
}

void SerialEngine::logAndClearStrayData(int n)
{
    if (n < 0 || n > m_inputBuffer.size())
        n = m_inputBuffer.size();
    if (n == 0)
        return;
    EngineCommand record;
    record.replyLength = quint8(std::min(n, kStrayRecordLength));
    record.receivedLength = record.replyLength;
    std::copy_n(m_inputBuffer.constData(), record.replyLength, record.reply);
    inputBufferRemoveHead(n);
    Logger::message(LineDataMessage(record, CommandCallback::Stray));
    recordNoise(n);
}

// Input nobody asked for while probing is most likely an answer that came after
// its window had closed.
void SerialEngine::recordNoise(int bytes)
{
    // What the line held before the first request was left by an earlier
    // master: the quiet wait drains it, and it is no noise of this one's.
    if (m_state == Synchronizing)
        return;
    for (SerialSensor* sensor : qAsConst(m_sensors))
        sensor->lineStatistics().recordNoise(bytes);
    if (!m_port)
        return;
    noteLateAnswer();
    // An eighth of what the line can carry: far more than late answers and the
    // odd damaged frame of a working line.
    const double eighthMs = wireMilliseconds(m_port->settings(), 8);
    if (eighthMs > 0 &&
        m_noiseMeter.add(bytes, m_clock.elapsed(), qint64(NoiseMeter::SecondMs / eighthMs)))
        reportNoise(m_noiseMeter.noisyBytes(), m_noiseMeter.noisyMs());
}

void SerialEngine::reportNoise(quint64 bytes, qint64 milliseconds)
{
    m_cleanLineTimer->start();
    if (std::exchange(m_noiseReported, true))
        return;
    emit lineNoisy(bytes, milliseconds);
}

// Noise heard again after this is told again.
void SerialEngine::slotLineCleanAgain()
{
    m_noiseReported = false;
    emit lineClean();
}

void SerialEngine::noteLateAnswer(int address)
{
    const qint64 sentMs =
        address >= 0 && address < int(m_probeSentMs.size()) ? m_probeSentMs[size_t(address)] : -1;
    if (sentMs >= 0) {
        m_pace.learn(m_clock.elapsed() - sentMs, m_probeWireMs);
        m_widenedSinceProbe = true;
    } else if ((m_pace.isFirstSweep() || isDetectionInBackground()) &&
               !std::exchange(m_widenedSinceProbe, true)) {
        m_pace.widen();
    }
}

SerialEngine::Echo SerialEngine::removeEcho()
{
    const int length = m_currentCommand.requestLength;
    const int compared = std::min(length, int(m_inputBuffer.size()));
    if (compared == 0 ||
        std::memcmp(m_inputBuffer.constData(), m_currentCommand.request, size_t(compared)) != 0)
        return Echo::Absent;
    if (compared < length)
        return Echo::Incomplete;
    inputBufferRemoveHead(length);
    m_lineEchoes = true;
    return Echo::Removed;
}

void SerialEngine::setStateCheckTimeout(int milliseconds)
{
    m_stateCheckTimer->stop();
    m_stateCheckTimer->setInterval(milliseconds);
    m_stateCheckTimer->start();
}

void SerialEngine::waitForQuiet(int milliseconds)
{
    setStateCheckTimeout(
        m_quietWait.remainingMs(std::max(milliseconds, m_minimumQuietMs), m_clock.elapsed()));
}

// What the protocol kept of the line's settling goes as stray input before the
// first transmission; a wait that never saw quiet is said once.
void SerialEngine::endQuietWait()
{
    logAndClearStrayData(-1);
    if (m_quietWait.takeCut())
        reportNoise(m_quietWait.bytes(), m_quietWait.elapsedMs(m_clock.elapsed()));
}

void SerialEngine::resetDetectionState()
{
    m_detectionState = 0;
    emit detectionStateChanged(0);
}

void SerialEngine::advanceDetectionState()
{
    if (m_detectionState >= DetectionExhausted)
        return;
    ++m_detectionState;
    emit detectionStateChanged(m_detectionState);
}

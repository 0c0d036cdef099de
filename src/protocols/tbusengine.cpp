#include "protocols/tbusengine.h"

#include "log/logger.h"
#include "port/serialport.h"
#include "protocols/tbussensor.h"

#include <algorithm>

namespace {

const unsigned char kIdentifierMask = TBusEngine::IdentifierMask;
// Service frames get a much longer reply window: the sensor writes to its memory.
const unsigned char kServiceMarker = TBusEngine::ServiceMarker;
const unsigned char kCalibrationCommand = 'S';
const unsigned char kCalibrationReplyDataLength = 3;
const int kPollReplyLength = TBusEngine::PollReplyLength;
// Marker, identifier and checksum around the data of a service frame.
const int kServiceOverhead = 3;
const int kQuietAfterNoiseMs = 100;

unsigned char bit(unsigned char value, int index)
{
    return (value >> index) & 1;
}

} // namespace

TBusEngine::TBusEngine(quint32 features, QObject* parent)
    : SerialEngine(features, parent)
    , m_detectionCallback(this, &TBusEngine::detectionCallback)
{
    for (unsigned char n = 0; n < m_identifiers.size(); ++n)
        m_identifiers[n] = identifierOf(n);
}

// Not the LIN protected identifier: these check bits stand the other way round
// and neither is inverted.
unsigned char TBusEngine::identifierOf(unsigned char address)
{
    const unsigned char n = address & kIdentifierMask;
    const unsigned char p6 = bit(n, 1) ^ bit(n, 3) ^ bit(n, 4) ^ bit(n, 5);
    const unsigned char p7 = bit(n, 0) ^ bit(n, 1) ^ bit(n, 2) ^ bit(n, 4);
    return quint8(n | (p6 << 6) | (p7 << 7));
}

unsigned char TBusEngine::xorChecksum(const unsigned char* data, int length)
{
    unsigned char sum = 0;
    for (int i = 0; i < length; ++i)
        sum ^= data[i];
    return sum;
}

unsigned char TBusEngine::identifier(unsigned char address) const
{
    return m_identifiers[address & kIdentifierMask];
}

EngineCommand TBusEngine::levelPollCommand(unsigned char address) const
{
    EngineCommand command;
    command.request[0] = identifier(address);
    command.requestLength = 1;
    command.replyLength = kPollReplyLength;
    command.kind = EngineCommand::LevelPoll;
    return command;
}

EngineCommand TBusEngine::createServiceCommand(unsigned char address, const unsigned char* data,
                                               unsigned char dataLength,
                                               unsigned char replyDataLength) const
{
    EngineCommand command;
    if (dataLength + kServiceOverhead > EngineCommand::RequestCapacity ||
        replyDataLength + kServiceOverhead > EngineCommand::ReplyCapacity)
        return command;
    command.request[0] = kServiceMarker;
    command.request[1] = identifier(address);
    std::copy_n(data, dataLength, command.request + 2);
    command.request[dataLength + 2] = xorChecksum(command.request, dataLength + 2);
    command.requestLength = quint8(dataLength + kServiceOverhead);
    command.replyLength = quint8(replyDataLength + kServiceOverhead);
    command.kind = EngineCommand::Service;
    return command;
}

EngineCommand TBusEngine::createCalibrationCommand(unsigned char address, CalibrationType type,
                                                   unsigned char value) const
{
    const unsigned char data[] = {kCalibrationCommand, type, value};
    return createServiceCommand(address, data, sizeof data, kCalibrationReplyDataLength);
}

int TBusEngine::stateCheckTimeoutInterval(State state) const
{
    switch (state) {
    case Synchronizing:
    case ReplyCooldown:
        return 10;
    case Idle:
        return 100;
    case WaitingEcho:
        return 200;
    case WaitingReply:
        return m_currentCommand.request[0] == kServiceMarker ? 5000 : 200;
    case Error:
    case PortError:
        return 500;
    case Terminating:
        return 0;
    default:
        return -1;
    }
}

QString TBusEngine::detectionStateString() const
{
    return QString();
}

AddSensorPrompt TBusEngine::addSensorPrompt() const
{
    return {tr("Address"), FirstAddress, LastAddress};
}

void TBusEngine::slotAddSensorFromDialog(int address)
{
    addSensorAtAddress(address);
}

TBusSensor* TBusEngine::addSensorAtAddress(int address)
{
    if (address < FirstAddress || address > LastAddress)
        return nullptr;
    auto* sensor = new TBusSensor(this);
    sensor->setAddress(quint8(address));
    emit sensorDetected(sensor);
    return sensor;
}

void TBusEngine::serveCommand()
{
    // Leftovers of an earlier exchange would be taken for the start of the echo.
    logAndClearStrayData(-1);
    if (queuedCommandCount() == 0) {
        Logger::warning("TBusEngine", "Unexpected empty commandQueue");
        return;
    }
    const EngineCommand command = takeNextCommand();
    Logger::debug("TBusEngine", "Serving command %s", qPrintable(command.toString()));
    if (!transmit(command)) {
        Logger::warning("TBusEngine", "Port write failure");
        failWrite();
        return;
    }
    setState(WaitingEcho);
}

bool TBusEngine::transmit(const EngineCommand& command)
{
    SerialPort* line = port();
    if (!line)
        return false;
    const char* bytes = reinterpret_cast<const char*>(command.request);
    // The set parity bit on the first byte is what marks the start of a frame.
    line->setParity(PAR_MARK);
    bool written = line->write(bytes, 1) >= 0;
    line->setParity(PAR_SPACE);
    if (written && command.requestLength >= 2)
        written = line->write(bytes + 1, command.requestLength - 1) >= 0;
    return written;
}

void TBusEngine::repackInput()
{
    if (m_inputBuffer.isEmpty())
        return;
    switch (state()) {
    case Synchronizing:
        // The bytes stay for the stray log; the first request waits for quiet.
        waitForQuiet(kQuietAfterNoiseMs);
        break;
    case WaitingEcho:
        checkEcho();
        break;
    case WaitingReply:
        takeReply();
        break;
    case Idle:
    case ReplyCooldown:
        // Nobody speaks on this bus unless we asked.
        setState(Error);
        break;
    case Terminating:
        inputBufferClear();
        break;
    default:
        break;
    }
}

void TBusEngine::checkEcho()
{
    const int length = m_currentCommand.requestLength;
    if (m_inputBuffer.size() < length)
        return;
    const QByteArray sent(reinterpret_cast<const char*>(m_currentCommand.request), length);
    if (m_inputBuffer.startsWith(sent)) {
        inputBufferRemoveHead(length);
        setState(WaitingReply);
        // Echo and reply often come in one read; nothing else would call us again.
        if (!m_inputBuffer.isEmpty() && m_inputBuffer.size() >= m_currentCommand.replyLength)
            repackInput();
        return;
    }
    Logger::debug("TBusEngine", "Echo mismatch, expected %s, got %s", sent.toHex().constData(),
                  m_inputBuffer.toHex().constData());
    inputBufferMoveHead(length, m_currentCommand);
    executeAndClearCurrentCommand(CommandCallback::EchoMismatch);
    setState(Error);
}

void TBusEngine::takeReply()
{
    const int length = m_currentCommand.replyLength;
    if (m_inputBuffer.size() < length)
        return;
    inputBufferMoveHead(length, m_currentCommand);
    const unsigned char* reply = m_currentCommand.reply;
    if (length < 2 || reply[0] != (m_currentCommand.request[0] & kIdentifierMask)) {
        setState(Error);
        return;
    }
    const bool sumOk = xorChecksum(reply, length - 1) == reply[length - 1];
    executeAndClearCurrentCommand(sumOk ? CommandCallback::Ok : CommandCallback::CrcFail);
    setState(ReplyCooldown);
}

void TBusEngine::setEnginePortLocks()
{
    // Parity is no lock here: every transmission sets its own.
    if (port())
        applyLineSettings(port());
}

void TBusEngine::applyLineSettings(SerialPort* port)
{
    port->setBaudRate(BAUD9600);
    port->setStopBits(STOP_1);
}

void TBusEngine::setDetectionAddresses(const QList<int>& addresses)
{
    m_detectionAddresses.clear();
    for (int address : addresses) {
        if (address >= FirstAddress && address <= LastAddress &&
            !m_detectionAddresses.contains(address))
            m_detectionAddresses << address;
    }
    m_nextDetection = 0;
}

// A sweep probes each free identifier of the list once, in order.
EngineCommand TBusEngine::detectNext()
{
    int index = nextFreeDetection(m_nextDetection);
    if (index < 0)
        index = nextFreeDetection(0);
    m_nextDetection = index + 1;
    return index < 0 ? EngineCommand() : detectionProbe(quint8(m_detectionAddresses.at(index)));
}

void TBusEngine::rewindDetection()
{
    m_nextDetection = 0;
}

int TBusEngine::nextFreeDetection(int from) const
{
    for (int index = std::max(from, 0); index < m_detectionAddresses.size(); ++index) {
        if (!isIdentifierBusy(quint8(m_detectionAddresses.at(index))))
            return index;
    }
    return -1;
}

// Only the low six bits of an address reach the wire: 74 would be identifier 10.
bool TBusEngine::isIdentifierBusy(unsigned char address) const
{
    return sensorOnIdentifier(address) != nullptr;
}

SerialSensor* TBusEngine::sensorOnIdentifier(unsigned char address) const
{
    for (SerialSensor* sensor : sensors()) {
        if ((sensor->address() & kIdentifierMask) == (address & kIdentifierMask))
            return sensor;
    }
    return nullptr;
}

// A service frame carries the identifier behind its marker.
SerialSensor* TBusEngine::commandSensor(const EngineCommand& command) const
{
    const bool service = command.request[0] == kServiceMarker && command.requestLength > 1;
    return sensorOnIdentifier(command.request[service ? 1 : 0]);
}

EngineCommand TBusEngine::detectionProbe(unsigned char address)
{
    EngineCommand probe = levelPollCommand(address);
    probe.kind = EngineCommand::Plain;
    probe.callback = &m_detectionCallback;
    return probe;
}

void TBusEngine::detectionCallback(CommandCallback::Result result, const EngineCommand& command)
{
    // A sensor that was added on this identifier meanwhile already has its tab.
    if (result == CommandCallback::Ok && !isIdentifierBusy(command.reply[0])) {
        auto* sensor = new TBusSensor(this);
        sensor->setAddress(command.reply[0]);
        emit sensorDetected(sensor);
        // The probe was a level poll, so its reply is the sensor's first reading.
        sensor->levelPollCallback(CommandCallback::Ok, command);
    }
    // The sweep is over once no free identifier follows this one in the list.
    const int index = m_detectionAddresses.indexOf(command.request[0] & kIdentifierMask);
    if (result != CommandCallback::Canceled && (index < 0 || nextFreeDetection(index + 1) < 0)) {
        m_nextDetection = 0;
        finishSweep();
    }
}

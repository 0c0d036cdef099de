#include "protocols/modbusengine.h"

#include "engine/linedatamessage.h"
#include "log/logger.h"
#include "port/serialport.h"
#include "protocols/modbussensor.h"

#include <algorithm>
#include <array>

namespace {

const unsigned char kFirstAddress = ModBusEngine::FirstUnicastAddress;
const unsigned char kLastDetectedAddress = ModBusEngine::LastUnicastAddress;
const int kLastSettableAddress = 254;
const unsigned char kLevelRegister[] = {0x00, 0x00, 0x00, 0x01};
const unsigned char kReadReplyDataLength = 3;
const unsigned char kAddressRegisterHigh = 0x00;
const unsigned char kAddressRegisterLow = 0x01;
const unsigned char kWriteReplyDataLength = 4;
// Outside the CRC, a frame carries address and function code in front.
const int kFrameOverhead = 4;
// A read reply carries its byte count after address and function code.
const int kReadReplyOverhead = kFrameOverhead + 1;
// An exception reply: address, function code with the high bit set, exception
// code, CRC.
const int kExceptionReplyLength = 5;
const unsigned char kExceptionFlag = 0x80;
const int kSynchronizingInterval = 10;
const int kSilenceAfterNoise = 100;

quint16 littleEndian16(const unsigned char* bytes)
{
    return quint16(bytes[0] | (bytes[1] << 8));
}

} // namespace

ModBusEngine::ModBusEngine(QObject* parent)
    : SerialEngine(0, parent)
    , m_detectionCallback(this, &ModBusEngine::detectionCallback)
{}

// A byte at a time from a table: a listener checks every candidate frame.
quint16 ModBusEngine::crc16(const unsigned char* data, int length)
{
    static const std::array<quint16, 256> table = [] {
        std::array<quint16, 256> entries{};
        for (int byte = 0; byte < 256; ++byte) {
            quint16 crc = quint16(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
            entries[size_t(byte)] = crc;
        }
        return entries;
    }();
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i)
        crc = quint16((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    return crc;
}

EngineCommand ModBusEngine::createCommand(unsigned char address, CommandFunction function,
                                          const unsigned char* data, unsigned char dataLength,
                                          unsigned char replyDataLength) const
{
    EngineCommand command;
    if (dataLength + kFrameOverhead > EngineCommand::RequestCapacity ||
        replyDataLength + kFrameOverhead > EngineCommand::ReplyCapacity)
        return command;
    command.request[0] = address;
    command.request[1] = function;
    std::copy_n(data, dataLength, command.request + 2);
    const quint16 crc = crc16(command.request, dataLength + 2);
    command.request[dataLength + 2] = quint8(crc & 0xFF);
    command.request[dataLength + 3] = quint8(crc >> 8);
    command.requestLength = quint8(dataLength + kFrameOverhead);
    command.replyLength = quint8(replyDataLength + kFrameOverhead);
    return command;
}

EngineCommand ModBusEngine::levelPollCommand(unsigned char address) const
{
    EngineCommand command = createCommand(address, ReadHoldingRegisters, kLevelRegister,
                                          sizeof kLevelRegister, kReadReplyDataLength);
    command.kind = EngineCommand::LevelPoll;
    return command;
}

EngineCommand ModBusEngine::createAddressChangeRequest(BaseSensor* sensor,
                                                       unsigned short newAddress)
{
    if (!sensor || newAddress > kLastSettableAddress)
        return EngineCommand();
    const unsigned char data[] = {kAddressRegisterHigh, kAddressRegisterLow, 0x00,
                                  quint8(newAddress)};
    EngineCommand command = createCommand(sensor->address(), WriteSingleRegister, data, sizeof data,
                                          kWriteReplyDataLength);
    command.kind = EngineCommand::Service;
    return command;
}

int ModBusEngine::stateCheckTimeoutInterval(State state) const
{
    return state == Synchronizing ? kSynchronizingInterval
                                  : SerialEngine::stateCheckTimeoutInterval(state);
}

QString ModBusEngine::detectionStateString() const
{
    return QStringLiteral("%1/255").arg(m_detectionAddress);
}

AddSensorPrompt ModBusEngine::addSensorPrompt() const
{
    return {tr("Address"), kFirstAddress, LastUnicastAddress};
}

void ModBusEngine::slotAddSensorFromDialog(int address)
{
    addSensorAtAddress(address);
}

ModBusSensor* ModBusEngine::addSensorAtAddress(int address)
{
    if (address < kFirstAddress || address > LastUnicastAddress)
        return nullptr;
    // The user knows the line better than we do: an address already in use is
    // taken as asked.
    auto* sensor = new ModBusSensor(this);
    sensor->setAddress(quint8(address));
    emit sensorDetected(sensor);
    return sensor;
}

void ModBusEngine::repackInput()
{
    Logger::debug("ModBusEngine", "Checking input for complete frames in state %d", int(state()));
    if (m_inputBuffer.isEmpty())
        return;
    switch (state()) {
    case Synchronizing:
        // Anything heard while synchronizing is the tail of some earlier exchange;
        // wait until the line has been quiet for a while.
        logAndClearStrayData(-1);
        waitForQuiet(kSilenceAfterNoise);
        break;
    case WaitingReply:
        takeReply();
        break;
    case ReplyCooldown:
        Logger::debug("ModBusEngine", "Got unexpected input when in cooldown state");
        setState(Error);
        break;
    case Error:
        Logger::debug("ModBusEngine", "Got unexpected input when in error state");
        break;
    case Terminating:
        Logger::debug("ModBusEngine", "Got unexpected input when in terminating state");
        inputBufferClear();
        break;
    default:
        break;
    }
}

// What comes before the reply is passed over: our own request on an echoing
// line, a late answer to an earlier request, noise. Only a frame from the asked
// address with the asked function (or its exception) and, for a read, the
// asked byte count is taken for the reply.
void ModBusEngine::takeReply()
{
    while (!m_inputBuffer.isEmpty() && state() == WaitingReply) {
        const Echo echo = mayBeEchoed() ? removeEcho() : Echo::Absent;
        if (echo == Echo::Incomplete)
            return;
        if (echo == Echo::Removed)
            continue;
        switch (headFit()) {
        case HeadFit::Incomplete:
            return;
        case HeadFit::Misfit:
            if (!skipMisfit())
                return;
            break;
        case HeadFit::Reply:
            completeReply();
            return;
        case HeadFit::ExceptionReply:
            takeExceptionReply();
            return;
        }
    }
}

// The answer to a register write is a copy of the request: only on a line seen
// to echo is the first copy ours.
bool ModBusEngine::mayBeEchoed() const
{
    return m_currentCommand.request[1] != WriteSingleRegister || lineEchoes();
}

ModBusEngine::HeadFit ModBusEngine::headFit() const
{
    const unsigned char* request = m_currentCommand.request;
    const int buffered = m_inputBuffer.size();
    if (quint8(m_inputBuffer.at(0)) != request[0])
        return HeadFit::Misfit;
    if (buffered < 2)
        return HeadFit::Incomplete;
    const quint8 function = quint8(m_inputBuffer.at(1));
    if (function == (request[1] | kExceptionFlag)) {
        if (buffered < kExceptionReplyLength)
            return HeadFit::Incomplete;
        return headCrcMatches(kExceptionReplyLength) ? HeadFit::ExceptionReply : HeadFit::Misfit;
    }
    if (function != request[1])
        return HeadFit::Misfit;
    if (function == ReadHoldingRegisters) {
        if (buffered < 3)
            return HeadFit::Incomplete;
        if (quint8(m_inputBuffer.at(2)) != m_currentCommand.replyLength - kReadReplyOverhead)
            return HeadFit::Misfit;
    }
    return buffered < m_currentCommand.replyLength ? HeadFit::Incomplete : HeadFit::Reply;
}

// A level reply that came after its window: a known sensor's is its reading, one
// of an address nobody is known at has that address asked again at once. False
// while the head may still become such a reply.
bool ModBusEngine::skipMisfit()
{
    const int buffered = m_inputBuffer.size();
    const quint8 address = quint8(m_inputBuffer.at(0));
    const bool maybeLevelReply =
        address >= kFirstAddress && address <= kLastDetectedAddress &&
        (buffered < 2 || quint8(m_inputBuffer.at(1)) == ReadHoldingRegisters) &&
        (buffered < 3 || quint8(m_inputBuffer.at(2)) == kReadReplyDataLength - 1);
    if (maybeLevelReply && buffered < kReadReplyDataLength + kFrameOverhead)
        return false;
    if (!maybeLevelReply || !headCrcMatches(kReadReplyDataLength + kFrameOverhead)) {
        skipToNextFrameStart();
        return true;
    }
    if (auto* sensor = qobject_cast<ModBusSensor*>(sensorByAddress(address))) {
        takeLateReading(sensor);
        return true;
    }
    noteLateAnswer(address);
    probeAgain(detectionProbe(address));
    logAndClearStrayData(kReadReplyDataLength + kFrameOverhead);
    return true;
}

void ModBusEngine::takeLateReading(ModBusSensor* sensor)
{
    EngineCommand record = levelPollCommand(sensor->address());
    inputBufferMoveHead(record.replyLength, record);
    record.endedMs = recordHeard(sensor);
    Logger::message(LineDataMessage(record, CommandCallback::Ok));
    sensor->levelPollCallback(CommandCallback::Ok, record);
}

void ModBusEngine::skipToNextFrameStart()
{
    const int next = m_inputBuffer.indexOf(char(m_currentCommand.request[0]), 1);
    logAndClearStrayData(next < 0 ? -1 : next);
}

void ModBusEngine::completeReply()
{
    const int length = m_currentCommand.replyLength;
    inputBufferMoveHead(length, m_currentCommand);
    const unsigned char* reply = m_currentCommand.reply;
    const bool crcOk = length > 2 && crc16(reply, length - 2) == littleEndian16(reply + length - 2);
    executeAndClearCurrentCommand(crcOk ? CommandCallback::Ok : CommandCallback::CrcFail);
    setState(ReplyCooldown);
}

bool ModBusEngine::headCrcMatches(int length) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_inputBuffer.constData());
    return crc16(bytes, length - 2) == littleEndian16(bytes + length - 2);
}

// The sensor heard the request and refused it: that is an answer, not silence.
void ModBusEngine::takeExceptionReply()
{
    m_currentCommand.replyLength = kExceptionReplyLength;
    inputBufferMoveHead(kExceptionReplyLength, m_currentCommand);
    Logger::warning("ModBusEngine", "Sensor %u refused function %u with exception code %u",
                    uint(m_currentCommand.reply[0]), uint(m_currentCommand.request[1]),
                    uint(m_currentCommand.reply[2]));
    executeAndClearCurrentCommand(CommandCallback::Nack);
    setState(ReplyCooldown);
}

void ModBusEngine::setEnginePortLocks()
{
    if (port())
        applyLineSettings(port());
}

void ModBusEngine::applyLineSettings(SerialPort* port)
{
    port->setBaudRate(BAUD9600);
    port->setStopBits(STOP_1);
    port->setParity(PAR_NONE);
}

void ModBusEngine::rewindDetection()
{
    m_detectionAddress = 0;
}

int ModBusEngine::commandAddress(const EngineCommand& command) const
{
    return command.request[0];
}

bool ModBusEngine::replyBegun() const
{
    return !m_inputBuffer.isEmpty() && quint8(m_inputBuffer.at(0)) == m_currentCommand.request[0];
}

EngineCommand ModBusEngine::detectNext()
{
    const unsigned char start = m_detectionAddress;
    for (int tries = 0; tries < kLastDetectedAddress; ++tries) {
        if (m_detectionAddress >= kLastDetectedAddress) {
            m_detectionAddress = kFirstAddress;
            finishSweep();
        } else {
            m_detectionAddress = quint8(m_detectionAddress + 1);
        }
        if (!isAddressBusy(m_detectionAddress))
            return detectionProbe(m_detectionAddress);
        if (m_detectionAddress == start)
            break;
    }
    return EngineCommand();
}

SerialSensor* ModBusEngine::commandSensor(const EngineCommand& command) const
{
    return sensorByAddress(command.request[0]);
}

EngineCommand ModBusEngine::detectionProbe(unsigned char address)
{
    EngineCommand probe = levelPollCommand(address);
    probe.kind = EngineCommand::Plain;
    probe.callback = &m_detectionCallback;
    return probe;
}

void ModBusEngine::detectionCallback(CommandCallback::Result result, const EngineCommand& command)
{
    // A garbled answer is an answer: asked again, with a wider window.
    if (result == CommandCallback::CrcFail) {
        noteLateAnswer();
        probeAgain(detectionProbe(command.request[0]));
    }
    if (result != CommandCallback::Ok)
        return;
    auto* sensor = new ModBusSensor(this);
    sensor->setAddress(command.request[0]);
    emit sensorDetected(sensor);
    // The probe was a level read, so its reply is the sensor's first reading.
    sensor->levelPollCallback(CommandCallback::Ok, command);
}

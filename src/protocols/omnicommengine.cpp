#include "protocols/omnicommengine.h"

#include "engine/linedatamessage.h"
#include "log/logger.h"
#include "port/serialport.h"
#include "protocols/omnicommsensor.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <iterator>

namespace {

const char kLogSection[] = "OmniCommEngine";
const int kReadDataLength = 5;
const int kAddressChangeDataLength = 1;
const int kStatusReplyDataLength = 1;
const int kConfigurationDataLength = 18;
const int kExtendedConfigurationDataLength = 20;
// Input without a frame start is kept only while it could still be the lead-in
// of something; this much cannot.
const int kIdleGarbageLimit = 8;
const int kSynchronizingQuietPeriod = 100;
const int kSignBit = 0x8000;
const int kMagnitudeMask = 0x7FFF;

// Payload size, value encoding and the values that mean something, of every
// parameter write. The data format and the analogue output range are bit fields
// of the configuration frame, narrower than the byte that writes them; an auto
// interval of 0 would mean "never send"; a sensor averages 1 to 255 samples.
struct WriteFormat
{
    quint8 code;
    int size;
    bool signMagnitude;
    int lowest;
    int highest;
};

const WriteFormat kWriteFormats[] = {
    {OmniCommEngine::SetAutoInterval, 1, false, 1, 0xFF},
    {OmniCommEngine::SetFMax, 2, false, 0, 0xFFFF},
    {OmniCommEngine::SetFMin, 2, false, 0, 0xFFFF},
    {OmniCommEngine::SetSampleCount, 2, false, 1, 0xFF},
    {OmniCommEngine::SetPwmMax, 2, true, -kMagnitudeMask, kMagnitudeMask},
    {OmniCommEngine::SetControlOutput, 2, false, 0, 0xFFFF},
    {OmniCommEngine::SetDataFormat, 1, false, 0, 3},
    {OmniCommEngine::SetNormalTemperature, 1, false, 0, 0xFF},
    {OmniCommEngine::SetAnalogueOutputRatio, 2, false, 0, 0xFFFF},
    {OmniCommEngine::SetAnalogueOutputRange, 1, false, 0, 1},
    {OmniCommEngine::EnableAutoMode, 0, false, 0, 0},
};

const WriteFormat* writeFormat(quint8 code)
{
    const auto found = std::find_if(std::begin(kWriteFormats), std::end(kWriteFormats),
                                    [code](const WriteFormat& row) { return row.code == code; });
    return found == std::end(kWriteFormats) ? nullptr : found;
}

int littleEndian16(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8);
}

quint32 encodeSignMagnitude(qint64 value)
{
    if (value < 0)
        return quint32(kSignBit | (-value & kMagnitudeMask));
    return quint32(value & kMagnitudeMask);
}

int decodeSignMagnitude(int raw)
{
    const int magnitude = raw & kMagnitudeMask;
    return (raw & kSignBit) ? -magnitude : magnitude;
}

} // namespace

OmniCommEngine::OmniCommEngine(quint32 features, QObject* parent)
    : SerialEngine(features, parent)
    , m_detectionCallback(this, &OmniCommEngine::detectionCallback)
{}

// CRC-8/MAXIM (Dallas 1-Wire): reflected polynomial 0x8C, initial value 0.
// A byte at a time from a table: a listener checks every candidate frame.
quint8 OmniCommEngine::crc8(const unsigned char* data, int length)
{
    static const std::array<quint8, 256> table = [] {
        std::array<quint8, 256> entries{};
        for (int byte = 0; byte < 256; ++byte) {
            quint8 crc = quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? quint8((crc >> 1) ^ 0x8C) : quint8(crc >> 1);
            entries[size_t(byte)] = crc;
        }
        return entries;
    }();
    quint8 crc = 0;
    for (int i = 0; i < length; ++i)
        crc = table[crc ^ data[i]];
    return crc;
}

int OmniCommEngine::requestFrameLength(quint8 code)
{
    switch (code) {
    case ChangeAddress:
        return kAddressChangeDataLength + FramingLength;
    case ReadData:
    case ReadConfiguration:
        return FramingLength;
    default:
        break;
    }
    const WriteFormat* format = writeFormat(code);
    return format ? format->size + FramingLength : 0;
}

int OmniCommEngine::replyFrameLength(quint8 code, bool extended)
{
    switch (code) {
    case ChangeAddress:
        return kAddressChangeDataLength + FramingLength;
    case ReadData:
        return DataFrameLength;
    case ReadConfiguration:
        return (extended ? kExtendedConfigurationDataLength : kConfigurationDataLength) +
               FramingLength;
    default:
        break;
    }
    return writeFormat(code) ? kStatusReplyDataLength + FramingLength : 0;
}

EngineCommand OmniCommEngine::createCommand(quint8 address, quint8 code, const unsigned char* data,
                                            int dataLength, int replyDataLength)
{
    EngineCommand command;
    command.request[0] = RequestStart;
    command.request[1] = address;
    command.request[2] = code;
    std::copy_n(data, dataLength, command.request + 3);
    command.request[3 + dataLength] = crc8(command.request, 3 + dataLength);
    command.requestLength = quint8(dataLength + FramingLength);
    command.replyLength = quint8(replyDataLength + FramingLength);
    return command;
}

EngineCommand OmniCommEngine::levelPollCommand(quint8 address)
{
    return createCommand(address, ReadData, nullptr, 0, kReadDataLength);
}

EngineCommand OmniCommEngine::enableAutoModeCommand(quint8 address)
{
    return createCommand(address, EnableAutoMode, nullptr, 0, kStatusReplyDataLength);
}

EngineCommand OmniCommEngine::configurationCommand(quint8 address, bool extended)
{
    return createCommand(address, ReadConfiguration, nullptr, 0,
                         extended ? kExtendedConfigurationDataLength : kConfigurationDataLength);
}

EngineCommand OmniCommEngine::createAddressChangeRequest(BaseSensor* sensor,
                                                         unsigned short newAddress)
{
    if (!sensor || newAddress >= AddressCount)
        return EngineCommand();
    const unsigned char data = quint8(newAddress);
    return createCommand(sensor->address(), ChangeAddress, &data, kAddressChangeDataLength,
                         kAddressChangeDataLength);
}

EngineCommand OmniCommEngine::parameterWriteCommand(quint8 address, quint8 code,
                                                    const QVariant& value)
{
    const WriteFormat* format = writeFormat(code);
    if (!format)
        return EngineCommand();
    const quint32 raw = format->signMagnitude ? encodeSignMagnitude(value.toInt()) : value.toUInt();
    const unsigned char data[2] = {quint8(raw), quint8(raw >> 8)};
    return createCommand(address, code, data, format->size, kStatusReplyDataLength);
}

bool OmniCommEngine::isParameterWriteCode(quint8 code)
{
    return writeFormat(code) != nullptr;
}

bool OmniCommEngine::parameterWriteRange(quint8 code, int* lowest, int* highest)
{
    const WriteFormat* format = writeFormat(code);
    if (!format)
        return false;
    *lowest = format->lowest;
    *highest = format->highest;
    return true;
}

quint8 OmniCommEngine::commandCode(const EngineCommand& command)
{
    return command.request[2];
}

quint8 OmniCommEngine::requestedAddress(const EngineCommand& command)
{
    return command.request[3];
}

bool OmniCommEngine::isWriteAccepted(const EngineCommand& command)
{
    return command.reply[3] == 0;
}

bool OmniCommEngine::writtenValue(const EngineCommand& command, int* value)
{
    const WriteFormat* format = writeFormat(commandCode(command));
    if (!format || format->size == 0)
        return false;
    const int raw = format->size == 2 ? littleEndian16(command.request + 3) : command.request[3];
    *value = format->signMagnitude ? decodeSignMagnitude(raw) : raw;
    return true;
}

OmniCommEngine::DataFrame OmniCommEngine::parseDataFrame(const unsigned char* frame)
{
    DataFrame values;
    values.temperature = qint8(frame[3]);
    values.rawLevel = littleEndian16(frame + 4);
    values.frequency = littleEndian16(frame + 6);
    return values;
}

OmniCommEngine::Configuration OmniCommEngine::parseConfiguration(const unsigned char* frame,
                                                                 bool extended)
{
    Configuration values;
    values.fMax = littleEndian16(frame + 7);
    values.fMin = littleEndian16(frame + 9);
    values.autonomous = frame[11] != 0;
    values.sampleCount = littleEndian16(frame + 12);
    values.pwmMax = decodeSignMagnitude(littleEndian16(frame + 14));
    values.controlOutput = littleEndian16(frame + 16);
    values.dataFormat = frame[19] & 0x03;
    values.normalTemperature = frame[20];
    if (extended) {
        values.autoInterval = frame[6];
        values.analogueOutputRange = (frame[19] >> 7) & 1;
        values.analogueOutputRatio = littleEndian16(frame + 21);
    }
    return values;
}

void OmniCommEngine::setEnginePortLocks()
{
    if (port())
        applyLineSettings(port());
}

void OmniCommEngine::applyLineSettings(SerialPort* port)
{
    port->setBaudRate(BAUD19200);
    port->setStopBits(STOP_1);
    port->setParity(PAR_NONE);
}

AddSensorPrompt OmniCommEngine::addSensorPrompt() const
{
    return {tr("Address"), 0, AddressCount - 1};
}

void OmniCommEngine::slotAddSensorFromDialog(int address)
{
    sensorDetectedCallback(address);
}

// Padded with figure spaces, which are as wide as digits, so the text does not
// jump as the address grows.
QString OmniCommEngine::detectionStateString() const
{
    // Before the first probe the sweep stands at its start, not at -1.
    return QStringLiteral("%1/255").arg(std::max(0, m_detectAddress), 3, 10, QChar(0x2007));
}

// Sensors in autonomous mode send by themselves; a poll would only collide with
// their frames.
bool OmniCommEngine::readyToPoll(SerialSensor* sensor)
{
    const auto* omniSensor = qobject_cast<OmniCommSensor*>(sensor);
    const bool autonomous = omniSensor && omniSensor->mode() == OmniCommSensor::AutonomousMode;
    return SerialEngine::readyToPoll(sensor) && !autonomous;
}

EngineCommand OmniCommEngine::detectNext()
{
    if (m_detectAddress < 0) {
        m_detectAddress = 0;
        if (!isAddressBusy(0))
            return probe(0);
    }
    const int start = m_detectAddress;
    do {
        if (++m_detectAddress >= AddressCount) {
            finishSweep();
            m_detectAddress = 0;
        }
        if (!isAddressBusy(quint8(m_detectAddress)))
            return probe(m_detectAddress);
    } while (m_detectAddress != start);
    return EngineCommand();
}

SerialSensor* OmniCommEngine::commandSensor(const EngineCommand& command) const
{
    return sensorByAddress(command.request[1]);
}

EngineCommand OmniCommEngine::probe(int address)
{
    EngineCommand command = levelPollCommand(quint8(address));
    command.kind = EngineCommand::Plain;
    command.callback = &m_detectionCallback;
    return command;
}

void OmniCommEngine::rewindDetection()
{
    m_detectAddress = -1;
    m_probeTimedOut.reset();
}

int OmniCommEngine::commandAddress(const EngineCommand& command) const
{
    return command.request[1];
}

bool OmniCommEngine::replyBegun() const
{
    return m_inputBuffer.size() >= 2 && quint8(m_inputBuffer.at(0)) == ReplyStart &&
           quint8(m_inputBuffer.at(1)) == m_currentCommand.request[1];
}

void OmniCommEngine::detectionCallback(CommandCallback::Result result, const EngineCommand& command)
{
    m_probeTimedOut.set(command.request[1], result == CommandCallback::Timeout);
    // A garbled answer is an answer: asked again, with a wider window.
    if (result == CommandCallback::CrcFail) {
        noteLateAnswer();
        probeAgain(probe(command.request[1]));
    }
    if (result != CommandCallback::Ok)
        return;
    if (OmniCommSensor* sensor = sensorDetectedCallback(command.request[1]))
        sensor->parseData(command.reply, OmniCommSensor::NetworkMode, command.endedMs);
}

OmniCommSensor* OmniCommEngine::sensorDetectedCallback(int address)
{
    if (address < 0 || address >= AddressCount || isAddressBusy(quint8(address)))
        return nullptr;
    auto* sensor = new OmniCommSensor(this);
    sensor->setAddress(quint8(address));
    emit sensorDetected(sensor);
    resetDetectionState();
    sensor->requestConfigurationUpdate();
    return sensor;
}

void OmniCommEngine::repackInput()
{
    switch (state()) {
    case Synchronizing:
        // The line is still settling: wait until it has been quiet for a while.
        waitForQuiet(kSynchronizingQuietPeriod);
        break;
    case Idle:
        repackIdle();
        break;
    case WaitingReply:
        repackReply();
        break;
    case ReplyCooldown:
        // A sensor in autonomous mode may send right after another's reply: its
        // reading is taken now, as it would be when idle, not lost as stray.
        Logger::debug(kLogSection, "Got unexpected input when in cooldown state");
        repackIdle();
        break;
    case Error:
        Logger::debug(kLogSection, "Got unexpected input when in error state");
        break;
    case Terminating:
        Logger::debug(kLogSection, "Got unexpected input when in terminating state");
        inputBufferClear();
        break;
    default:
        break;
    }
}

// Every complete frame is cut out before any is handled: a frame that creates a
// sensor sends its configuration request at once, and sending discards whatever
// is still buffered.
void OmniCommEngine::repackIdle()
{
    const QList<EngineCommand> frames = cutUnsolicitedFrames();
    for (const EngineCommand& frame : frames)
        parseAutonomousMessage(frame);
}

QList<EngineCommand> OmniCommEngine::cutUnsolicitedFrames()
{
    QList<EngineCommand> frames;
    while (!m_inputBuffer.isEmpty()) {
        const int start = m_inputBuffer.indexOf(char(ReplyStart));
        if (start < 0) {
            if (m_inputBuffer.size() >= kIdleGarbageLimit)
                logAndClearStrayData(-1);
            break;
        }
        logAndClearStrayData(start);
        if (m_inputBuffer.size() < DataFrameLength)
            break;
        const bool crcMatches = headCrcMatches(DataFrameLength);
        if (crcMatches && isDataFrameCode(2)) {
            frames.append(takeDataFrame());
            continue;
        }
        if (crcMatches)
            Logger::debug(kLogSection, "CRC matches but expected code %x, not %x", EnableAutoMode,
                          uint(quint8(m_inputBuffer.at(2))));
        else
            Logger::debug(kLogSection, "Wrong crc, trying to repack again");
        if (!resynchronize())
            break;
    }
    return frames;
}

bool OmniCommEngine::resynchronize()
{
    const int next = m_inputBuffer.indexOf(char(ReplyStart), 1);
    logAndClearStrayData(next < 0 ? -1 : next);
    return next >= 0;
}

// What comes before the reply is passed over: our own request on an echoing
// line, a late answer to an earlier request, noise. Only a frame from the asked
// address with the asked code is taken for the reply.
void OmniCommEngine::repackReply()
{
    while (!m_inputBuffer.isEmpty() && state() == WaitingReply) {
        const Echo echo = removeEcho();
        if (echo == Echo::Incomplete)
            return;
        if (echo == Echo::Removed)
            continue;
        if (quint8(m_inputBuffer.at(0)) != ReplyStart) {
            if (!resynchronize())
                return;
            continue;
        }
        // A self-sending sensor may talk while it or another one is being asked:
        // its frame is its data, and the reply follows behind it.
        bool complete = false;
        if (isDataFrameAheadOfReply(&complete)) {
            if (!complete)
                return;
            parseAutonomousMessage(takeDataFrame());
            continue;
        }
        if (m_inputBuffer.size() < 3)
            return;
        if (!replyFitsRequest()) {
            if (!resynchronize())
                return;
            continue;
        }
        if (commandCode(m_currentCommand) == ReadConfiguration) {
            takeConfigurationReply();
            return;
        }
        if (m_inputBuffer.size() < m_currentCommand.replyLength)
            return;
        completeReply(m_currentCommand.replyLength);
        return;
    }
}

// Basic and extended models give configuration replies of two lengths. A whole
// reply of the other length says the model is wrong; the bytes of a longer one
// are not left behind as noise. A shorter one is known only when nothing more
// comes: see replyWindowClosed.
void OmniCommEngine::takeConfigurationReply()
{
    const int expected = m_currentCommand.replyLength;
    const int other = otherConfigurationLength(expected);
    const int buffered = m_inputBuffer.size();
    if (buffered >= expected && (headCrcMatches(expected) || other < expected))
        completeReply(expected);
    else if (other > expected && buffered >= other)
        completeReply(headCrcMatches(other) ? other : expected);
}

int OmniCommEngine::otherConfigurationLength(int length)
{
    const int basic = kConfigurationDataLength + FramingLength;
    const int extended = kExtendedConfigurationDataLength + FramingLength;
    return length == basic ? extended : basic;
}

CommandCallback::Result OmniCommEngine::replyWindowClosed()
{
    if (commandCode(m_currentCommand) != ReadConfiguration || m_inputBuffer.size() < 3 ||
        quint8(m_inputBuffer.at(0)) != ReplyStart || !replyFitsRequest())
        return CommandCallback::Timeout;
    const int expected = m_currentCommand.replyLength;
    const int other = otherConfigurationLength(expected);
    const int buffered = m_inputBuffer.size();
    int length = 0;
    if (buffered >= expected)
        length = expected;
    else if (other < expected && buffered >= other && headCrcMatches(other))
        length = other;
    if (length == 0)
        return CommandCallback::Timeout;
    inputBufferMoveHead(length, m_currentCommand);
    return replyResult(length);
}

bool OmniCommEngine::replyFitsRequest() const
{
    return quint8(m_inputBuffer.at(1)) == m_currentCommand.request[1] &&
           quint8(m_inputBuffer.at(2)) == commandCode(m_currentCommand);
}

// A data frame cannot be the awaited reply when it comes from another address,
// or from the same one while the request's own code is not a data-frame code
// (a configuration read of a self-sending sensor). Such a frame is held back
// until it is complete, so a short reply is not cut out of its first bytes.
bool OmniCommEngine::isDataFrameAheadOfReply(bool* complete) const
{
    if (m_inputBuffer.size() < 3 || !isDataFrameCode(2))
        return false;
    const quint8 requestCode = commandCode(m_currentCommand);
    const bool replyMayBeDataFrame = requestCode == ReadData || requestCode == EnableAutoMode;
    if (replyMayBeDataFrame && quint8(m_inputBuffer.at(1)) == m_currentCommand.request[1])
        return false;
    if (m_inputBuffer.size() < DataFrameLength) {
        *complete = false;
        return true;
    }
    *complete = headCrcMatches(DataFrameLength);
    return *complete;
}

bool OmniCommEngine::headCrcMatches(int length) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_inputBuffer.constData());
    return crc8(bytes, length - 1) == bytes[length - 1];
}

bool OmniCommEngine::isDataFrameCode(int index) const
{
    const quint8 code = quint8(m_inputBuffer.at(index));
    return code == ReadData || code == EnableAutoMode;
}

EngineCommand OmniCommEngine::takeDataFrame()
{
    EngineCommand record;
    record.replyLength = DataFrameLength;
    record.kind = EngineCommand::Autonomous;
    inputBufferMoveHead(DataFrameLength, record);
    return record;
}

void OmniCommEngine::completeReply(int length)
{
    inputBufferMoveHead(length, m_currentCommand);
    executeAndClearCurrentCommand(replyResult(length));
    setState(ReplyCooldown);
}

CommandCallback::Result OmniCommEngine::replyResult(int length) const
{
    const unsigned char* reply = m_currentCommand.reply;
    if (length < 2 || crc8(reply, length - 1) != reply[length - 1])
        return CommandCallback::CrcFail;
    return length == m_currentCommand.replyLength ? CommandCallback::Ok
                                                  : CommandCallback::WrongLength;
}

// A sensor that sends by itself is taken on even with detection off: it has
// announced itself.
void OmniCommEngine::parseAutonomousMessage(const EngineCommand& record)
{
    const quint8 address = record.reply[1];
    auto* sensor = qobject_cast<OmniCommSensor*>(sensorByAddress(address));
    const bool polled = sensor && sensor->mode() == OmniCommSensor::NetworkMode;
    // A frame from a free address whose probe has just timed out is that probe's
    // late answer: a polled sensor, and a sign that the probe window is too short.
    const bool lateProbeAnswer = !sensor && m_probeTimedOut.test(address);
    if (lateProbeAnswer) {
        m_probeTimedOut.reset(address);
        noteLateAnswer(address);
    }
    if (!sensor)
        sensor = sensorDetectedCallback(address);
    // Heard before the reading is passed on: whoever takes the reading finds
    // it in the statistics already.
    const qint64 heardMs = recordHeard(sensor);
    if (polled) {
        // A polled sensor's reply that came too late looks just like a frame it
        // sent by itself. Taking it as a switch to autonomous mode would stop the
        // polls for good, so the reading is kept and the configuration, which
        // knows the mode, is asked instead.
        sensor->parseData(record.reply, OmniCommSensor::NetworkMode, heardMs);
        sensor->requestConfigurationUpdate();
    } else if (sensor) {
        sensor->parseData(record.reply,
                          lateProbeAnswer ? OmniCommSensor::NetworkMode
                                          : OmniCommSensor::AutonomousMode,
                          heardMs);
    }
    Logger::message(LineDataMessage(record, CommandCallback::Ok));
}

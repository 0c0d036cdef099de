#include "omnicommresponder.h"

#include "checksums.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
const quint8 requestStart = 0x31;
const quint8 replyStart = 0x3E;
const quint8 changeAddressCode = 0x03;
const quint8 readDataCode = 0x06;
const quint8 switchModeCode = 0x07;
const quint8 readConfigurationCode = 0xF5;
const quint8 statusAccepted = 0;
const quint8 statusRefused = 1;

void put8(QByteArray* data, int framePosition, int value)
{
    (*data)[framePosition - 3] = char(value & 0xFF);
}

void put16(QByteArray* data, int framePosition, int value)
{
    put8(data, framePosition, value);
    put8(data, framePosition + 1, value >> 8);
}
} // namespace

QByteArray OmnicommResponder::frame(int address, quint8 code, const QByteArray& data)
{
    QByteArray bytes;
    bytes.append(char(replyStart)).append(char(address)).append(char(code)).append(data);
    return bytes.append(char(crc8Maxim(bytes)));
}

QByteArray OmnicommResponder::dataFrame(const SimSensor& sensor)
{
    const double level = sensor.physics().level();
    const int temperature = std::clamp(int(std::lround(sensor.physics().temperature())), -128, 127);
    QByteArray data(5, 0);
    put8(&data, 3, temperature);
    put16(&data, 4, sensor.omnicomm().rawLevelFor(level));
    put16(&data, 6, sensor.omnicomm().frequencyFor(level));
    return frame(sensor.address(), readDataCode, data);
}

QByteArray OmnicommResponder::configurationFrame(const SimSensor& sensor)
{
    const OmnicommConfig& config = sensor.omnicomm();
    const bool extended = sensor.model().extendedConfiguration;
    QByteArray data(extended ? 20 : 18, 0);
    put16(&data, 7, config.fMax);
    put16(&data, 9, config.fMin);
    put8(&data, 11, sensor.isAutonomous() ? 1 : 0);
    put16(&data, 12, config.sampleCount);
    put16(&data, 14, OmnicommConfig::encodeSignMagnitude(config.pwmMax));
    put16(&data, 16, config.controlOutput);
    put8(&data, 19, (config.dataFormat & 0x03) | (extended && config.analogueRange ? 0x80 : 0));
    put8(&data, 20, config.normalTemperature);
    if (extended) {
        put8(&data, 6, config.autoInterval);
        put16(&data, 21, config.analogueRatio);
    }
    return frame(sensor.address(), readConfigurationCode, data);
}

QByteArray OmnicommResponder::fromOtherAddress(const QByteArray& reply) const
{
    QByteArray bytes = reply.left(reply.size() - 1);
    bytes[1] = char(quint8(bytes[1]) + 1);
    return bytes.append(char(crc8Maxim(bytes)));
}

QByteArray OmnicommResponder::unsolicitedFrame(SimSensor& sensor, qint64 nowMs)
{
    sensor.physics().advanceTo(nowMs);
    return dataFrame(sensor);
}

int OmnicommResponder::predictLength(const QByteArray& head) const
{
    if (quint8(head[0]) != requestStart)
        return notAFrame;
    if (head.size() < 3)
        return needMore;
    const quint8 code = quint8(head[2]);
    if (code == readDataCode || code == switchModeCode || code == readConfigurationCode)
        return 4;
    if (code == changeAddressCode)
        return 5;
    const int dataSize = OmnicommConfig::writeDataSize(code);
    return dataSize == 0 ? notAFrame : 4 + dataSize;
}

bool OmnicommResponder::checksumMatches(const QByteArray& frame) const
{
    return crc8Maxim(frame.left(frame.size() - 1)) == quint8(frame.back());
}

void OmnicommResponder::answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies)
{
    SimSensor* sensor = sensorAt(quint8(frame[1]));
    if (!sensor)
        return;
    ++sensor->counters().requests;
    sensor->physics().advanceTo(nowMs);
    replies->append({sensor, answerFor(*sensor, frame), frame.size()});
}

QByteArray OmnicommResponder::answerFor(SimSensor& sensor, const QByteArray& request)
{
    switch (quint8(request[2])) {
    case readDataCode:
        return dataFrame(sensor);
    case readConfigurationCode:
        return configurationFrame(sensor);
    case switchModeCode:
        return switchMode(sensor);
    case changeAddressCode:
        return changeAddress(sensor, request);
    default:
        return writeParameter(sensor, request);
    }
}

QByteArray OmnicommResponder::switchMode(SimSensor& sensor)
{
    // One code serves both directions: each switch toggles the mode.
    sensor.setAutonomous(!sensor.isAutonomous());
    ++sensor.counters().writesApplied;
    return frame(sensor.address(), switchModeCode, QByteArray(1, char(statusAccepted)));
}

QByteArray OmnicommResponder::changeAddress(SimSensor& sensor, const QByteArray& request)
{
    // The reply still comes from the old address; the new one holds from the next request.
    const QByteArray reply = frame(sensor.address(), changeAddressCode, request.mid(3, 1));
    sensor.setAddress(quint8(request[3]));
    ++sensor.counters().writesApplied;
    return reply;
}

QByteArray OmnicommResponder::writeParameter(SimSensor& sensor, const QByteArray& request)
{
    const quint8 code = quint8(request[2]);
    int raw = quint8(request[3]);
    if (OmnicommConfig::writeDataSize(code) == 2)
        raw |= quint8(request[4]) << 8;
    const bool accepted = sensor.omnicomm().write(code, raw);
    if (accepted)
        ++sensor.counters().writesApplied;
    const char status = char(accepted ? statusAccepted : statusRefused);
    return frame(sensor.address(), code, QByteArray(1, status));
}

} // namespace sim

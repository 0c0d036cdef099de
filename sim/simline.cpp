#include "simline.h"

#include "linesetup.h"

#include <algorithm>

namespace sim {

SimLine::SimLine(const LineOptions& options, QObject* parent)
    : QObject(parent)
    , lineOptions(options)
    , faults(options.seed)
    , transmitter(clock, [this](const QByteArray& bytes) { writeToLine(bytes); })
    , noise(options.seed, [this](const QByteArray& bytes) {
        transmitter.schedule(bytes, 0, lineSettings().wireMs(bytes.size()));
    })
{
    clock.start();
    sensorList = createSensors(options);
    responder = createResponder(options.model.protocol, sensorList);
    faults.configure(options.faults, options.seed);
    unsolicitedTimer.setSingleShot(true);
    connect(&unsolicitedTimer, &QTimer::timeout, this, &SimLine::sendUnsolicited);
    connect(&endpoint, &LineEndpoint::readyRead, this, &SimLine::readLine);
}

SimLine::~SimLine()
{
    stop();
}

bool SimLine::start(QString* error)
{
    QString ignored;
    QString* message = error ? error : &ignored;
    const bool opened =
        lineOptions.devicePath.isEmpty()
            ? endpoint.openPseudoTerminal(message)
            : endpoint.openDevice(lineOptions.devicePath,
                                  protocolBaudRate(lineOptions.model.protocol), message);
    if (!opened || !endpoint.makeLink(lineOptions.linkPath, message)) {
        endpoint.close();
        return false;
    }
    scheduleUnsolicited();
    if (lineOptions.noiseIntervalMs > 0)
        noise.start(lineOptions.noiseBytes, lineOptions.noiseIntervalMs);
    return true;
}

void SimLine::stop()
{
    noise.stop();
    unsolicitedTimer.stop();
    transmitter.clear();
    endpoint.close();
    endpoint.removeLink(lineOptions.linkPath);
}

QList<SimSensor*> SimLine::sensors() const
{
    QList<SimSensor*> list;
    for (const auto& sensor : sensorList)
        list << sensor.get();
    return list;
}

SimSensor* SimLine::sensorAt(int address) const
{
    for (const auto& sensor : sensorList) {
        if (sensor->address() == address)
            return sensor.get();
    }
    return nullptr;
}

void SimLine::setFaults(const FaultSettings& settings, quint32 seed)
{
    lineOptions.faults = settings;
    faults.configure(settings, seed);
}

void SimLine::setAutoIntervalUnitMs(int unitMs)
{
    lineOptions.autoIntervalUnitMs = unitMs;
    for (const auto& sensor : sensorList)
        sensor->setUnsolicitedDueMs(-1);
    scheduleUnsolicited();
}

void SimLine::readLine()
{
    const QByteArray bytes = endpoint.readAll();
    if (bytes.isEmpty())
        return;
    emit bytesReceived(bytes);
    const LineSettings line = lineSettings();
    // The transceiver echoes whatever is sent, at any rate; only the sensors are deaf to a wrong
    // one.
    if (responder->echoesInput() || lineOptions.echo)
        transmitter.schedule(bytes, line.wireMs(bytes.size()), line.wireMs(bytes.size()));
    if (line.baudRate != protocolBaudRate(lineOptions.model.protocol)) {
        wrongRateBytes += quint64(bytes.size());
        return;
    }
    for (const SimReply& reply : responder->receive(bytes, nowMs()))
        transmit(reply, line);
    scheduleUnsolicited();
}

void SimLine::transmit(const SimReply& reply, const LineSettings& line)
{
    const Fault fault = faults.draw();
    SensorCounters& counters = reply.sensor->counters();
    counters.faults += fault == Fault::None ? 0 : 1;
    if (fault == Fault::NoReply)
        return;
    QByteArray bytes = reply.bytes;
    if (fault == Fault::CorruptCrc)
        bytes[bytes.size() - 1] = char(bytes.back() ^ 0x5A);
    if (fault == Fault::WrongAddress)
        bytes = responder->fromOtherAddress(bytes);
    const double wire = line.wireMs(bytes.size());
    double delay = wire;
    if (reply.requestLength > 0) {
        const int latency = reply.sensor->latencyMs();
        delay += line.wireMs(reply.requestLength) + (latency < 0 ? lineOptions.latencyMs : latency);
    }
    if (fault == Fault::Late)
        delay += lineOptions.faults.lateMs;
    transmitter.schedule(bytes, delay, wire);
    ++(reply.requestLength > 0 ? counters.replies : counters.unsolicited);
    if (fault == Fault::Garbage) {
        const QByteArray noise = faults.garbage();
        transmitter.schedule(noise, 0, line.wireMs(noise.size()));
    }
}

void SimLine::scheduleUnsolicited()
{
    qint64 earliest = -1;
    for (const auto& sensor : sensorList) {
        if (!sensor->isAutonomous())
            continue;
        if (sensor->unsolicitedDueMs() < 0) {
            const int interval = std::max(1, sensor->omnicomm().autoInterval);
            sensor->setUnsolicitedDueMs(nowMs() +
                                        qint64(interval) * lineOptions.autoIntervalUnitMs);
        }
        if (earliest < 0 || sensor->unsolicitedDueMs() < earliest)
            earliest = sensor->unsolicitedDueMs();
    }
    if (earliest < 0 || !isRunning())
        unsolicitedTimer.stop();
    else
        unsolicitedTimer.start(int(std::max<qint64>(0, earliest - nowMs())));
}

void SimLine::sendUnsolicited()
{
    const LineSettings line = lineSettings();
    // At another rate the program would read only noise; leaving the frame out is close enough.
    const bool understood = line.baudRate == protocolBaudRate(lineOptions.model.protocol);
    for (const auto& sensor : sensorList) {
        if (!sensor->isAutonomous() || sensor->unsolicitedDueMs() > nowMs())
            continue;
        sensor->setUnsolicitedDueMs(-1);
        const QByteArray frame = responder->unsolicitedFrame(*sensor, nowMs());
        if (understood && !frame.isEmpty())
            transmit({sensor.get(), frame, 0}, line);
    }
    scheduleUnsolicited();
}

// A pseudo-terminal passes no parity on: TBus's ninth bit, which marks a frame's
// start, would go uncounted and every frame would come a bit too early.
LineSettings SimLine::lineSettings() const
{
    LineSettings line = endpoint.settings();
    line.bitsPerCharacter =
        std::max(line.bitsPerCharacter, protocolLine(lineOptions.model.protocol).bitsPerCharacter);
    return line;
}

void SimLine::writeToLine(const QByteArray& bytes)
{
    if (endpoint.write(bytes))
        emit bytesWritten(bytes);
}

QString SimLine::countersReport() const
{
    QString report = sim::countersReport(sensorList);
    if (wrongRateBytes > 0)
        report += QStringLiteral("bytes ignored at a wrong rate: %1\n").arg(wrongRateBytes);
    return report;
}

} // namespace sim

#include "trackerbus.h"

#include "linesetup.h"
#include "masterrequests.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace sim {

namespace {
// Quiet between exchanges: well over the three and a half characters ModBus asks for.
const double interFrameGapMs = 10.0;
const int listenerCheckMs = 10;

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::CorruptCrc:
        return "crc";
    case Fault::NoReply:
        return "silence";
    case Fault::Garbage:
        return "garbage";
    case Fault::WrongAddress:
        return "wrong-address";
    case Fault::Late:
        return "late";
    case Fault::None:
        break;
    }
    return "";
}

double rounded(double ms)
{
    return std::round(ms * 1000.0) / 1000.0;
}
} // namespace

TrackerBus::TrackerBus(const LineOptions& options, QObject* parent)
    : QObject(parent)
    , lineOptions(options)
    , line(protocolLine(options.model.protocol))
    , faults(options.seed)
    , random(options.seed ^ 0x7AC4u)
    , writer(clock, [this](const QByteArray& bytes) { deliver(bytes); })
{
    clock.start();
    sensorList = createSensors(options);
    responder = createResponder(options.model.protocol, sensorList);
    faults.configure(options.faults, options.seed);
    writer.configure(options.tracker.batchMs, options.tracker.corruptShare, options.seed + 1);
    stepTimer.setSingleShot(true);
    stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&stepTimer, &QTimer::timeout, this, &TrackerBus::step);
}

TrackerBus::~TrackerBus()
{
    stop();
}

bool TrackerBus::start(QString* error)
{
    QString ignored;
    QString* message = error ? error : &ignored;
    if (!tap.openPseudoTerminal(message) || !tap.makeLink(lineOptions.tracker.tapLink, message)) {
        tap.close();
        return false;
    }
    busFreeMs = cycleDueMs = nowMs();
    secondDueMs = busFreeMs + lineOptions.tracker.secondMasterMs;
    stepTimer.start(0);
    return true;
}

void TrackerBus::stop()
{
    stepTimer.stop();
    writer.clear();
    tap.close();
    tap.removeLink(lineOptions.tracker.tapLink);
}

SimSensor* TrackerBus::sensorAt(int address) const
{
    for (const auto& sensor : sensorList) {
        if (sensor->address() == address)
            return sensor.get();
    }
    return nullptr;
}

QString TrackerBus::countersReport() const
{
    return sim::countersReport(sensorList);
}

bool TrackerBus::listenerReady()
{
    if (started || !lineOptions.tracker.waitForListener)
        return true;
    started = tap.settings().baudRate == line.baudRate;
    if (started) {
        busFreeMs = cycleDueMs = nowMs();
        secondDueMs = busFreeMs + lineOptions.tracker.secondMasterMs;
        emit event({{"event", "listener"}, {"t", rounded(busFreeMs)}});
    }
    return started;
}

bool TrackerBus::finished() const
{
    const int cycles = lineOptions.tracker.cycles;
    return cycles > 0 && cyclesQueued >= cycles && pending.empty();
}

void TrackerBus::step()
{
    if (!listenerReady()) {
        stepTimer.start(listenerCheckMs);
        return;
    }
    if (finished())
        return;
    const double now = nowMs();
    queueDueExchanges(now);
    if (busFreeMs <= now + 0.5)
        sendUnsolicited(now);
    if (!pending.empty() && busFreeMs <= now + 0.5) {
        const Exchange exchange = pending.front();
        pending.pop_front();
        busFreeMs = carry(exchange, std::max(now, busFreeMs)) + interFrameGapMs;
    }
    if (finished()) {
        emit event({{"event", "end"}, {"t", rounded(busFreeMs)}});
        return;
    }
    const double next = std::max(busFreeMs, pending.empty() ? nextDueMs() : busFreeMs);
    stepTimer.start(std::max(0, int(std::ceil(next - nowMs()))));
}

void TrackerBus::queueDueExchanges(double now)
{
    const Protocol protocol = lineOptions.model.protocol;
    const int cycles = lineOptions.tracker.cycles;
    if (pending.empty() && now >= cycleDueMs && (cycles == 0 || cyclesQueued < cycles)) {
        ++cyclesQueued;
        for (int address : lineOptions.addresses)
            pending.push_back({address, pollRequest(address), false});
        // A cycle that overran starts the next one late rather than catching up in a burst.
        cycleDueMs = std::max(cycleDueMs + lineOptions.tracker.periodMs, now);
    }
    const int secondMs = lineOptions.tracker.secondMasterMs;
    if (secondMs > 0 && now >= secondDueMs) {
        const int address = lineOptions.addresses.at(secondTarget++ % lineOptions.addresses.size());
        pending.push_front({address, MasterRequests::secondMaster(protocol, address), true});
        secondDueMs = std::max(secondDueMs + secondMs, now);
    }
}

QByteArray TrackerBus::pollRequest(int address)
{
    const double share = lineOptions.tracker.exceptionShare;
    if (share > 0.0 && std::uniform_real_distribution<double>(0.0, 1.0)(random) < share)
        return MasterRequests::missingRegister(address);
    return MasterRequests::poll(lineOptions.model.protocol, address);
}

void TrackerBus::sendUnsolicited(double now)
{
    for (const auto& sensor : sensorList) {
        if (!sensor->isAutonomous())
            continue;
        if (sensor->unsolicitedDueMs() < 0) {
            const int interval = std::max(1, sensor->omnicomm().autoInterval);
            sensor->setUnsolicitedDueMs(qint64(now) +
                                        qint64(interval) * lineOptions.autoIntervalUnitMs);
        }
        if (sensor->unsolicitedDueMs() > now)
            continue;
        sensor->setUnsolicitedDueMs(-1);
        const QByteArray frame = responder->unsolicitedFrame(*sensor, qint64(now));
        if (frame.isEmpty())
            continue;
        ++sensor->counters().unsolicited;
        const QJsonObject report{{"event", "unsolicited"}, {"address", sensor->address()}};
        busFreeMs = putFrame(frame, std::max(now, busFreeMs), report) + interFrameGapMs;
    }
}

double TrackerBus::nextDueMs() const
{
    double next = cycleDueMs;
    if (lineOptions.tracker.secondMasterMs > 0)
        next = std::min(next, secondDueMs);
    for (const auto& sensor : sensorList) {
        if (sensor->isAutonomous() && sensor->unsolicitedDueMs() >= 0)
            next = std::min(next, double(sensor->unsolicitedDueMs()));
    }
    return next;
}

double TrackerBus::carry(const Exchange& exchange, double startMs)
{
    const QString master = exchange.secondMaster ? "second" : "tracker";
    const double requestEnd =
        putFrame(exchange.request, startMs,
                 {{"event", "request"}, {"master", master}, {"address", exchange.address}});
    double end = -1.0;
    for (const SimReply& reply : responder->receive(exchange.request, qint64(startMs)))
        end = std::max(end, carryReply(reply, requestEnd, master));
    if (end >= 0.0)
        return end;
    const double giveUp = requestEnd + lineOptions.tracker.timeoutMs;
    emit event({{"event", "timeout"},
                {"t", rounded(giveUp)},
                {"master", master},
                {"address", exchange.address}});
    return giveUp;
}

double TrackerBus::carryReply(const SimReply& reply, double requestEndMs, const QString& master)
{
    const Fault fault = faults.draw();
    SensorCounters& counters = reply.sensor->counters();
    counters.faults += fault == Fault::None ? 0 : 1;
    if (fault == Fault::NoReply)
        return -1.0;
    QByteArray bytes = reply.bytes;
    if (fault == Fault::CorruptCrc)
        bytes[bytes.size() - 1] = char(bytes.back() ^ 0x5A);
    if (fault == Fault::WrongAddress)
        bytes = responder->fromOtherAddress(bytes);
    const int ownLatency = reply.sensor->latencyMs();
    double start = requestEndMs + (ownLatency < 0 ? lineOptions.latencyMs : ownLatency);
    if (fault == Fault::Late)
        start += lineOptions.faults.lateMs;
    QJsonObject report{
        {"event", "reply"}, {"master", master}, {"address", reply.sensor->address()}};
    if (fault != Fault::None)
        report["fault"] = faultName(fault);
    const bool modbus = lineOptions.model.protocol == Protocol::ModBus;
    if (modbus && fault != Fault::CorruptCrc && (quint8(bytes[1]) & 0x80)) {
        report["event"] = "exception";
        report["code"] = int(quint8(bytes[2]));
    }
    ++counters.replies;
    double end = putFrame(bytes, start, report);
    if (fault == Fault::Garbage)
        end = putFrame(faults.garbage(), end, {{"event", "garbage"}});
    return end;
}

double TrackerBus::putFrame(const QByteArray& bytes, double startMs, QJsonObject report)
{
    const QList<int> damaged = writer.put(bytes, startMs, line.wireMs(1));
    report["t"] = rounded(startMs);
    report["bytes"] = QString::fromLatin1(bytes.toHex());
    if (!damaged.isEmpty()) {
        QJsonArray positions;
        for (int position : damaged)
            positions.append(position);
        report["tapDamaged"] = positions;
    }
    emit event(report);
    return startMs + line.wireMs(bytes.size());
}

void TrackerBus::deliver(const QByteArray& bytes)
{
    const int rate = tap.settings().baudRate;
    if (rate != tapRate) {
        tapRate = rate;
        emit event({{"event", "tap-rate"},
                    {"t", rounded(nowMs())},
                    {"rate", rate},
                    {"understood", rate == line.baudRate}});
    }
    QByteArray heard = bytes;
    // At another rate a receiver makes noise of the line, not the frames.
    if (rate != line.baudRate) {
        for (char& byte : heard)
            byte = char(std::uniform_int_distribution<int>(0, 255)(random));
    }
    emit tapped(heard);
    tap.write(heard);
}

} // namespace sim

// Poll rate of each protocol engine on the real serial port against a simulated
// sensor line: detection off, query interval 1 ms. The rate is set against what
// the line allows for one exchange: the request and reply bytes at the line's
// rate, the sensor's latency and the gap the protocol keeps between frames.
//
// Usage: bench_pollrate [seconds per protocol, default 3] [--latencies=MS,MS,...] [--breakdown]
// One sensor a latency (default: one sensor answering after 3 ms), polled in turn.
// --breakdown splits the mean exchange into its steps, to tell the simulator's
// share of a shortfall from the engine's.
#include "log/logger.h"
#include "port/portsettings.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "support/benchrun.h"
#include "support/simulatedline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct Protocol
{
    const char* name;
    const char* model;
    int address;
    std::function<SerialEngine*()> createEngine;
    std::function<SerialSensor*(SerialEngine*, int)> addSensor;
};

// Mean milliseconds per exchange, from the engine's write to its next one.
struct Breakdown
{
    // Engine wrote the request, the simulator read it.
    double simPickup = 0;
    // Simulator read the request, wrote the reply; and what it was told to take.
    double simReply = 0;
    double simReplyWanted = 0;
    // Simulator wrote the reply, the engine had read and completed it.
    double engineRead = 0;
    // Engine completed the reply, wrote the next request; and the gap it keeps.
    double coolDown = 0;
    double gap = 0;
    int exchanges = 0;
};

// Timestamps each step of every exchange off the engine's state changes and
// the simulator's traffic signals; nothing inside either is touched.
class ExchangeClock
{
public:
    ExchangeClock(SerialEngine* engine, sim::SimLine* line)
    {
        clock.start();
        connections.append(
            QObject::connect(engine, &SerialEngine::stateChanged,
                             [this](SerialEngine::State state) { stateChanged(state); }));
        connections.append(QObject::connect(line, &sim::SimLine::bytesReceived,
                                            [this] { readAtNs = clock.nsecsElapsed(); }));
        // An echoing line writes the request back first: the reply is the last write.
        connections.append(QObject::connect(line, &sim::SimLine::bytesWritten,
                                            [this] { repliedAtNs = clock.nsecsElapsed(); }));
    }
    ~ExchangeClock()
    {
        for (const auto& connection : connections)
            QObject::disconnect(connection);
    }

    Breakdown means(double simReplyWanted, double gap) const
    {
        Breakdown mean = sums;
        const double n = std::max(1, sums.exchanges) * 1e6;
        mean.simPickup /= n;
        mean.simReply /= n;
        mean.engineRead /= n;
        mean.coolDown /= n;
        mean.simReplyWanted = simReplyWanted;
        mean.gap = gap;
        return mean;
    }

private:
    void stateChanged(SerialEngine::State state)
    {
        const qint64 now = clock.nsecsElapsed();
        const bool sent =
            state == SerialEngine::WaitingEcho ||
            (state == SerialEngine::WaitingReply && previous != SerialEngine::WaitingEcho);
        previous = state;
        if (sent) {
            if (completedAtNs > 0 && readAtNs > writtenAtNs && repliedAtNs > readAtNs) {
                sums.simPickup += double(readAtNs - writtenAtNs);
                sums.simReply += double(repliedAtNs - readAtNs);
                sums.engineRead += double(completedAtNs - repliedAtNs);
                sums.coolDown += double(now - completedAtNs);
                ++sums.exchanges;
            }
            writtenAtNs = now;
            completedAtNs = 0;
        } else if (state == SerialEngine::ReplyCooldown) {
            completedAtNs = now;
        }
    }

    QElapsedTimer clock;
    QList<QMetaObject::Connection> connections;
    SerialEngine::State previous = SerialEngine::Idle;
    qint64 writtenAtNs = 0;
    qint64 readAtNs = 0;
    qint64 repliedAtNs = 0;
    qint64 completedAtNs = 0;
    Breakdown sums;
};

struct Result
{
    double pollsPerSecond = 0.0;
    // The mean over the sensors: they are polled in turn.
    double budgetMs = 0.0;
    int exchangeBytes = 0;
    int baudRate = 0;
    int bitsPerByte = 0;
    int failed = 0;
    Breakdown breakdown;
};

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 2);
}

bool levelValid(const SerialSensor* sensor)
{
    return sensor->parameter(0)->isValid();
}

Result measure(const Protocol& protocol, const QList<int>& latencies, double seconds)
{
    Result result;
    QList<int> addresses;
    for (int i = 0; i < latencies.size(); ++i)
        addresses.append(protocol.address + i);
    sim::LineOptions options =
        SimulatedLine::options(QString::fromLatin1(protocol.model), addresses);
    for (int i = 0; i < latencies.size(); ++i)
        options.slowMs.insert(addresses.at(i), latencies.at(i));
    SimulatedLine line(options);
    QString error;
    if (!line.start(&error)) {
        std::fprintf(stderr, "%s: %s\n", protocol.name, qPrintable(error));
        return result;
    }
    std::unique_ptr<SerialEngine> engine(protocol.createEngine());
    line.attach(engine.get(), false);
    QList<SerialSensor*> sensors;
    for (int address : addresses) {
        sensors.append(protocol.addSensor(engine.get(), address));
        sensors.last()->setQueryInterval(1);
    }

    // Let the engine settle and the Omnicomm sensors read their configuration
    // first: slow sensors take longer than the half second, and reads counted
    // into the measurement would be charged to the poll rate.
    runEventLoopFor(0.5);
    for (int waited = 0; waited < 100 && !std::all_of(sensors.begin(), sensors.end(), levelValid);
         ++waited)
        runEventLoopFor(0.05);
    int polls = 0;
    QList<QMetaObject::Connection> counting;
    for (SerialSensor* sensor : sensors) {
        counting.append(QObject::connect(sensor, &BaseSensor::updated, [&, sensor] {
            if (levelValid(sensor))
                ++polls;
            else
                ++result.failed;
        }));
    }
    ExchangeClock exchangeClock(engine.get(), &line.line());
    QElapsedTimer elapsed;
    elapsed.start();
    runEventLoopFor(seconds);
    // Dismantling the engine cancels the poll in flight: not a failure of the line.
    for (const auto& connection : counting)
        QObject::disconnect(connection);
    result.pollsPerSecond = polls * 1000.0 / double(elapsed.elapsed());

    const EngineCommand poll = sensors.first()->pollLevel();
    const PortSettings& settings = line.port().settings();
    result.exchangeBytes = poll.requestLength + poll.replyLength;
    result.baudRate = baudRateValue(settings.BaudRate);
    result.bitsPerByte = settings.Parity == PAR_NONE ? 10 : 11;
    double latencySum = 0;
    for (int latency : latencies)
        latencySum += latency;
    const double wireMs = result.exchangeBytes * result.bitsPerByte * 1000.0 / result.baudRate;
    result.budgetMs = wireMs + latencySum / latencies.size() + engine->interFrameGapMs();
    result.breakdown =
        exchangeClock.means(wireMs + latencySum / latencies.size(), engine->interFrameGapMs());

    engine->deinit();
    qDeleteAll(sensors);
    return result;
}

QList<int> latenciesFrom(const QStringList& arguments)
{
    const QString prefix = QStringLiteral("--latencies=");
    QList<int> latencies;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(prefix))
            continue;
        for (const QString& value : argument.mid(prefix.size()).split(QLatin1Char(',')))
            latencies.append(value.toInt());
    }
    return latencies.isEmpty() ? QList<int>{3} : latencies;
}

const QList<Protocol>& protocols()
{
    static const QList<Protocol> list = {
        {"Omnicomm", "ZT-33", 1, [] { return new OmniCommEngine(0x0001); },
         [](SerialEngine* engine, int address) -> SerialSensor* {
             return static_cast<OmniCommEngine*>(engine)->sensorDetectedCallback(address);
         }},
        {"ModBus", "ZT-32", 1, [] { return new ModBusEngine(); },
         [](SerialEngine* engine, int address) -> SerialSensor* {
             return static_cast<ModBusEngine*>(engine)->addSensorAtAddress(address);
         }},
        {"TBus", "ZT-31", 10, [] { return new TBusEngine(0); },
         [](SerialEngine* engine, int address) -> SerialSensor* {
             return static_cast<TBusEngine*>(engine)->addSensorAtAddress(address);
         }},
    };
    return list;
}

void printBreakdown(const char* name, const Breakdown& b)
{
    std::printf("%-9s %6d %9.3f %9.3f %9.3f %9.3f %9.3f %9.3f\n", name, b.exchanges, b.simPickup,
                b.simReply - b.simReplyWanted, b.engineRead, b.coolDown - b.gap,
                b.simPickup + b.simReply + b.engineRead + b.coolDown, b.simReplyWanted + b.gap);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The sensors read the query interval from the settings: never the user's.
    QStandardPaths::setTestModeEnabled(true);
    Logger logger;
    const double seconds = benchSeconds(app.arguments(), 3.0);
    const QList<int> latencies = latenciesFrom(app.arguments());
    QStringList latencyTexts;
    for (int latency : latencies)
        latencyTexts.append(QString::number(latency));

    std::printf("Poll rate over a pseudo-terminal, %.1f s per protocol, sensors answering after "
                "%s ms, load average %s\n",
                seconds, qPrintable(latencyTexts.join(QLatin1Char(','))),
                qPrintable(loadAverage()));
    std::printf("%-9s %6s %5s %4s %10s %10s %10s %6s %6s\n", "protocol", "baud", "bytes", "bits",
                "budget ms", "budget/s", "polls/s", "ratio", "failed");
    QList<double> ratios;
    QList<Breakdown> breakdowns;
    for (const Protocol& protocol : protocols()) {
        const Result r = measure(protocol, latencies, seconds);
        if (r.budgetMs <= 0)
            return 1;
        const double budgetRate = 1000.0 / r.budgetMs;
        std::printf("%-9s %6d %5d %4d %10.2f %10.1f %10.1f %6.2f %6d\n", protocol.name, r.baudRate,
                    r.exchangeBytes, r.bitsPerByte, r.budgetMs, budgetRate, r.pollsPerSecond,
                    r.pollsPerSecond / budgetRate, r.failed);
        ratios.append(r.pollsPerSecond / budgetRate);
        breakdowns.append(r.breakdown);
    }
    if (app.arguments().contains(QStringLiteral("--breakdown"))) {
        std::printf("\nMean ms per exchange over and above the budget's share:\n%-9s %6s %9s %9s "
                    "%9s %9s %9s %9s\n",
                    "protocol", "count", "sim read", "sim late", "our read", "gap late", "exchange",
                    "budget");
        for (int i = 0; i < breakdowns.size(); ++i)
            printBreakdown(protocols().at(i).name, breakdowns.at(i));
    }
    for (int i = 0; i < ratios.size(); ++i)
        std::printf("BENCH pollrate_ratio_%s %.3f\n", protocols().at(i).name, ratios.at(i));
    std::printf("load average after the run: %s\n", qPrintable(loadAverage()));
    return 0;
}

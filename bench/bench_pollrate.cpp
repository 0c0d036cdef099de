// Poll rate of each protocol engine on the real serial port against a simulated
// sensor line: one sensor, detection off, query interval 1 ms. The rate is set
// against what the line allows for one exchange: the request and reply bytes at
// the line's rate, the sensor's latency and the engine's 10 ms cool-down.
//
// Usage: bench_pollrate [seconds per protocol, default 3]
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
#include <cstdio>
#include <functional>
#include <memory>

namespace {

const double kCooldownMs = 10.0;

struct Protocol
{
    const char* name;
    const char* model;
    int address;
    std::function<SerialEngine*()> createEngine;
    std::function<SerialSensor*(SerialEngine*, int)> addSensor;
};

struct Result
{
    double pollsPerSecond = 0.0;
    double budgetMs = 0.0;
    int exchangeBytes = 0;
    int baudRate = 0;
    int bitsPerByte = 0;
    int failed = 0;
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

Result measure(const Protocol& protocol, double seconds)
{
    Result result;
    SimulatedLine line(
        SimulatedLine::options(QString::fromLatin1(protocol.model), {protocol.address}));
    QString error;
    if (!line.start(&error)) {
        std::fprintf(stderr, "%s: %s\n", protocol.name, qPrintable(error));
        return result;
    }
    std::unique_ptr<SerialEngine> engine(protocol.createEngine());
    line.attach(engine.get(), false);
    SerialSensor* sensor = protocol.addSensor(engine.get(), protocol.address);
    sensor->setQueryInterval(1);

    // Let the engine settle and the Omnicomm sensor read its configuration first.
    runEventLoopFor(0.5);
    int polls = 0;
    const auto counting = QObject::connect(sensor, &BaseSensor::updated, [&] {
        if (levelValid(sensor))
            ++polls;
        else
            ++result.failed;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    runEventLoopFor(seconds);
    // Dismantling the engine cancels the poll in flight: not a failure of the line.
    QObject::disconnect(counting);
    result.pollsPerSecond = polls * 1000.0 / double(elapsed.elapsed());

    const EngineCommand poll = sensor->pollLevel();
    const PortSettings& settings = line.port().settings();
    result.exchangeBytes = poll.requestLength + poll.replyLength;
    result.baudRate = baudRateValue(settings.BaudRate);
    result.bitsPerByte = settings.Parity == PAR_NONE ? 10 : 11;
    result.budgetMs = result.exchangeBytes * result.bitsPerByte * 1000.0 / result.baudRate +
                      line.line().options().latencyMs + kCooldownMs;

    engine->deinit();
    delete sensor;
    return result;
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The sensors read the query interval from the settings: never the user's.
    QStandardPaths::setTestModeEnabled(true);
    Logger logger;
    const double seconds = benchSeconds(app.arguments(), 3.0);

    std::printf("Poll rate over a pseudo-terminal, %.1f s per protocol, load average %s\n", seconds,
                qPrintable(loadAverage()));
    std::printf("%-9s %6s %5s %4s %10s %10s %10s %6s %6s\n", "protocol", "baud", "bytes", "bits",
                "budget ms", "budget/s", "polls/s", "ratio", "failed");
    for (const Protocol& protocol : protocols()) {
        const Result r = measure(protocol, seconds);
        if (r.budgetMs <= 0)
            return 1;
        const double budgetRate = 1000.0 / r.budgetMs;
        std::printf("%-9s %6d %5d %4d %10.2f %10.1f %10.1f %6.2f %6d\n", protocol.name, r.baudRate,
                    r.exchangeBytes, r.bitsPerByte, r.budgetMs, budgetRate, r.pollsPerSecond,
                    r.pollsPerSecond / budgetRate, r.failed);
    }
    std::printf("load average after the run: %s\n", qPrintable(loadAverage()));
    return 0;
}

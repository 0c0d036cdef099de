// What detection costs on a simulated line over a pseudo-terminal: how long the
// first sweep takes on a silent line of each protocol, and what share of the
// readings four polled Omnicomm sensors keep while detection goes on in the
// background, against detection off.
//
// Usage: bench_detection [seconds of polling per case, default 10]
#include "log/logger.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "support/benchrun.h"
#include "support/simulatedline.h"
#include "support/waituntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <cstdio>

namespace {

const QList<int> kPolledAddresses{1, 2, 3, 4};

// Seconds from the first probe on the line to the end of the first sweep; -1 on
// failure.
double firstSweepSeconds(const QString& model, SerialEngine* engine)
{
    SimulatedLine line(SimulatedLine::options(model, {}));
    if (!line.start())
        return -1;
    QSignalSpy sweeps(engine, &SerialEngine::detectionSweepFinished);
    QElapsedTimer elapsed;
    QObject::connect(&line.line(), &sim::SimLine::bytesReceived, [&] {
        if (!elapsed.isValid())
            elapsed.start();
    });
    line.attach(engine, true);
    if (!waitUntil([&] { return sweeps.count() > 0; }, 60000))
        return -1;
    const double seconds = elapsed.elapsed() / 1000.0;
    engine->deinit();
    return seconds;
}

// Readings per second of each of four polled sensors, once any detection sweeps
// are over.
double readingsPerSensor(bool detection)
{
    SimulatedLine line(SimulatedLine::options("ZT-33", kPolledAddresses));
    OmniCommEngine engine(0x0001);
    if (!line.start())
        return -1;
    line.attach(&engine, detection);
    for (int address : kPolledAddresses)
        engine.sensorDetectedCallback(address)->setQueryInterval(1);
    if (detection && !waitUntil([&] { return engine.isDetectionInBackground(); }, 120000))
        return -1;
    runEventLoopFor(0.5);
    int readings = 0;
    for (SerialSensor* sensor : engine.sensors())
        QObject::connect(sensor, &BaseSensor::updated, [&] { ++readings; });
    QElapsedTimer elapsed;
    elapsed.start();
    runEventLoopFor(benchSeconds(QCoreApplication::arguments(), 10.0));
    const double perSensor = readings * 1000.0 / elapsed.elapsed() / kPolledAddresses.size();
    const QList<SerialSensor*> sensors = engine.sensors();
    engine.deinit();
    qDeleteAll(sensors);
    return perSensor;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The sensors read the query interval from the settings: never the user's.
    QStandardPaths::setTestModeEnabled(true);
    Logger logger;

    OmniCommEngine omnicomm(0x0001);
    std::printf("BENCH first_sweep_omnicomm_s %.2f\n", firstSweepSeconds("ZT-33", &omnicomm));
    ModBusEngine modbus;
    std::printf("BENCH first_sweep_modbus_s %.2f\n", firstSweepSeconds("ZT-32", &modbus));

    const double off = readingsPerSensor(false);
    const double on = readingsPerSensor(true);
    std::printf("BENCH readings_per_sensor_detection_off %.2f\n", off);
    std::printf("BENCH readings_per_sensor_detection_on %.2f\n", on);
    std::printf("BENCH readings_ratio_on_off %.3f\n", off > 0 ? on / off : 0.0);
    return 0;
}

#include "support/simulatedline.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "support/waituntil.h"

#include <algorithm>

namespace {
const int kHeldForAnHour = 3600 * 1000;
} // namespace

SimulatedLine::SimulatedLine(const sim::LineOptions& options)
    : simLine(options)
{
    QObject::connect(&simLine, &sim::SimLine::bytesWritten,
                     [this](const QByteArray& bytes) { bytesSent += quint64(bytes.size()); });
}

sim::LineOptions SimulatedLine::options(const QString& modelCode, const QList<int>& addresses,
                                        double fixedLevel)
{
    sim::LineOptions options;
    sim::SensorModel::byCode(modelCode, &options.model);
    options.addresses = addresses;
    options.fixedLevel = fixedLevel;
    return options;
}

bool SimulatedLine::start(QString* error)
{
    QString ignored;
    QString* reason = error ? error : &ignored;
    if (!simLine.start(reason))
        return false;
    serialPort.setPortName(simLine.portPath());
    if (serialPort.open())
        return true;
    *reason =
        QStringLiteral("cannot open %1: %2").arg(simLine.portPath(), serialPort.errorString());
    return false;
}

void SimulatedLine::attach(SerialEngine* engine, bool detection)
{
    engine->setPort(&serialPort);
    engine->setAutoDetectSensorsEnabled(detection);
    engine->resetStateMachine();
}

bool SimulatedLine::waitForQuietLine(const SerialEngine& engine, int timeoutMs)
{
    return waitUntil(
        [&] {
            return engine.state() == SerialEngine::Idle && simLine.pendingFrames() == 0 &&
                   requestsReceived() == serialPort.writes() && serialPort.bytesRead() == bytesSent;
        },
        timeoutMs);
}

quint64 SimulatedLine::requestsReceived() const
{
    quint64 requests = 0;
    for (const sim::SimSensor* sensor : simLine.sensors())
        requests += sensor->counters().requests;
    return requests;
}

void SimulatedLine::holdPolls(SerialSensor* sensor)
{
    sensor->setQueryInterval(kHeldForAnHour);
    sensor->invokeCoolDown();
}

void SimulatedLine::releasePolls(SerialSensor* sensor)
{
    sensor->setQueryInterval(1);
    sensor->slotResetCoolDown();
}

QList<int> SimulatedLine::addressesOf(const SerialEngine& engine)
{
    QList<int> addresses;
    for (const SerialSensor* sensor : engine.sensors())
        addresses << sensor->address();
    std::sort(addresses.begin(), addresses.end());
    return addresses;
}

sim::FaultSettings SimulatedLine::everyFault(double probability)
{
    sim::FaultSettings faults;
    faults.corruptCrc = probability;
    faults.noReply = probability;
    faults.garbage = probability;
    faults.wrongAddress = probability;
    faults.late = probability;
    return faults;
}

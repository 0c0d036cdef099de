#include "linesetup.h"

#include "modbusresponder.h"
#include "omnicommresponder.h"
#include "tbusresponder.h"

namespace sim {

SensorList createSensors(const LineOptions& options)
{
    SensorList sensors;
    quint32 seed = options.seed;
    for (int address : options.addresses) {
        auto sensor = std::make_unique<SimSensor>(options.model, address, seed += 7919);
        if (options.fixedLevel >= 0.0)
            sensor->physics().freeze(options.fixedLevel, 20.0);
        if (options.uncalibrated)
            sensor->setUncalibrated();
        sensor->setAutonomous(options.autonomous.contains(address));
        sensor->setLatencyMs(options.slowMs.value(address, -1));
        sensors.push_back(std::move(sensor));
    }
    return sensors;
}

std::unique_ptr<Responder> createResponder(Protocol protocol, SensorList& sensors)
{
    switch (protocol) {
    case Protocol::ModBus:
        return std::make_unique<ModBusResponder>(sensors);
    case Protocol::TBus:
        return std::make_unique<TBusResponder>(sensors);
    case Protocol::Omnicomm:
        break;
    }
    return std::make_unique<OmnicommResponder>(sensors);
}

QString countersReport(const SensorList& sensors)
{
    QString report;
    for (const auto& sensor : sensors) {
        report += QStringLiteral("sensor %1: %2\n")
                      .arg(sensor->address())
                      .arg(sensor->counters().toString());
    }
    return report;
}

LineSettings protocolLine(Protocol protocol)
{
    LineSettings line;
    line.baudRate = protocolBaudRate(protocol);
    line.bitsPerCharacter = protocol == Protocol::TBus ? 11 : 10;
    return line;
}

} // namespace sim

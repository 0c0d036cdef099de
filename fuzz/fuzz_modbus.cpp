#include "fuzzprogram.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"

namespace {

class ModBusAdapter : public ProtocolAdapter
{
public:
    SerialEngine* engine() override { return &m_engine; }
    void addSensor(uint8_t address) override { m_engine.addSensorAtAddress(address); }

    int request(SerialSensor* sensor, uint8_t, uint16_t value, CommandCallback*) override
    {
        static_cast<ModBusSensor*>(sensor)->requestSetAddress(uint8_t(value));
        return 0;
    }

    // Address changes addressed to a sensor, answered to the fuzzer instead.
    EngineCommand rawCommand(uint8_t address, uint8_t selector) override
    {
        const QList<SerialSensor*>& sensors = m_engine.sensors();
        if (sensors.isEmpty())
            return EngineCommand();
        return m_engine.createAddressChangeRequest(sensors.at(selector % sensors.size()), address);
    }

    EngineCommand levelPollOf(SerialSensor* sensor) override
    {
        return m_engine.levelPollCommand(sensor->address());
    }

private:
    ModBusEngine m_engine;
};

} // namespace

NIVELON_FUZZ_TARGET(ModBusAdapter())

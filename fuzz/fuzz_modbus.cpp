#include "fuzzprogram.h"
#include "protocols/modbusengine.h"
#include "protocols/modbussensor.h"

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
    int rawRequest(uint8_t address, uint8_t selector, CommandCallback* callback) override
    {
        const QList<SerialSensor*>& sensors = m_engine.sensors();
        if (sensors.isEmpty())
            return 0;
        EngineCommand command =
            m_engine.createAddressChangeRequest(sensors.at(selector % sensors.size()), address);
        if (command.requestLength == 0)
            return 0;
        command.callback = callback;
        m_engine.request(command);
        return 1;
    }

    QByteArray levelPollOf(SerialSensor* sensor) override
    {
        const EngineCommand poll = m_engine.levelPollCommand(sensor->address());
        return QByteArray(reinterpret_cast<const char*>(poll.request), poll.requestLength);
    }

private:
    ModBusEngine m_engine;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initializeFuzzEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ModBusAdapter adapter;
    runFuzzProgram(adapter, data, size);
    return 0;
}

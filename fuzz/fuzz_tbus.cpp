#include "fuzzprogram.h"
#include "protocols/tbusengine.h"
#include "protocols/tbussensor.h"

namespace {

class TBusAdapter : public ProtocolAdapter
{
public:
    // The first input byte also picks the calibration feature.
    explicit TBusAdapter(uint8_t features)
        : m_engine(features & 1)
    {}

    SerialEngine* engine() override { return &m_engine; }
    void addSensor(uint8_t address) override { m_engine.addSensorAtAddress(address); }

    int request(SerialSensor* serialSensor, uint8_t selector, uint16_t,
                CommandCallback* callback) override
    {
        auto* sensor = static_cast<TBusSensor*>(serialSensor);
        if (selector & 1)
            sensor->requestSetMaximum(callback);
        else
            sensor->requestSetMinimum(callback);
        return 1;
    }

    int rawRequest(uint8_t address, uint8_t selector, CommandCallback* callback) override
    {
        EngineCommand command =
            m_engine.createCalibrationCommand(address, TBusEngine::CalibrationPoint, selector);
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
    TBusEngine m_engine;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    initializeFuzzEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBusAdapter adapter(size > 0 ? data[0] : 0);
    runFuzzProgram(adapter, data, size);
    return 0;
}

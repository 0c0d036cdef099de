#include "fuzzprogram.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"

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

    EngineCommand rawCommand(uint8_t address, uint8_t selector) override
    {
        return m_engine.createCalibrationCommand(address, TBusEngine::CalibrationPoint, selector);
    }

    EngineCommand levelPollOf(SerialSensor* sensor) override
    {
        return m_engine.levelPollCommand(sensor->address());
    }

private:
    TBusEngine m_engine;
};

} // namespace

NIVELON_FUZZ_TARGET(TBusAdapter(size > 0 ? data[0] : 0))

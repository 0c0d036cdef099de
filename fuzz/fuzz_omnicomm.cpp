#include "fuzzprogram.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"

#include <QVariant>

namespace {

class OmnicommAdapter : public ProtocolAdapter
{
public:
    // The first input byte also picks the model features, so both configuration
    // layouts and the autonomous mode are reached.
    explicit OmnicommAdapter(uint8_t features)
        : m_engine(features & 0x1F)
    {}

    SerialEngine* engine() override { return &m_engine; }
    void addSensor(uint8_t address) override { m_engine.sensorDetectedCallback(address); }

    int request(SerialSensor* serialSensor, uint8_t selector, uint16_t value,
                CommandCallback* callback) override
    {
        auto* sensor = static_cast<OmniCommSensor*>(serialSensor);
        switch (selector % 4) {
        case 0:
            sensor->requestChangeParameter(selector / 4 % 16, QVariant(uint(value)), callback);
            return 1;
        case 1:
            sensor->requestSetMode(OmniCommSensor::Mode(value % 3), callback);
            return 1;
        case 2:
            sensor->requestSetAddress(value % 300);
            return 0;
        default:
            sensor->requestConfigurationUpdate();
            return 0;
        }
    }

    EngineCommand rawCommand(uint8_t address, uint8_t selector) override
    {
        return selector & 1 ? OmniCommEngine::configurationCommand(address, selector & 2)
                            : OmniCommEngine::enableAutoModeCommand(address);
    }

    EngineCommand levelPollOf(SerialSensor* sensor) override
    {
        return OmniCommEngine::levelPollCommand(sensor->address());
    }

private:
    OmniCommEngine m_engine;
};

} // namespace

NIVELON_FUZZ_TARGET(OmnicommAdapter(size > 0 ? data[0] : 0))

#include "omnicommconfig.h"

#include <cmath>

namespace sim {

int OmnicommConfig::writeDataSize(quint8 code)
{
    switch (code) {
    case 0x13: // auto interval
    case 0xF6: // data format
    case 0xE0: // normal temperature
    case 0x0E: // analogue output range
        return 1;
    case 0x0B: // FMin
    case 0x0C: // FMax
    case 0xF7: // sample count
    case 0xFD: // PWM maximum
    case 0xF0: // control output
    case 0x0D: // analogue output ratio
        return 2;
    default:
        return 0;
    }
}

static bool store(int& field, int value, bool acceptable)
{
    if (acceptable)
        field = value;
    return acceptable;
}

bool OmnicommConfig::write(quint8 code, int raw)
{
    switch (code) {
    case 0x13:
        return store(autoInterval, raw, raw != 0);
    case 0xF6:
        return store(dataFormat, raw, raw <= 3);
    case 0xE0:
        return store(normalTemperature, raw, true);
    case 0x0E:
        return store(analogueRange, raw, raw <= 1);
    case 0x0B:
        // The two calibration points must stay apart, or the level is undefined.
        return store(fMin, raw, raw < fMax);
    case 0x0C:
        return store(fMax, raw, raw > fMin);
    case 0xF7:
        return store(sampleCount, raw, raw >= 1 && raw <= 255);
    case 0xFD:
        return store(pwmMax, decodeSignMagnitude(raw), true);
    case 0xF0:
        return store(controlOutput, raw, true);
    case 0x0D:
        return store(analogueRatio, raw, true);
    default:
        return false;
    }
}

int OmnicommConfig::dataFormatMaximum() const
{
    switch (dataFormat) {
    case 0:
        return 1023;
    case 1:
        return 4095;
    case 2:
        return 8191;
    default:
        return 65535;
    }
}

int OmnicommConfig::rawLevelFor(double level) const
{
    return int(std::lround(level * dataFormatMaximum()));
}

int OmnicommConfig::frequencyFor(double level) const
{
    // A capacitive probe: the fuller the tank, the lower the frequency.
    return int(std::lround(fMax - level * (fMax - fMin)));
}

int OmnicommConfig::decodeSignMagnitude(int raw)
{
    const int magnitude = raw & 0x7FFF;
    return (raw & 0x8000) ? -magnitude : magnitude;
}

int OmnicommConfig::encodeSignMagnitude(int value)
{
    return value < 0 ? (0x8000 | (-value & 0x7FFF)) : (value & 0x7FFF);
}

} // namespace sim

#pragma once

#include <QtGlobal>

namespace sim {

// The configuration an Omnicomm sensor keeps, and its rules for which written
// values it accepts.
struct OmnicommConfig
{
    int autoInterval = 1; // seconds between unsolicited frames
    int fMax = 20000;     // frequency at an empty tank
    int fMin = 5000;      // frequency at a full tank
    int sampleCount = 10;
    int pwmMax = 1000; // signed: negative means a reversed output
    int controlOutput = 500;
    int dataFormat = 2;
    int normalTemperature = 20;
    int analogueRatio = 1000;
    int analogueRange = 0;

    // Data bytes a write command carries: 1 or 2, or 0 for a code that is not a write.
    static int writeDataSize(quint8 code);
    // Applies the raw little-endian value of a write; false when the value is refused.
    bool write(quint8 code, int raw);

    int rawLevelFor(double level) const;
    int frequencyFor(double level) const;
    int dataFormatMaximum() const;

    static int decodeSignMagnitude(int raw);
    static int encodeSignMagnitude(int value);
};

} // namespace sim

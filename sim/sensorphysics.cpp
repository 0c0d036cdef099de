#include "sensorphysics.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
const double fillPerSecond = 0.005;
const double lowTurn = 0.05;
const double highTurn = 0.95;
const double sloshSigma = 0.002;
const double driftSigmaPerSecond = 0.05;
const double ambient = 20.0;
} // namespace

SensorPhysics::SensorPhysics(quint32 seed)
    : random(seed)
{}

void SensorPhysics::advanceTo(qint64 nowMs)
{
    if (frozen) {
        slosh = wobble.offsetAt(nowMs - pouredMs);
        return;
    }
    const double seconds = lastMs < 0 ? 0.0 : std::max<qint64>(0, nowMs - lastMs) / 1000.0;
    lastMs = nowMs;
    moveLevel(seconds);
    driftTemperature(seconds);
}

double SensorPhysics::level() const
{
    return std::clamp(baseLevel + slosh, 0.0, 1.0);
}

void SensorPhysics::freeze(double level, double temperature)
{
    frozen = true;
    baseLevel = std::clamp(level, 0.0, 1.0);
    slosh = 0.0;
    currentTemperature = temperature;
    wobble = LevelWobble();
}

void SensorPhysics::pourTo(double level, qint64 nowMs, const LevelWobble& settling)
{
    freeze(level, currentTemperature);
    wobble = settling;
    pouredMs = nowMs;
    slosh = wobble.offsetAt(0);
}

void SensorPhysics::moveLevel(double seconds)
{
    baseLevel += direction * fillPerSecond * seconds;
    if (baseLevel > highTurn || baseLevel < lowTurn) {
        baseLevel = std::clamp(baseLevel, lowTurn, highTurn);
        direction = -direction;
    }
    slosh = std::normal_distribution<double>(0.0, sloshSigma)(random);
}

void SensorPhysics::driftTemperature(double seconds)
{
    if (seconds <= 0.0)
        return;
    const double step = std::normal_distribution<double>(0.0, driftSigmaPerSecond)(random);
    // A weak pull back to ambient keeps a long run from wandering off.
    currentTemperature +=
        step * std::sqrt(seconds) + (ambient - currentTemperature) * 0.001 * seconds;
    currentTemperature = std::clamp(currentTemperature, -40.0, 85.0);
}

} // namespace sim

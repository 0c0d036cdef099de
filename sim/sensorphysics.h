#pragma once

#include "levelwobble.h"

#include <QtGlobal>
#include <random>

namespace sim {

// What the probe of one sensor "sees" over time: a tank that fills and drains
// slowly with a little slosh, and a temperature that wanders. Time is given
// by the caller so that tests stay deterministic.
class SensorPhysics
{
public:
    explicit SensorPhysics(quint32 seed = 1);

    void advanceTo(qint64 nowMs);
    // Fraction of full scale, 0 to 1.
    double level() const;
    // The level under the slosh and the wobble.
    double calmLevel() const { return baseLevel; }
    double temperature() const { return currentTemperature; }

    // Stops all motion and noise: for tests that compare readings exactly.
    void freeze(double level, double temperature);
    bool isFrozen() const { return frozen; }
    // Holds the level where a pour left it, the surface wobbling at first.
    void pourTo(double level, qint64 nowMs, const LevelWobble& wobble);

private:
    void moveLevel(double seconds);
    void driftTemperature(double seconds);

    std::mt19937 random;
    double baseLevel = 0.3;
    double direction = 1.0;
    double slosh = 0.0;
    double currentTemperature = 20.0;
    qint64 lastMs = -1;
    bool frozen = false;
    LevelWobble wobble;
    qint64 pouredMs = 0;
};

} // namespace sim

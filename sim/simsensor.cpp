#include "simsensor.h"

#include <cmath>

namespace sim {

namespace {
const int minimumUndefined = 20000;
const int maximumUndefined = 30000;
} // namespace

SimSensor::SimSensor(const SensorModel& model, int address, quint32 seed)
    : sensorModel(model)
    , busAddress(address)
    , sensorPhysics(seed)
{}

void SimSensor::setAutonomous(bool on)
{
    autonomous = on;
    unsolicitedDue = -1;
}

void SimSensor::setUncalibrated()
{
    minimumSet = false;
    maximumSet = false;
}

void SimSensor::calibrateMinimum()
{
    adcMin = adcValue();
    minimumSet = true;
}

void SimSensor::calibrateMaximum()
{
    adcMax = adcValue();
    maximumSet = true;
}

int SimSensor::adcValue() const
{
    // A 12-bit converter that never quite reaches its rails.
    return int(std::lround(400 + sensorPhysics.level() * 3200));
}

int SimSensor::tbusValue() const
{
    if (!minimumSet)
        return minimumUndefined;
    if (!maximumSet)
        return maximumUndefined;
    return int(std::lround(sensorPhysics.level() * 10000));
}

int SimSensor::modbusValue() const
{
    return int(std::lround(sensorPhysics.level() * 10000));
}

} // namespace sim

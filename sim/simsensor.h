#pragma once

#include "omnicommconfig.h"
#include "sensorcounters.h"
#include "sensormodel.h"
#include "sensorphysics.h"

#include <memory>
#include <vector>

namespace sim {

// One simulated sensor: its bus address, what it measures, the state its
// protocol lets the master change, and its counters. It knows no frame format;
// the responders turn its values into bytes.
class SimSensor
{
public:
    SimSensor(const SensorModel& model, int address, quint32 seed);

    const SensorModel& model() const { return sensorModel; }
    int address() const { return busAddress; }
    void setAddress(int address) { busAddress = address; }

    SensorPhysics& physics() { return sensorPhysics; }
    const SensorPhysics& physics() const { return sensorPhysics; }
    OmnicommConfig& omnicomm() { return config; }
    const OmnicommConfig& omnicomm() const { return config; }
    SensorCounters& counters() { return sensorCounters; }
    const SensorCounters& counters() const { return sensorCounters; }

    // How long the sensor thinks before it answers; below 0 for the line's latency.
    int latencyMs() const { return ownLatencyMs; }
    void setLatencyMs(int milliseconds) { ownLatencyMs = milliseconds; }

    bool isAutonomous() const { return autonomous; }
    // Switching the mode either way forgets when the next unsolicited frame was due.
    void setAutonomous(bool on);
    qint64 unsolicitedDueMs() const { return unsolicitedDue; }
    void setUnsolicitedDueMs(qint64 dueMs) { unsolicitedDue = dueMs; }

    // TBus calibration: a sensor that lost its points reports error codes.
    void setUncalibrated();
    void calibrateMinimum();
    void calibrateMaximum();
    int adcValue() const;
    int adcMinimum() const { return adcMin; }
    int adcMaximum() const { return adcMax; }
    // The TBus level word: level × 10000, or 20000/30000 while a point is missing.
    int tbusValue() const;

    // The ModBus level register: percent × 100.
    int modbusValue() const;

private:
    SensorModel sensorModel;
    int busAddress;
    SensorPhysics sensorPhysics;
    OmnicommConfig config;
    SensorCounters sensorCounters;
    int ownLatencyMs = -1;
    bool autonomous = false;
    qint64 unsolicitedDue = -1;
    bool minimumSet = true;
    bool maximumSet = true;
    int adcMin = 400;
    int adcMax = 3600;
};

using SensorList = std::vector<std::unique_ptr<SimSensor>>;

} // namespace sim

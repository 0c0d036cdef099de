#pragma once

#include "faultinjector.h"
#include "levelwobble.h"
#include "sensormodel.h"
#include "tankgeometry.h"
#include "trackeroptions.h"

#include <QList>
#include <QMap>
#include <QString>

namespace sim {

// Everything that sets up one simulated line; filled from the command line or by a test.
struct LineOptions
{
    SensorModel model;
    QList<int> addresses;  // one sensor per address
    QList<int> autonomous; // Omnicomm addresses that start in autonomous mode
    bool uncalibrated = false;
    int latencyMs = 3;
    QMap<int, int> slowMs;         // address: that sensor's own latency instead of latencyMs
    bool echo = false;             // the line hands every byte written back, as a LIN line does
    int noiseBytes = 0;            // bursts of this many random bytes...
    int noiseIntervalMs = 0;       // ...every so often; 0 for a line without noise
    int autoIntervalUnitMs = 1000; // tests shorten the autonomous interval's second
    double fixedLevel = -1.0;      // 0 to 1 freezes every level (and 20 °C); below 0 lets it move
    QString devicePath;            // empty: create a pseudo-terminal
    QString linkPath;              // symlink to the pseudo-terminal, if set
    quint32 seed = 1;
    FaultSettings faults;
    LevelWobble wobble;    // how the surface calms after a level command
    bool commands = false; // level commands come on standard input
    TankGeometry tank;     // when set, pour commands pour litres into a tank of this shape
    TrackerOptions tracker; // when enabled, the line is a tracker's bus, heard through a tap
};

} // namespace sim

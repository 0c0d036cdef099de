#pragma once

#include <QString>

namespace sim {

// What one sensor saw and did, so that a run can be checked from the sensor's side.
struct SensorCounters
{
    quint64 requests = 0;      // well-formed frames addressed to this sensor
    quint64 replies = 0;       // replies that went out on the line
    quint64 unsolicited = 0;   // data frames sent by itself in autonomous mode
    quint64 writesApplied = 0; // accepted writes, address changes, mode switches, calibrations
    quint64 faults = 0;        // replies deliberately damaged, delayed or withheld

    QString toString() const;
};

} // namespace sim

#pragma once

#include <QString>

namespace sim {

// The line played as a vehicle's tracker sees it: the simulator is the master of its own
// sensors and mirrors the whole bus to a listener's pseudo-terminal.
struct TrackerOptions
{
    int periodMs = 0;             // each sensor is polled this often; 0 for no tracker
    QString tapLink;              // symlink to the listener's pseudo-terminal, if set
    int batchMs = 0;              // deliver the tap every so often, as a USB adapter does
    double corruptShare = 0.0;    // share of tap bytes damaged on the way to the listener
    double exceptionShare = 0.0;  // ModBus polls asking for a register the sensor lacks
    int secondMasterMs = 0;       // a second master's request this often; 0 for none
    int timeoutMs = 150;          // how long the tracker waits for a reply
    int cycles = 0;               // poll cycles before the bus falls quiet; 0 for no end
    bool waitForListener = false; // start once a listener has set the line's rate on the tap

    bool enabled() const { return periodMs > 0; }
};

} // namespace sim

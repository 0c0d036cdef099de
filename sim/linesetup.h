#pragma once

#include "lineendpoint.h"
#include "lineoptions.h"
#include "responder.h"

#include <memory>

namespace sim {

// The sensors a line's options ask for, each moving on its own but the whole line
// repeating with the seed.
SensorList createSensors(const LineOptions& options);
// The sensor side of the options' protocol over those sensors.
std::unique_ptr<Responder> createResponder(Protocol protocol, SensorList& sensors);
// What each sensor saw and did, one line each.
QString countersReport(const SensorList& sensors);
// Rate and character frame of the protocol's line: TBus adds its parity bit.
LineSettings protocolLine(Protocol protocol);

} // namespace sim

#pragma once

#include "tank/tanktable.h"

class BaseSensor;

// Where a table is being made: the sensor's model and address, what its raw
// level counts in, now, and which Nivelon made it.
TankTableInfo tankTableOrigin(const BaseSensor* sensor, const QString& model,
                              const QString& version);

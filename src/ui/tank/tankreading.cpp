#include "tank/tankreading.h"

#include "protocols/modbussensor.h"

#include <QDateTime>

// ModBus sensors keep their level in percent, the others as a fraction of full
// scale; every sensor keeps its raw level second.
TankReading TankReading::of(const BaseSensor* sensor)
{
    const KtParameter* level = sensor->parameter(0);
    const KtParameter* raw = sensor->parameter(1);
    const double scale = qobject_cast<const ModBusSensor*>(sensor) ? 1.0 : 100.0;
    TankReading reading;
    reading.timeMs = QDateTime::currentMSecsSinceEpoch();
    reading.level = level->variantValue().toDouble() * scale;
    reading.rawLevel = raw->variantValue().toInt();
    reading.valid = level->isValid() && raw->isValid();
    return reading;
}

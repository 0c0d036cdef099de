#include "log/sensorevents.h"

#include "log/addresstext.h"
#include "log/logger.h"

void SensorEvents::record(int address, const QString& text)
{
    Logger::message(Logger::Sensors, tr("Sensor %1: %2").arg(AddressText::both(address), text));
}

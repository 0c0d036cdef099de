#include "log/sensorevents.h"

#include "log/logger.h"

void SensorEvents::record(int address, const QString& text)
{
    Logger::message(Logger::Sensors,
                    tr("Sensor 0x%1: %2").arg(address, 2, 16, QLatin1Char('0')).arg(text));
}

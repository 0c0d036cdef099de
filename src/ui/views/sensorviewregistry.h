#pragma once

#include <functional>

class BaseSensor;
class SensorWidget;
struct QMetaObject;

// Which view each sensor type gets. The line knows no views: the screen registers
// them at start (registerSensorViews) and asks here for a sensor's own.
class SensorViewRegistry
{
public:
    using MakeView = std::function<SensorWidget*(BaseSensor* sensor)>;

    // A sensor of sensorClass, or of a class derived from it, gets its view from make.
    static void add(const QMetaObject& sensorClass, MakeView make);

    // The view registered for the nearest class of the sensor, set up with the
    // stored plot settings; null when none is. The caller owns it.
    static SensorWidget* create(BaseSensor* sensor);
};

#pragma once

#include <functional>

class BaseSensor;
class SensorWidget;
struct QMetaObject;

// Which view each sensor type gets. The views belong to the screen above the line,
// which registers them at start; a sensor only asks here for its own, so a line
// without a screen (the command-line tool) builds no widget at all.
class SensorViewRegistry
{
public:
    using MakeView = std::function<SensorWidget*(BaseSensor* sensor)>;
    using PrepareView = std::function<void(SensorWidget* view)>;

    // A sensor of sensorClass, or of a class derived from it, gets its view from make.
    static void add(const QMetaObject& sensorClass, MakeView make);
    // What every new view goes through before it is handed out.
    static void setPrepare(PrepareView prepare);

    // The view registered for the nearest class of the sensor, or null.
    static SensorWidget* make(BaseSensor* sensor);
    static void prepare(SensorWidget* view);
};

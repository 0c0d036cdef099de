#pragma once

#include <QtGlobal>

class BaseSensor;

// A sensor's level as the tank calibration takes it: the only place that
// knows how each sensor keeps its level, raw level and time of reading.
struct TankReading
{
    qint64 timeMs = 0;
    double level = 0; // percent
    int rawLevel = 0;
    bool valid = false;

    static TankReading of(const BaseSensor* sensor);
};

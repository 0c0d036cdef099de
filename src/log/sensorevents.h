#pragma once

#include <QCoreApplication>
#include <QString>

// The status tab's story of the sensors: one line for each sensor found or lost,
// each parameter written and each value refused, all in one form, so that the
// engineer can read back what was done to which sensor.
class SensorEvents
{
    Q_DECLARE_TR_FUNCTIONS(SensorEvents)
public:
    static void record(int address, const QString& text);
};

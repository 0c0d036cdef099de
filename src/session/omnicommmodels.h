#pragma once

#include "protocols/omnicomm/omnicommsensor.h"

#include <QStringList>

// Which Omnicomm models give a configuration reply of each length: the sensor
// hears the length, the model table above it knows the models.
class OmniCommModels
{
public:
    // The models whose configuration reply is of the kind, by code.
    static QStringList of(OmniCommSensor::ConfigurationKind kind);
    // What to tell the engineer when the sensor answers as another model than
    // was chosen: the models that give its reply; empty when it does not.
    static QString wrongModelText(const OmniCommSensor& sensor);
};

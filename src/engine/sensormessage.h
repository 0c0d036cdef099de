#pragma once

#include "engine/linedatamessage.h"

class BaseSensor;

// A sensor's own record of one of its commands, with a note of what it made of it.
class SensorMessage : public LineDataMessage
{
public:
    SensorMessage(BaseSensor* sensor, const EngineCommand& command, CommandCallback::Result result,
                  const QString& note);

    BaseSensor* sensor;
    QString note;

protected:
    QString toStringImpl() const override;
};

#include "engine/sensormessage.h"

SensorMessage::SensorMessage(BaseSensor* sensor, const EngineCommand& command,
                             CommandCallback::Result result, const QString& note)
    : LineDataMessage(Logger::Sensor, command, result)
    , sensor(sensor)
    , note(note)
{}

QString SensorMessage::toStringImpl() const
{
    const QString text = LineDataMessage::toStringImpl();
    return note.isEmpty() ? text : text + QLatin1Char(' ') + note;
}

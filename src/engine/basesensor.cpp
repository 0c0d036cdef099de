#include "engine/basesensor.h"

#include "engine/baseengine.h"
#include "engine/sensormessage.h"

#include <QCoreApplication>

BaseSensor::BaseSensor(BaseEngine* engine)
    : m_engine(engine)
{
    // The signal's argument type is spelled uint8_t; spies and queued
    // connections need that name known.
    qRegisterMetaType<uint8_t>("uint8_t");
    qRegisterMetaType<SensorReading>();
    addFloatParameter(QCoreApplication::translate("BaseSensor", "Level"));
}

quint32 BaseSensor::features() const
{
    return m_engine ? m_engine->features() : 0;
}

void BaseSensor::setAddress(uint8_t address)
{
    m_address = address;
    emit addressChanged(address);
}

void BaseSensor::setTankTable(const TankTable* table)
{
    if (table)
        m_tankTable = *table;
    else
        m_tankTable.reset();
    emit tankTableChanged();
}

void BaseSensor::update()
{
    emit updated();
}

void BaseSensor::report(const SensorReading& reading)
{
    m_lastReading = reading;
    emit reported(m_lastReading);
    update();
}

void BaseSensor::logCommandResult(CommandCallback::Result result, const EngineCommand& command,
                                  const QString& note)
{
    Logger::message(SensorMessage(this, command, result, note));
}

void BaseSensor::requestChangeParameter(int, const QVariant&, CommandCallback*) {}

QString BaseSensor::dataFormatText() const
{
    return QStringLiteral("full scale 10000");
}

#include "engine/serialsensor.h"

#include "engine/serialengine.h"
#include "settings/boundedsetting.h"
#include "settings/settingskeys.h"

#include <QSettings>
#include <QTimer>

SerialSensor::SerialSensor(SerialEngine* engine)
    : BaseSensor(engine)
    , m_coolDownTimer(new QTimer(this))
{
    if (engine)
        engine->addSensor(this);
    m_coolDownTimer->setSingleShot(true);
    m_coolDownTimer->setInterval(storedQueryInterval());
    connect(m_coolDownTimer, &QTimer::timeout, this, &SerialSensor::slotResetCoolDown);
}

SerialEngine* SerialSensor::engine() const
{
    return static_cast<SerialEngine*>(baseEngine());
}

QObject* SerialSensor::manager() const
{
    return baseEngine() ? baseEngine()->parent() : nullptr;
}

int SerialSensor::queryInterval() const
{
    return m_coolDownTimer->interval();
}

EngineCommand SerialSensor::pollLevel()
{
    EngineCommand command = engine()->pollRequest(address());
    command.kind = EngineCommand::LevelPoll;
    command.callback = m_levelPollCallback;
    return command;
}

void SerialSensor::invokeCoolDown()
{
    m_coolDown = true;
    m_coolDownTimer->start();
}

void SerialSensor::setQueryInterval(int milliseconds)
{
    m_coolDownTimer->setInterval(qMax(SettingsKeys::QueryIntervalMinimum, milliseconds));
}

void SerialSensor::deinit()
{
    emit deinitialised();
}

void SerialSensor::slotResetCoolDown()
{
    m_coolDown = false;
    emit coolDownEnded();
}

int SerialSensor::storedQueryInterval()
{
    return boundedSetting(QSettings(), SettingsKeys::QueryInterval,
                          SettingsKeys::QueryIntervalDefault, SettingsKeys::QueryIntervalMinimum);
}

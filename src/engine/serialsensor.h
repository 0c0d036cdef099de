#pragma once

#include "engine/basesensor.h"
#include "engine/enginecommand.h"

class QTimer;
class SerialEngine;

// A sensor on a polled serial line. Its cool-down spaces its level polls by the
// query interval, so one fast sensor cannot starve the others.
class SerialSensor : public BaseSensor
{
    Q_OBJECT
public:
    explicit SerialSensor(SerialEngine* engine);

    SerialEngine* engine() const;
    QObject* manager() const;
    bool isCoolingDown() const { return m_coolDown; }
    int queryInterval() const;

    virtual EngineCommand pollLevel() = 0;
    void invokeCoolDown();
    void setQueryInterval(int milliseconds);
    void deinit() override;

    static int storedQueryInterval();

public slots:
    void slotResetCoolDown();

private:
    bool m_coolDown = false;
    QTimer* m_coolDownTimer;
};

#pragma once

#include "engine/enginecommand.h"

#include <QObject>

class BaseSensor;

// The protocol-neutral face of an engine: it accepts commands, builds the generic
// requests that views ask for, and announces the sensors it finds.
class BaseEngine : public QObject
{
    Q_OBJECT
public:
    explicit BaseEngine(quint32 features, QObject* parent = nullptr);

    quint32 features() const { return m_features; }
    bool isAutoDetectSensorsEnabled() const { return m_autoDetectSensorsEnabled; }

    virtual void request(const EngineCommand& command) = 0;
    virtual EngineCommand createAddressChangeRequest(BaseSensor* sensor, unsigned short newAddress);
    virtual void deinit() = 0;
    virtual void setAutoDetectSensorsEnabled(bool enabled);

signals:
    void sensorDetected(BaseSensor* sensor);

private:
    const quint32 m_features;
    bool m_autoDetectSensorsEnabled = false;
};

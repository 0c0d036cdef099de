#pragma once

#include "engine/commandcallback.h"
#include "engine/sensorreading.h"
#include "parameters/ktparametercollection.h"
#include "tank/tanktable.h"

#include <QObject>
#include <QVariant>
#include <cstdint>
#include <optional>

class BaseEngine;
struct EngineCommand;

// The protocol-neutral face of one sensor: a bus address, its parameters
// (parameter 0 always being the level) and its last reading. Sensors have no
// parent: the engine that created one dismantles it, or whoever closes its tab
// does.
class BaseSensor : public QObject, public KtParameterCollection
{
    Q_OBJECT
public:
    explicit BaseSensor(BaseEngine* engine);

    BaseEngine* baseEngine() const { return m_engine; }
    quint32 features() const;
    uint8_t address() const { return m_address; }
    void setAddress(uint8_t address);
    // The newest reading, as of the last updated() that followed an exchange.
    const SensorReading& lastReading() const { return m_lastReading; }
    void update();
    void logCommandResult(CommandCallback::Result result, const EngineCommand& command,
                          const QString& note = QString());

    virtual void deinit() = 0;
    // Writes one configuration parameter to the device; sensors without writable
    // parameters ignore the request.
    virtual void requestChangeParameter(int index, const QVariant& value,
                                        CommandCallback* callback);
    // What the raw level counts in, as a tank table records it: ten-thousandths
    // of full scale unless the sensor is told its own scale.
    virtual QString dataFormatText() const;

    // The table from this sensor's raw level to the litres in its tank, null
    // when none was loaded or recorded. The setter copies; null removes it.
    const TankTable* tankTable() const { return m_tankTable ? &*m_tankTable : nullptr; }
    void setTankTable(const TankTable* table);

signals:
    // The stream of the sensor's readings, one per exchange or frame heard:
    // what the views, the recorder, the litres and the command line take.
    void reported(const SensorReading& reading);
    void updated();
    void addressChanged(uint8_t newAddress);
    void tankTableChanged();

protected:
    // Keeps the reading and hands it on: the one source of readings.
    void report(const SensorReading& reading);

private:
    BaseEngine* const m_engine;
    uint8_t m_address = 0;
    SensorReading m_lastReading;
    std::optional<TankTable> m_tankTable;
};

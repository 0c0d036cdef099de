#include "views/sensorviews.h"

#include "protocols/modbus/modbussensor.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "protocols/tbus/tbussensor.h"
#include "views/modbussensorwidget.h"
#include "views/omnicommsensorwidget.h"
#include "views/sensorviewregistry.h"
#include "views/tbussensorwidget.h"

namespace {

template <typename Sensor, typename View>
void addView()
{
    SensorViewRegistry::add(Sensor::staticMetaObject, [](BaseSensor* sensor) -> SensorWidget* {
        return new View(static_cast<Sensor*>(sensor));
    });
}

} // namespace

void registerSensorViews()
{
    addView<OmniCommSensor, OmniCommSensorWidget>();
    addView<ModBusSensor, ModBusSensorWidget>();
    addView<TBusSensor, TBusSensorWidget>();
}

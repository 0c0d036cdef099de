#include "views/sensorviewregistry.h"

#include "engine/basesensor.h"
#include "views/sensorwidget.h"

#include <QHash>

namespace {

QHash<const QMetaObject*, SensorViewRegistry::MakeView>& makers()
{
    static QHash<const QMetaObject*, SensorViewRegistry::MakeView> registered;
    return registered;
}

} // namespace

void SensorViewRegistry::add(const QMetaObject& sensorClass, MakeView make)
{
    makers().insert(&sensorClass, std::move(make));
}

SensorWidget* SensorViewRegistry::create(BaseSensor* sensor)
{
    for (const QMetaObject* type = sensor->metaObject(); type; type = type->superClass()) {
        const auto found = makers().constFind(type);
        if (found == makers().cend())
            continue;
        SensorWidget* view = (*found)(sensor);
        if (view)
            view->updatePlotSettings();
        return view;
    }
    return nullptr;
}

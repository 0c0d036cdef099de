#include "engine/sensorviewregistry.h"

#include "engine/basesensor.h"

#include <QHash>

namespace {

QHash<const QMetaObject*, SensorViewRegistry::MakeView>& makers()
{
    static QHash<const QMetaObject*, SensorViewRegistry::MakeView> registered;
    return registered;
}

SensorViewRegistry::PrepareView& preparer()
{
    static SensorViewRegistry::PrepareView registered;
    return registered;
}

} // namespace

void SensorViewRegistry::add(const QMetaObject& sensorClass, MakeView make)
{
    makers().insert(&sensorClass, std::move(make));
}

void SensorViewRegistry::setPrepare(PrepareView prepare)
{
    preparer() = std::move(prepare);
}

SensorWidget* SensorViewRegistry::make(BaseSensor* sensor)
{
    for (const QMetaObject* type = sensor->metaObject(); type; type = type->superClass()) {
        const auto found = makers().constFind(type);
        if (found != makers().cend())
            return (*found)(sensor);
    }
    return nullptr;
}

void SensorViewRegistry::prepare(SensorWidget* view)
{
    if (preparer())
        preparer()(view);
}

#include "session/tanktableorigin.h"

#include "engine/basesensor.h"

TankTableInfo tankTableOrigin(const BaseSensor* sensor, const QString& model,
                              const QString& version)
{
    TankTableInfo info;
    info.model = model;
    info.address = sensor->address();
    info.dataFormat = sensor->dataFormatText();
    info.date = QDateTime::currentDateTime();
    info.version = version;
    return info;
}

#include "session/tanktableorigin.h"

#include "protocols/omnicomm/omnicommsensor.h"

namespace {

// Omnicomm sensors are told their scale; the others report hundredths of a
// percent or ten-thousandths of full scale.
QString dataFormatOf(const BaseSensor* sensor)
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(sensor);
    if (!omnicomm)
        return QStringLiteral("full scale 10000");
    if (!omnicomm->parameter(OmniCommSensor::DataFormatIndex)->isValid())
        return QStringLiteral("unknown");
    return QStringLiteral("%1 (full scale %2)")
        .arg(omnicomm->parameter(OmniCommSensor::DataFormatIndex)->variantValue().toInt())
        .arg(double(omnicomm->dataFormatDivisor()));
}

} // namespace

TankTableInfo tankTableOrigin(const BaseSensor* sensor, const QString& model,
                              const QString& version)
{
    TankTableInfo info;
    info.model = model;
    info.address = sensor->address();
    info.dataFormat = dataFormatOf(sensor);
    info.date = QDateTime::currentDateTime();
    info.version = version;
    return info;
}

#include "session/omnicommmodels.h"

#include "session/enginefactory.h"

#include <QCoreApplication>

QStringList OmniCommModels::of(OmniCommSensor::ConfigurationKind kind)
{
    if (kind == OmniCommSensor::NotHeard)
        return {};
    const quint32 extended = EngineFactory::FeatureExtendedConfiguration;
    return EngineFactory::modelCodes(EngineFactory::BusOmniComm, extended,
                                     kind == OmniCommSensor::ExtendedConfiguration ? extended : 0);
}

// The texts keep the sensor's translation context, where the catalogues hold them.
QString OmniCommModels::wrongModelText(const OmniCommSensor& sensor)
{
    if (!sensor.isWrongModel())
        return QString();
    const OmniCommSensor::ConfigurationKind heard = sensor.heardConfiguration();
    const QString kind =
        heard == OmniCommSensor::ExtendedConfiguration
            ? QCoreApplication::translate("OmniCommSensor", "extended configuration")
            : QCoreApplication::translate("OmniCommSensor", "basic configuration");
    return QCoreApplication::translate(
               "OmniCommSensor",
               "the sensor at address %1 answers as %2 (%3); choose one of those models")
        .arg(sensor.address())
        .arg(of(heard).join(QStringLiteral(", ")), kind);
}

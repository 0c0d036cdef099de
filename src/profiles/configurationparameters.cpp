#include "profiles/configurationparameters.h"

#include "parameters/ktparameter.h"
#include "protocols/omnicomm/omnicommsensor.h"

namespace {

struct NamedParameter
{
    int index;
    const char* name;
};

const NamedParameter kNames[] = {
    {OmniCommSensor::AutoIntervalIndex, "AutoInterval"},
    {OmniCommSensor::FMaxIndex, "FMax"},
    {OmniCommSensor::FMinIndex, "FMin"},
    {OmniCommSensor::SampleCountIndex, "SampleCount"},
    {OmniCommSensor::PwmMaxIndex, "PWM_Max"},
    {OmniCommSensor::ControlOutputIndex, "ControlOutput"},
    {OmniCommSensor::DataFormatIndex, "DataFormat"},
    {OmniCommSensor::NormalTemperatureIndex, "NormalTemperature"},
    {OmniCommSensor::AnalogueOutputRatioIndex, "AnalogueOutputRatio"},
    {OmniCommSensor::AnalogueOutputRangeIndex, "AnalogueOutputRange"},
};

QVariant modeOf(const OmniCommSensor& sensor)
{
    switch (sensor.mode()) {
    case OmniCommSensor::NetworkMode:
        return QStringLiteral("network");
    case OmniCommSensor::AutonomousMode:
        return QStringLiteral("autonomous");
    default:
        return QVariant();
    }
}

} // namespace

QList<int> ConfigurationParameters::indexes()
{
    QList<int> all;
    for (const NamedParameter& parameter : kNames)
        all << parameter.index;
    return all;
}

QString ConfigurationParameters::name(int index)
{
    for (const NamedParameter& parameter : kNames) {
        if (parameter.index == index)
            return QLatin1String(parameter.name);
    }
    return QString();
}

int ConfigurationParameters::indexOf(const QString& name)
{
    for (const NamedParameter& parameter : kNames) {
        if (name.compare(QLatin1String(parameter.name), Qt::CaseInsensitive) == 0)
            return parameter.index;
    }
    return -1;
}

QList<QPair<QString, QVariant>> ConfigurationParameters::recorded(const BaseSensor& sensor)
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(&sensor);
    if (!omnicomm)
        return {};
    QList<QPair<QString, QVariant>> values;
    for (int index : reported(omnicomm)) {
        const KtParameter* parameter = omnicomm->parameter(index);
        values.append({name(index), parameter->isValid() ? parameter->variantValue() : QVariant()});
    }
    values.append({QStringLiteral("Mode"), modeOf(*omnicomm)});
    return values;
}

QList<int> ConfigurationParameters::reported(const OmniCommSensor* sensor)
{
    QList<int> carried;
    for (int index : indexes()) {
        const bool extendedOnly = index == OmniCommSensor::AutoIntervalIndex ||
                                  index == OmniCommSensor::AnalogueOutputRatioIndex ||
                                  index == OmniCommSensor::AnalogueOutputRangeIndex;
        if (!extendedOnly || sensor->hasExtendedConfiguration())
            carried << index;
    }
    return carried;
}

bool ConfigurationParameters::readValue(const OmniCommSensor* sensor, int index,
                                        const QString& text, qint64* value, QString* error)
{
    int lowest = 0;
    int highest = 0;
    if (!sensor->parameterRange(index, &lowest, &highest))
        return false;
    bool number = false;
    *value = text.toLongLong(&number);
    if (number && *value >= lowest && *value <= highest)
        return true;
    *error = tr("%1 cannot take \"%2\": give a whole number from %3 to %4; nothing was written")
                 .arg(name(index), text)
                 .arg(lowest)
                 .arg(highest);
    return false;
}

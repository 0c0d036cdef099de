#include "profiles/profilefile.h"

#include "engine/enginefactory.h"
#include "files/wholefile.h"
#include "protocols/omnicommsensor.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <algorithm>

namespace {

const char kVersionKey[] = "format";
const char kModelKey[] = "model";
const char kParametersKey[] = "parameters";
// A profile is a few hundred bytes; anything this large is some other file.
const qint64 kMaximumBytes = 1024 * 1024;

} // namespace

QJsonObject ProfileFile::configurationJson(const OmniCommSensor* sensor)
{
    QJsonObject configuration;
    for (int index : ConfigurationParameters::reported(sensor)) {
        const KtParameter* parameter = sensor->parameter(index);
        if (parameter->isValid())
            configuration.insert(ConfigurationParameters::name(index),
                                 parameter->variantValue().toInt());
    }
    return configuration;
}

// Each Omnicomm model has capabilities of its own; the engine keeps only those.
QString ProfileFile::modelCode(const OmniCommSensor* sensor)
{
    for (unsigned index = 0; index < EngineFactory::count(); ++index) {
        const quint32 features = EngineFactory::features(index);
        if ((features & EngineFactory::BusTypeMask) == EngineFactory::BusOmniComm &&
            (features & EngineFactory::FeaturesMask) == sensor->features())
            return EngineFactory::sensorTypes().value(int(index));
    }
    return QString();
}

bool ProfileFile::save(const QString& path, const OmniCommSensor* sensor, QString* error)
{
    const QJsonObject profile{{kVersionKey, FormatVersion},
                              {kModelKey, modelCode(sensor)},
                              {kParametersKey, configurationJson(sensor)}};
    return WholeFile::write(path, QJsonDocument(profile).toJson(), error);
}

bool ProfileFile::load(const QString& path, const OmniCommSensor* sensor,
                       ConfigurationValues* values, QString* error)
{
    QByteArray text;
    if (!WholeFile::read(path, kMaximumBytes, &text, error))
        return false;
    if (parse(text, sensor, values, error))
        return true;
    *error = tr("%1: %2").arg(path, *error);
    return false;
}

bool ProfileFile::parse(const QByteArray& text, const OmniCommSensor* sensor,
                        ConfigurationValues* values, QString* error)
{
    QJsonParseError parseError;
    const QJsonObject profile = QJsonDocument::fromJson(text, &parseError).object();
    if (parseError.error != QJsonParseError::NoError || profile.isEmpty()) {
        *error = tr("not a profile: %1 at character %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    const QJsonValue version = profile.value(kVersionKey);
    if (version.toInt(-1) != FormatVersion) {
        *error = tr("format version %1 is not one this Nivelon reads (%2)")
                     .arg(version.toVariant().toString())
                     .arg(FormatVersion);
        return false;
    }
    const QString model = profile.value(kModelKey).toString();
    if (model != modelCode(sensor)) {
        *error = tr("a profile of model %1, not of %2: nothing was written")
                     .arg(model, modelCode(sensor));
        return false;
    }
    return readParameters(profile.value(kParametersKey).toObject(), sensor, values, error);
}

bool ProfileFile::readParameters(const QJsonObject& parameters, const OmniCommSensor* sensor,
                                 ConfigurationValues* values, QString* error)
{
    values->clear();
    for (auto entry = parameters.begin(); entry != parameters.end(); ++entry) {
        const int index = ConfigurationParameters::indexOf(entry.key());
        if (index < 0) {
            *error = tr("unknown parameter \"%1\": nothing was written").arg(entry.key());
            return false;
        }
        qint64 value = 0;
        if (!ConfigurationParameters::readValue(sensor, index, entry.value().toVariant().toString(),
                                                &value, error))
            return false;
        values->append({index, value});
    }
    // The order of the table: the order of the sensor's own editors.
    std::sort(values->begin(), values->end());
    if (!values->isEmpty())
        return true;
    *error = tr("no parameters: nothing to apply");
    return false;
}

ConfigurationValues ProfileFile::differences(const OmniCommSensor* sensor,
                                             const ConfigurationValues& values)
{
    const QList<int> reported = ConfigurationParameters::reported(sensor);
    ConfigurationValues differing;
    for (const auto& [index, value] : values) {
        const KtParameter* parameter = sensor->parameter(index);
        if (!reported.contains(index) || !parameter->isValid() ||
            parameter->variantValue().toLongLong() != value)
            differing.append({index, value});
    }
    return differing;
}

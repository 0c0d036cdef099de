#include "profiles/profilefile.h"

#include "files/wholefile.h"
#include "profiles/jsonduplicates.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/enginefactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
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
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("not a profile: %1 at character %2")
                     .arg(parseError.errorString())
                     .arg(parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        *error = tr("not a profile: the file holds a JSON array, not an object with \"format\", "
                    "\"model\" and \"parameters\"");
        return false;
    }
    const QString duplicate = JsonDuplicates::firstDuplicate(text);
    if (!duplicate.isEmpty()) {
        *error = tr("\"%1\" is given twice: keep one, nothing was written").arg(duplicate);
        return false;
    }
    const QJsonObject profile = document.object();
    return checkFormat(profile.value(kVersionKey), error) &&
           checkModel(profile.value(kModelKey).toString(), sensor, error) &&
           readParameters(profile.value(kParametersKey).toObject(), sensor, values, error) &&
           checkCalibrationPoints(*values, error);
}

bool ProfileFile::checkFormat(const QJsonValue& version, QString* error)
{
    if (version.isUndefined())
        *error = tr("no format version: a profile has \"format\": %1; is this a profile that "
                    "\"nivelon-cli config --save\" wrote?")
                     .arg(FormatVersion);
    else if (!version.isDouble())
        *error = tr("the format version must be the number %1, without quotes, not %2")
                     .arg(FormatVersion)
                     .arg(jsonText(version));
    else if (version.toDouble() != FormatVersion)
        *error = tr("format version %1 is not one this Nivelon reads (it reads %2): a newer "
                    "Nivelon wrote it")
                     .arg(version.toDouble())
                     .arg(FormatVersion);
    return error->isEmpty();
}

bool ProfileFile::checkModel(const QString& model, const OmniCommSensor* sensor, QString* error)
{
    if (model == modelCode(sensor))
        return true;
    *error =
        tr("a profile of model %1, not of %2: nothing was written").arg(model, modelCode(sensor));
    return false;
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
        if (!entry.value().isDouble()) {
            *error = tr("%1 must be a number, without quotes, not %2: nothing was written")
                         .arg(entry.key(), jsonText(entry.value()));
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

// The sensor keeps its full-tank frequency FMin below its empty-tank FMax.
bool ProfileFile::checkCalibrationPoints(const ConfigurationValues& values, QString* error)
{
    qint64 fMin = -1;
    qint64 fMax = -1;
    for (const auto& [index, value] : values) {
        if (index == OmniCommSensor::FMinIndex)
            fMin = value;
        else if (index == OmniCommSensor::FMaxIndex)
            fMax = value;
    }
    if (fMin < 0 || fMax < 0 || fMin < fMax)
        return true;
    *error = tr("FMin %1 is not below FMax %2: the sensor would refuse it; nothing was written")
                 .arg(fMin)
                 .arg(fMax);
    return false;
}

QString ProfileFile::jsonText(const QJsonValue& value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
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

#pragma once

#include "profiles/configurationparameters.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

class OmniCommSensor;

// A sensor's configuration in a file, to give other sensors of the fleet the
// same: JSON with the format version, the model and each parameter by its
// command-line name. A profile is checked whole before anything is written.
class ProfileFile
{
    Q_DECLARE_TR_FUNCTIONS(ProfileFile)

public:
    static constexpr int FormatVersion = 1;

    // Every parameter of the sensor's configuration by name, those the
    // configuration reports and has read.
    static QJsonObject configurationJson(const OmniCommSensor* sensor);
    // The code of the sensor's model, "ZT-43".
    static QString modelCode(const OmniCommSensor* sensor);
    // Writes the sensor's configuration to path, whole or not at all.
    static bool save(const QString& path, const OmniCommSensor* sensor, QString* error);
    // The profile's values, checked against the sensor's model, names and
    // ranges; false with what is wrong.
    static bool load(const QString& path, const OmniCommSensor* sensor, ConfigurationValues* values,
                     QString* error);
    // The profile's values the sensor does not hold, or not as far as its
    // configuration shows.
    static ConfigurationValues differences(const OmniCommSensor* sensor,
                                           const ConfigurationValues& values);

private:
    static bool parse(const QByteArray& text, const OmniCommSensor* sensor,
                      ConfigurationValues* values, QString* error);
    static bool checkFormat(const QJsonValue& version, QString* error);
    static bool checkModel(const QString& model, const OmniCommSensor* sensor, QString* error);
    static bool readParameters(const QJsonObject& parameters, const OmniCommSensor* sensor,
                               ConfigurationValues* values, QString* error);
    static bool checkCalibrationPoints(const ConfigurationValues& values, QString* error);
    // A value as the file has it.
    static QString jsonText(const QJsonValue& value);
};

#pragma once

#include "engine/calibrationlog.h"
#include "engine/linestatistics.h"
#include "tank/tanktable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class SerialSensor;

// What a record says that the sensor cannot: the moment, the port and model it
// runs on, and the vehicle and the installer.
struct RecordContext
{
    QDateTime time;
    QString port;
    int modelIndex = -1;
    QString vehicle;
    QString installer;
};

// One named value of a record; a null value is one the sensor has not reported.
struct RecordValue
{
    QString name;
    QVariant value;
};

// One configuration value as the window showed it: the parameter's fixed
// name, the label beside it and the text in its field.
struct ShownValue
{
    QString name;
    QString label;
    QString text;
};

// The record an installer hands in for one installed sensor: when, where and by
// whom, the sensor's reading and whole configuration, the calibration points it
// was given while the program ran, the tank table and how its line fared. Taken
// from the sensor at one moment, so that its JSON file and its printed page say
// the same.
struct CommissioningRecord
{
    Q_DECLARE_TR_FUNCTIONS(CommissioningRecord)
public:
    // The JSON vocabulary of nivelon-cli the file follows (Level in hundredths
    // of a percent); files without it gave Level in percent.
    static constexpr int SchemaVersion = 1;

    QDateTime time;
    QString version;
    QString port;
    QString model;
    QString protocol;
    int address = 0;
    QString vehicle;
    QString installer;
    // The newest reading: level in percent, the raw level (or the status code
    // the sensor sent in its place), the litres when a tank table is in use;
    // Omnicomm adds frequency and temperature.
    QList<RecordValue> reading;
    // Omnicomm: every parameter of the model's configuration by its fixed name,
    // then the mode; the other protocols have none.
    QList<RecordValue> configuration;
    // The same configuration in the window's words, when a window took the record.
    QList<ShownValue> shown;
    QList<CalibrationLog::Entry> calibrations;
    std::optional<TankTable> tankTable;
    LineStatistics statistics;

    static CommissioningRecord of(const SerialSensor& sensor, const RecordContext& context,
                                  const TankTable* tankTable);
    QJsonObject toJson() const;
    // Written completely or not at all; false with the reason.
    bool save(const QString& path, QString* error) const;
    // A moment as the record writes it, with its offset from UTC.
    static QString timeText(const QDateTime& time);
};

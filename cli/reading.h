#pragma once

#include <QJsonObject>
#include <QString>
#include <QtGlobal>

class SerialSensor;

// One reading of a sensor, as the sensor views take a plot sample from its
// parameters, with the text forms of the plot export: the same columns, the
// level in hundredths of a percent, and the time twice, in whole seconds and
// in milliseconds.
struct Reading
{
    qint64 timeMs = 0;
    float level = 0; // percent
    int rawLevel = 0;
    int frequency = 0;
    int temperature = 0;
    bool error = true;
    bool answered = false;     // a reply came, if perhaps with a status in place of a level
    bool uncalibrated = false; // that status said the sensor needs calibrating
    bool omnicomm = false;

    static Reading of(const SerialSensor* sensor, qint64 timeMs);

    QString csvHeader() const;
    QString csvRow() const;
    QJsonObject toJson() const;
    // "ok", "uncalibrated", "sensor status" (another code in place of a level)
    // or "no reading".
    QString status() const;
    // A short line for people: "level 50 %, raw 4096, ..." or the status.
    QString toText() const;
};

#pragma once

#include <QMetaType>
#include <QtGlobal>

// One reading of a sensor, whatever its protocol: what the views plot, the CSV
// export writes and nivelon-cli prints. It is made when the exchange ends and
// bears that time, not the time someone looks at it; the sensor hands each one
// on through BaseSensor::reported.
struct SensorReading
{
    enum Error {
        NoError,
        NoReply,      // no reply, or none that could be read
        SensorStatus, // the sensor answered with a status code in place of a level
        Uncalibrated  // that status said its calibration points are missing or invalid
    };

    qint64 timeMs = 0;
    Error error = NoReply;
    float level = 0; // percent of full scale, whatever the protocol counts in
    // False while the level is only a guess: an Omnicomm sensor's until its
    // data format is known.
    bool levelKnown = true;
    int rawLevel = 0; // the sensor's own count, or the status code it sent
    bool hasFrequencyTemperature = false;
    int frequency = 0;
    int temperature = 0;

    bool failed() const { return error != NoError; }
    // A level that can be given: the sensor answered with one and its scale is known.
    bool hasLevel() const { return !failed() && levelKnown; }
    // A level beyond full scale is no level to trust: a wrong model or a sensor
    // out of calibration.
    bool aboveFullScale() const { return hasLevel() && level > 100.0f; }
    bool answered() const { return error != NoReply; }
};

Q_DECLARE_METATYPE(SensorReading)

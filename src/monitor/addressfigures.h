#pragma once

#include "engine/sensorreading.h"
#include "monitor/monitorexchange.h"

#include <QMap>
#include <QString>

// What listening has shown of one address: how it is asked, how it answers, and
// what it said last.
struct AddressFigures
{
    int address = -1;
    int requests = 0;
    int replies = 0; // every checked frame from the sensor, asked or not
    int timeouts = 0;
    int checksumFailures = 0;
    int exceptions = 0;
    int sentUnasked = 0;
    int unpaired = 0;
    QMap<QString, int> exceptionNames; // name -> count
    QMap<int, int> statusCodes;        // code the sensor sent -> count
    qint64 firstRequestMs = -1;
    qint64 lastRequestMs = -1;
    int latencyCount = 0;
    qint64 latencySumMs = 0;
    qint64 latencyMaxMs = -1;
    bool hasReading = false;
    SensorReading lastReading;
    bool hasLitres = false;
    double litres = 0;

    // The mean time between two requests to the address; -1 before the second.
    double pollPeriodMs() const;
    // -1 before the first reply to a request.
    double latencyMeanMs() const;

    void record(const MonitorExchange& exchange);
};

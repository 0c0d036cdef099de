#pragma once

#include "engine/sensorreading.h"

#include <QByteArray>
#include <QString>

// One frame a listener took off the line, checked by its protocol's rules.
struct PassiveFrame
{
    enum Kind {
        Request,
        Reply,
        // A frame of the right shape whose checksum did not hold: it is never
        // shown as a frame, only counted against its address.
        ChecksumFailure
    };

    Kind kind = Request;
    int address = -1;
    int function = 0; // the protocol's command or function code
    QByteArray bytes;
    qint64 timeMs = 0;   // when its last byte arrived
    qint64 position = 0; // how many bytes the decoder heard before it
    // A reply that carries a level, or the status the sensor sent in its place.
    bool hasReading = false;
    SensorReading reading;
    // A reply by which the sensor refuses the request: its code and its name.
    int exceptionCode = 0;
    QString exceptionName;
    // A status code the sensor sent (a refused write, a level it could not measure).
    int status = -1;
    QString statusText;
    // A frame the sensor may send unasked (a data frame on Omnicomm).
    bool maySendUnasked = false;
};

#pragma once

#include "engine/passiveframe.h"

#include <QMetaType>
#include <QString>

// One exchange heard on the line: a request with its reply, a request nobody
// answered, or a frame that came alone.
struct MonitorExchange
{
    enum Result {
        Answered,
        Refused,      // an exception reply
        SensorStatus, // answered with a status code in place of what was asked
        TimedOut,     // the next request came first
        ChecksumFailed,
        SentUnasked, // a frame the sensor sends by itself
        Unpaired     // a reply whose request was not heard
    };

    int address = -1;
    int function = 0;
    Result result = Answered;
    bool hasRequest = false;
    bool hasReply = false;
    PassiveFrame request;
    PassiveFrame reply;
    qint64 timeMs = 0;     // when its last frame ended
    qint64 latencyMs = -1; // from the end of the request to the end of the reply

    bool isPaired() const { return hasRequest && hasReply; }
    // "request+reply", "request", "reply" or "unasked".
    QString directionText() const;
    // "ok", "exception", "status", "timeout", "crc", "unasked" or "unpaired".
    QString resultText() const;
    // The exception's name or what the status code says; empty otherwise.
    QString detailText() const;
};

Q_DECLARE_METATYPE(MonitorExchange)

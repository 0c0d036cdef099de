#pragma once

#include "engine/commandcallback.h"

#include <QString>
#include <QtGlobal>

// How one sensor's exchanges on the line went: enough to tell a flaky sensor
// from bad wiring. Every exchange counts once, under the result it ended with;
// reply times are taken from successful replies only, as are the moments the
// sensor was last heard. A frame the sensor sent unasked is no exchange, but it
// is heard, and counted apart.
struct LineStatistics
{
    quint32 exchanges = 0;
    quint32 successes = 0;
    quint32 timeouts = 0;
    quint32 checksumFailures = 0;
    quint32 otherFailures = 0;
    qint64 totalReplyMicroseconds = 0;
    qint64 maxReplyMicroseconds = 0;
    qint64 lastHeardMs = 0; // milliseconds since the epoch; 0 when never heard
    quint32 unsolicited = 0;

    void record(CommandCallback::Result result, qint64 replyMicroseconds, qint64 nowMs);
    void recordUnsolicited(qint64 nowMs);

    double meanReplyMs() const;
    double maxReplyMs() const { return maxReplyMicroseconds / 1000.0; }
    // One line for a status bar or a terminal.
    QString toString() const;
};

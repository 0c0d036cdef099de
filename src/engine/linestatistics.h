#pragma once

#include "engine/commandcallback.h"

#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QtGlobal>

// How one sensor's exchanges on the line went: enough to tell a flaky sensor
// from bad wiring. Every exchange counts once, under the result it ended with;
// reply times are taken from successful replies only, as are the moments the
// sensor was last heard. A frame the sensor sent unasked is no exchange, but it
// is heard, and counted apart. Bytes on the line that belong to no exchange count
// as noise for every sensor on it.
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
    quint64 noiseBytes = 0;
    quint32 unsolicited = 0;

    void record(CommandCallback::Result result, qint64 replyMicroseconds, qint64 nowMs);
    void recordNoise(int bytes) { noiseBytes += quint64(bytes); }
    void recordUnsolicited(qint64 nowMs);

    double meanReplyMs() const;
    double maxReplyMs() const { return maxReplyMicroseconds / 1000.0; }
    // One line for a status bar or a terminal.
    // Decimals in locale: the window passes the user's, a console keeps C.
    QString toString(const QLocale& locale = QLocale::c()) const;
    // Every count by its field's name, the reply times in milliseconds.
    QJsonObject toJson() const;
    // What to tell the user when the line would not fall quiet.
    static QString noisyLineText(quint64 bytes, qint64 milliseconds);
};

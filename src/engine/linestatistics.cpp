#include "engine/linestatistics.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cmath>

void LineStatistics::record(CommandCallback::Result result, qint64 replyMicroseconds, qint64 nowMs)
{
    ++exchanges;
    switch (result) {
    case CommandCallback::Ok:
        ++successes;
        totalReplyMicroseconds += replyMicroseconds;
        maxReplyMicroseconds = qMax(maxReplyMicroseconds, replyMicroseconds);
        lastHeardMs = nowMs;
        break;
    case CommandCallback::Timeout:
        ++timeouts;
        break;
    case CommandCallback::CrcFail:
        ++checksumFailures;
        break;
    default:
        ++otherFailures;
        break;
    }
}

void LineStatistics::recordUnsolicited(qint64 nowMs)
{
    lastHeardMs = nowMs;
    ++unsolicited;
}

double LineStatistics::meanReplyMs() const
{
    return successes == 0 ? 0.0 : totalReplyMicroseconds / 1000.0 / successes;
}

QString LineStatistics::toString(const QLocale& locale) const
{
    const QString lastHeard =
        lastHeardMs == 0
            ? QCoreApplication::translate("LineStatistics", "never")
            : QDateTime::fromMSecsSinceEpoch(lastHeardMs).toString(QStringLiteral("HH:mm:ss"));
    QString text = QCoreApplication::translate(
                       "LineStatistics", "Exchanges %1, ok %2, time-outs %3, checksum failures %4, "
                                         "other failures %5; reply %6 ms mean, %7 ms max; "
                                         "last heard %8; noise %9 bytes")
                       .arg(exchanges)
                       .arg(successes)
                       .arg(timeouts)
                       .arg(checksumFailures)
                       .arg(otherFailures)
                       .arg(locale.toString(meanReplyMs(), 'f', 1))
                       .arg(locale.toString(maxReplyMs(), 'f', 1))
                       .arg(lastHeard)
                       .arg(noiseBytes);
    // Only a self-sending sensor has any, and then most of what it said is here.
    if (unsolicited > 0)
        text += QCoreApplication::translate("LineStatistics", "; frames sent unasked: %1")
                    .arg(unsolicited);
    return text;
}

QJsonObject LineStatistics::toJson() const
{
    return QJsonObject{{"exchanges", double(exchanges)},
                       {"successes", double(successes)},
                       {"timeouts", double(timeouts)},
                       {"checksumFailures", double(checksumFailures)},
                       {"otherFailures", double(otherFailures)},
                       // Tenths of a millisecond, as every text shows them.
                       {"meanReplyMs", std::round(meanReplyMs() * 10) / 10},
                       {"maxReplyMs", std::round(maxReplyMs() * 10) / 10},
                       {"lastHeardMs", double(lastHeardMs)},
                       {"noiseBytes", double(noiseBytes)},
                       {"unsolicited", double(unsolicited)}};
}

QString LineStatistics::noisyLineText(quint64 bytes, qint64 milliseconds)
{
    return QCoreApplication::translate("LineStatistics",
                                       "the line is noisy: %1 bytes in %2 s that belong to no "
                                       "exchange; check the wiring and that no other master is "
                                       "on the bus")
        .arg(bytes)
        .arg(milliseconds / 1000.0, 0, 'f', 1);
}

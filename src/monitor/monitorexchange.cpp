#include "monitor/monitorexchange.h"

QString MonitorExchange::directionText() const
{
    if (result == SentUnasked)
        return QStringLiteral("unasked");
    if (hasRequest && hasReply)
        return QStringLiteral("request+reply");
    return hasRequest ? QStringLiteral("request") : QStringLiteral("reply");
}

QString MonitorExchange::resultText() const
{
    switch (result) {
    case Answered:
        return QStringLiteral("ok");
    case Refused:
        return QStringLiteral("exception");
    case SensorStatus:
        return QStringLiteral("status");
    case TimedOut:
        return QStringLiteral("timeout");
    case ChecksumFailed:
        return QStringLiteral("crc");
    case SentUnasked:
        return QStringLiteral("unasked");
    case Unpaired:
        break;
    }
    return QStringLiteral("unpaired");
}

QString MonitorExchange::detailText() const
{
    if (!hasReply)
        return QString();
    if (reply.exceptionCode != 0)
        return reply.exceptionName;
    return reply.statusText;
}

#include "engine/enginecommand.h"

void EngineCommand::executeCallback(CommandCallback::Result result, qint64 endedAtMs)
{
    endedMs = endedAtMs;
    if (callback)
        callback->callback(result, *this);
}

void EngineCommand::clear()
{
    requestLength = 0;
    replyLength = 0;
    callback = nullptr;
    userCallback = nullptr;
}

namespace {

void appendLowerHex(QString& out, unsigned char byte)
{
    out.append(QStringLiteral("%1").arg(uint(byte), 2, 16, QLatin1Char('0')));
}

} // namespace

QString EngineCommand::toString() const
{
    QString out(QLatin1Char('['));
    for (int i = 0; i < requestLength && i < RequestCapacity; ++i) {
        if (i > 0)
            out.append(QLatin1Char(' '));
        appendLowerHex(out, request[i]);
    }
    out.append(QStringLiteral("] rxcount=%1").arg(uint(replyLength)));
    for (int i = 0; i < replyLength && i < ReplyCapacity; ++i) {
        out.append(QLatin1Char(' '));
        appendLowerHex(out, reply[i]);
    }
    return out;
}

#include "engine/linedatamessage.h"

#include <algorithm>

LineDataMessage::LineDataMessage(Logger::Sections section, const EngineCommand& command,
                                 CommandCallback::Result result)
    : LogMessage(section)
    , command(command)
    , result(result)
{}

LineDataMessage::LineDataMessage(const EngineCommand& command, CommandCallback::Result result)
    : LineDataMessage(Logger::LineData, command, result)
{}

QString LineDataMessage::toStringImpl() const
{
    // Lengths are clamped to the buffers: a record must render whatever a
    // protocol engine left in them.
    const unsigned requestLength =
        std::min<unsigned>(command.requestLength, EngineCommand::RequestCapacity);
    QString out(QLatin1Char('['));
    appendBytesToString(out, command.request, requestLength);
    out.append(QStringLiteral("] "));
    if (result != CommandCallback::Ok)
        return out + callbackResultToString(result);
    const unsigned replyLength =
        std::min<unsigned>(command.replyLength, EngineCommand::ReplyCapacity);
    out.append(QLatin1Char('['));
    appendBytesToString(out, command.reply, replyLength);
    out.append(QLatin1Char(']'));
    return out;
}

#pragma once

#include "engine/commandcallback.h"
#include "engine/enginecommand.h"
#include "log/logmessage.h"

// The log record of one exchange, also what a row of the line-data table shows.
class LineDataMessage : public LogMessage
{
public:
    LineDataMessage(Logger::Sections section, const EngineCommand& command,
                    CommandCallback::Result result);
    LineDataMessage(const EngineCommand& command, CommandCallback::Result result);

    EngineCommand command;
    CommandCallback::Result result;

protected:
    QString toStringImpl() const override;
};

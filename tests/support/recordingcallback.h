#pragma once

#include "engine/commandcallback.h"
#include "engine/enginecommand.h"

#include <QList>

// Records every completion it receives, so a test can assert that each command
// was answered exactly once and with which result.
class RecordingCallback : public CommandCallback
{
public:
    void callback(CommandCallback::Result result, const EngineCommand& command) override
    {
        results.append(result);
        commands.append(command);
    }

    int count() const { return results.size(); }
    CommandCallback::Result lastResult() const { return results.last(); }
    const EngineCommand& lastCommand() const { return commands.last(); }

    QList<CommandCallback::Result> results;
    QList<EngineCommand> commands;
};

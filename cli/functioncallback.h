#pragma once

#include "engine/commandcallback.h"

#include <functional>

// A command callback that calls a function: the tool's commands wait for one
// exchange at a time and react in a lambda. Like every callback it is a member
// of the object it calls into.
class FunctionCallback : public CommandCallback
{
public:
    using Function = std::function<void(CommandCallback::Result, const EngineCommand&)>;

    void setFunction(Function function) { m_function = std::move(function); }
    void callback(CommandCallback::Result result, const EngineCommand& command) override;

private:
    Function m_function;
};

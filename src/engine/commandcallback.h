#pragma once

#include <QString>

struct EngineCommand;

// How the outcome of one bus exchange reaches whoever asked for it. Failures on
// the line are results, never exceptions: every command handed to an engine is
// completed exactly once with one of these.
class CommandCallback
{
public:
    // WrongLength: a whole, checked reply, but of the length another model of the
    // protocol gives.
    enum Result {
        Ok,
        Timeout,
        Failed,
        CrcFail,
        Canceled,
        Nack,
        Stray,
        NoEcho,
        EchoMismatch,
        WrongLength
    };

    virtual ~CommandCallback() = default;
    virtual void callback(CommandCallback::Result result, const EngineCommand& command) = 0;
};

QString callbackResultToString(CommandCallback::Result result);

// Callbacks are members of the object whose method they call, so they live exactly
// as long as that object; commands only point at them.
template <typename T>
class MemFunCommandCallback : public CommandCallback
{
public:
    using Method = void (T::*)(CommandCallback::Result, const EngineCommand&);

    MemFunCommandCallback(T* object, Method method)
        : object(object)
        , method(method)
    {}

    void callback(CommandCallback::Result result, const EngineCommand& command) override
    {
        (object->*method)(result, command);
    }

    T* object;
    Method method;
};

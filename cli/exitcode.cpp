#include "exitcode.h"

#include <csignal>

ExitCode exitCodeOf(CommandCallback::Result result)
{
    switch (result) {
    case CommandCallback::Ok:
        return ExitDone;
    case CommandCallback::Timeout:
        return ExitNothingAnswered;
    case CommandCallback::Nack:
        return ExitRefused;
    default:
        return ExitPortFailure;
    }
}

ExitCode exitCodeOfSignal(int signalNumber)
{
    return signalNumber == SIGTERM ? ExitTerminated : ExitInterrupted;
}

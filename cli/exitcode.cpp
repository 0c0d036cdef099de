#include "exitcode.h"

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

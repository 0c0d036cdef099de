#pragma once

#include "engine/commandcallback.h"

// What nivelon-cli tells the shell; scripts branch on these.
enum ExitCode {
    ExitDone = 0,
    ExitPortFailure = 1, // the port or the device failed
    ExitBadArguments = 2,
    ExitNothingAnswered = 3,
    ExitRefused = 4 // a sensor refused a value
};

// How the outcome of one exchange ends the tool when it is the last word.
ExitCode exitCodeOf(CommandCallback::Result result);

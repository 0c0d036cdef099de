#pragma once

#include "engine/commandcallback.h"

// What nivelon-cli tells the shell; scripts branch on these.
enum ExitCode {
    ExitDone = 0,
    ExitPortFailure = 1, // the port or the device failed, or the output could not be written
    ExitBadArguments = 2,
    ExitNothingAnswered = 3,
    ExitRefused = 4,       // a sensor refused a value, or an address is taken
    ExitInterrupted = 130, // SIGINT, as a shell reports a process it ended
    ExitTerminated = 143   // SIGTERM
};

// How the outcome of one exchange ends the tool when it is the last word.
ExitCode exitCodeOf(CommandCallback::Result result);
// How a stop signal ends the tool.
ExitCode exitCodeOfSignal(int signalNumber);

#pragma once

class CliCommand;
class CliOutput;
struct CliOptions;

// The options a command takes, besides --help and --json.
enum CommandNeed : unsigned {
    NeedPort = 1,
    NeedModel = 2,
    NeedAddress = 4,
    TakesDuration = 8,
    TakesTankTable = 16,
    NeedTare = 32,
    TakesConfiguration = 64,
    NeedRecord = 128, // --out, --vehicle, --installer
    TakesSeconds = 256,
    TakesAddressList = 512, // --address LIST: the identifiers a TBus scan probes
    TakesInterval = 1024,
    NeedShape = 2048,    // the shape as the first value, --probe, --points, --fit, --out
    NeedExport = 4096,   // --in, --format, --max-points, --separator, --decimal, --out
    NeedListening = 8192 // --port or --replay, optional --model, --seconds, --raw
};

// One command of nivelon-cli as its table row: how it is called, what its help
// says, which options it takes, how many plain arguments, and how it is made.
struct CommandRow
{
    static constexpr int AnyNumber = -1;

    const char* name;
    const char* usage;
    const char* summary;
    unsigned needs;
    int minValues;
    int maxValues; // or AnyNumber
    CliCommand* (*create)(const CliOptions& options, CliOutput* output);
};

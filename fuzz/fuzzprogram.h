#pragma once

#include "engine/enginecommand.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

class CommandCallback;
class SerialEngine;
class SerialSensor;

// What the fuzz driver needs to know of one protocol: its engine, how sensors
// join it, which requests its sensors and views can make, and what a level poll
// looks like on the wire.
class ProtocolAdapter
{
public:
    virtual ~ProtocolAdapter() = default;
    virtual SerialEngine* engine() = 0;
    virtual void addSensor(uint8_t address) = 0;
    // Makes one request of the kind the selector picks; returns how many times
    // the callback must be called for it (0 for requests that take none).
    virtual int request(SerialSensor* sensor, uint8_t selector, uint16_t value,
                        CommandCallback* callback) = 0;
    // A command built by the engine itself, to be handed straight to request();
    // an empty one when there is nothing to build.
    virtual EngineCommand rawCommand(uint8_t address, uint8_t selector) = 0;
    // The level poll of this sensor as the engine builds it.
    virtual EngineCommand levelPollOf(SerialSensor* sensor) = 0;
};

// Reads the input as a program of steps (feed bytes, fire the state-check timer,
// end a cool-down, make requests, remove and add sensors, stop, reset, fail the
// port) for an engine on the scripted port, then dismantles the engine, and aborts
// on any broken promise: a command not completed exactly once, input piling up
// after an idle step, a sensor polled while it cools down.
void runFuzzProgram(ProtocolAdapter& adapter, const uint8_t* data, size_t size);

// One process-wide application object and a logger with every section, so that
// all logging paths run too.
void initializeFuzzEnvironment();

// The two entry points of a libFuzzer target, for one adapter made per input.
#define NIVELON_FUZZ_TARGET(makeAdapter)                                                           \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                             \
    {                                                                                              \
        initializeFuzzEnvironment();                                                               \
        return 0;                                                                                  \
    }                                                                                              \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                        \
    {                                                                                              \
        auto adapter = makeAdapter;                                                                \
        runFuzzProgram(adapter, data, size);                                                       \
        return 0;                                                                                  \
    }

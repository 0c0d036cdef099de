#pragma once

#include "engine/passiveframe.h"

#include <cstddef>
#include <cstdint>

// Feeds the input to the protocol's passive decoder as a line would deliver it:
// the first byte of every step gives a chunk length and the silence before it,
// the bytes after it are the chunk. Frames go on through the pairing. Aborts on
// a broken promise: a frame whose own check fails (frameHolds), a frame that is
// not the bytes heard, bytes neither taken nor rejected once the line is quiet.
void runPassiveFuzz(quint32 busType, const uint8_t* data, size_t size,
                    bool (*frameHolds)(const PassiveFrame& frame));

#define NIVELON_PASSIVE_FUZZ_TARGET(busType, frameHolds)                                           \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                        \
    {                                                                                              \
        runPassiveFuzz(busType, data, size, frameHolds);                                           \
        return 0;                                                                                  \
    }

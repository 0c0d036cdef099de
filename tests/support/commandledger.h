#pragma once

#include "support/recordingcallback.h"

#include <vector>

// One recording callback per command a test hands out, so it can tell that
// each command was completed exactly once, not merely that the count adds up.
class CommandLedger
{
public:
    explicit CommandLedger(int size);

    CommandCallback* callbackFor(int index) { return &callbacks.at(size_t(index)); }
    int size() const { return int(callbacks.size()); }
    bool allCompleted() const;
    int completedOnce() const;
    int count(CommandCallback::Result result) const;

private:
    std::vector<RecordingCallback> callbacks;
};

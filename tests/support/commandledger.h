#pragma once

#include "support/recordingcallback.h"

#include <functional>
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
    // Some commands succeeded and some did not, as on a line with faults.
    bool sawSuccessAndFailure() const;

    // Calls issue(index, callback) for every command, one every intervalMs
    // whatever state the engine is in, and runs the event loop until each was
    // completed; false on time-out.
    bool issuePaced(const std::function<void(int, CommandCallback*)>& issue, int intervalMs,
                    int timeoutMs);

private:
    std::vector<RecordingCallback> callbacks;
};

#include "support/commandledger.h"

#include <algorithm>

CommandLedger::CommandLedger(int size)
    : callbacks(size_t(size))
{}

bool CommandLedger::allCompleted() const
{
    return std::all_of(callbacks.begin(), callbacks.end(),
                       [](const RecordingCallback& callback) { return callback.count() > 0; });
}

int CommandLedger::completedOnce() const
{
    return int(
        std::count_if(callbacks.begin(), callbacks.end(),
                      [](const RecordingCallback& callback) { return callback.count() == 1; }));
}

int CommandLedger::count(CommandCallback::Result result) const
{
    int total = 0;
    for (const RecordingCallback& callback : callbacks)
        total += callback.results.count(result);
    return total;
}

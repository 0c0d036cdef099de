#include "support/commandledger.h"

#include "support/waituntil.h"

#include <QTimer>
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

bool CommandLedger::sawSuccessAndFailure() const
{
    const int ok = count(CommandCallback::Ok);
    return ok > 0 && ok < size();
}

bool CommandLedger::issuePaced(const std::function<void(int, CommandCallback*)>& issue,
                               int intervalMs, int timeoutMs)
{
    int issued = 0;
    QTimer pace;
    QObject::connect(&pace, &QTimer::timeout, [&] {
        issue(issued, callbackFor(issued));
        if (++issued == size())
            pace.stop();
    });
    pace.start(intervalMs);
    return waitUntil([&] { return issued == size() && allCompleted(); }, timeoutMs);
}

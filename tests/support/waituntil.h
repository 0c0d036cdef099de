#pragma once

#include <functional>

// Runs the event loop until done() holds or timeoutMs have passed; true if it
// holds. Unlike QTest::qWaitFor, which sleeps 10 ms between passes of the event
// loop, this blocks only until the next event: the engine's reply windows are
// tens of milliseconds, and a simulated reply takes several passes to arrive,
// so on a busy machine those sleeps alone make replies miss their windows.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

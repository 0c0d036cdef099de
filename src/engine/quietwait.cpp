#include "engine/quietwait.h"

#include <algorithm>
#include <utility>

void QuietWait::start(qint64 nowMs)
{
    m_startMs = nowMs;
    m_bytes = 0;
    m_cut = false;
}

int QuietWait::remainingMs(int quietMs, qint64 nowMs)
{
    const qint64 left = LimitMs - elapsedMs(nowMs);
    if (left > quietMs)
        return quietMs;
    m_cut = true;
    return int(std::max<qint64>(0, left));
}

bool QuietWait::takeCut()
{
    return std::exchange(m_cut, false);
}

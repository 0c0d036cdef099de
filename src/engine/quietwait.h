#pragma once

#include <QtGlobal>

// The wait for a quiet line before the engine first speaks after a start. It
// ends once the line has been quiet long enough, or at its limit: noise that
// never stops must not keep the engine from ever sending, and is told instead.
class QuietWait
{
public:
    static constexpr qint64 LimitMs = 1000;

    void start(qint64 nowMs);
    void heard(qint64 bytes) { m_bytes += quint64(bytes); }
    // How long to wait from now for so much quiet, never past the limit.
    int remainingMs(int quietMs, qint64 nowMs);
    // Whether the limit cut the wait short; true only once.
    bool takeCut();
    quint64 bytes() const { return m_bytes; }
    qint64 elapsedMs(qint64 nowMs) const { return nowMs - m_startMs; }

private:
    qint64 m_startMs = 0;
    quint64 m_bytes = 0;
    bool m_cut = false;
};

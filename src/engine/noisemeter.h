#pragma once

#include <QtGlobal>

// Counts the bytes on a running line that belong to no exchange, second by
// second, and tells of a second that held more than a working line has: a
// broken cable, or a second master on the bus.
class NoiseMeter
{
public:
    static constexpr qint64 SecondMs = 1000;

    void restart();
    // True when a second that has just passed, or the one running, held at
    // least limitBytes; its bytes and length are then at hand.
    bool add(qint64 bytes, qint64 nowMs, qint64 limitBytes);
    quint64 noisyBytes() const { return m_noisyBytes; }
    qint64 noisyMs() const { return m_noisyMs; }

private:
    qint64 m_startMs = -1;
    quint64 m_bytes = 0;
    quint64 m_noisyBytes = 0;
    qint64 m_noisyMs = 0;
};

#include "engine/noisemeter.h"

#include <algorithm>

void NoiseMeter::restart()
{
    m_startMs = -1;
    m_bytes = 0;
}

bool NoiseMeter::add(qint64 bytes, qint64 nowMs, qint64 limitBytes)
{
    bool noisy = false;
    if (m_startMs >= 0 && nowMs - m_startMs >= SecondMs) {
        noisy = m_bytes >= quint64(limitBytes);
        m_noisyBytes = m_bytes;
        m_noisyMs = nowMs - m_startMs;
        m_startMs = -1;
    }
    if (m_startMs < 0) {
        m_startMs = nowMs;
        m_bytes = 0;
    }
    m_bytes += quint64(bytes);
    // A second that already holds more than the limit is noisy before it is
    // over: a line that is polled briskly may not run a whole second.
    if (!noisy && m_bytes >= quint64(limitBytes)) {
        noisy = true;
        m_noisyBytes = m_bytes;
        m_noisyMs = std::max<qint64>(1, nowMs - m_startMs);
        m_startMs = -1;
    }
    return noisy;
}

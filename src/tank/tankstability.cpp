#include "tankstability.h"

#include <algorithm>

void TankStability::addReading(qint64 timeMs, double level)
{
    // A clock that went back would make every reading look settled at once.
    if (!m_readings.isEmpty() && timeMs < m_readings.last().timeMs)
        m_readings.clear();
    m_readings.append({timeMs, level});
    const qint64 windowStart = timeMs - m_settleMs;
    int keep = 0;
    while (keep + 1 < m_readings.size() && m_readings.at(keep + 1).timeMs <= windowStart)
        ++keep;
    m_readings.remove(0, keep);
}

int TankStability::remainingMs() const
{
    if (m_readings.isEmpty())
        return m_settleMs;
    const qint64 settled = m_readings.last().timeMs - bandStartMs();
    return int(std::max<qint64>(0, m_settleMs - settled));
}

double TankStability::spread() const
{
    if (m_readings.isEmpty())
        return 0;
    const qint64 windowStart = m_readings.last().timeMs - m_settleMs;
    double low = m_readings.last().level;
    double high = low;
    for (const Sample& sample : m_readings) {
        if (sample.timeMs < windowStart)
            continue;
        low = std::min(low, sample.level);
        high = std::max(high, sample.level);
    }
    return high - low;
}

// The time of the oldest reading from which on every reading lies in one band.
qint64 TankStability::bandStartMs() const
{
    double low = m_readings.last().level;
    double high = low;
    qint64 start = m_readings.last().timeMs;
    for (auto sample = m_readings.rbegin(); sample != m_readings.rend(); ++sample) {
        low = std::min(low, sample->level);
        high = std::max(high, sample->level);
        if (high - low > 2 * m_tolerance)
            break;
        start = sample->timeMs;
    }
    return start;
}

#include "engine/detectionpace.h"

#include "port/portsettings.h"

#include <cmath>

namespace {
// Doubling a margin this wide would only make it wider than any window.
const int kWidestMarginMs = 100;
// Beyond any reply window a user would give.
const int kLongestLearnedMarginMs = 60000;
} // namespace

void DetectionPace::restart()
{
    m_firstSweep = true;
    m_marginMs = InitialMarginMs;
    m_nextProbeMs = 0;
}

void DetectionPace::widen()
{
    m_marginMs = qMin(2 * m_marginMs, kWidestMarginMs);
}

void DetectionPace::learn(qint64 answeredAfterMs, double wireMs)
{
    // The answer was late, so the margin grows in any case.
    const qint64 needed = answeredAfterMs + answeredAfterMs / 8 + InitialMarginMs - qint64(wireMs);
    m_marginMs = int(qMin(qMax(needed, qint64(m_marginMs + InitialMarginMs)),
                          qint64(kLongestLearnedMarginMs)));
}

int DetectionPace::windowMs(const PortSettings& settings, int requestBytes, int replyBytes,
                            int capMs) const
{
    const double wire = wireMilliseconds(settings, requestBytes + replyBytes);
    return qMin(int(std::ceil(wire)) + m_marginMs, capMs);
}

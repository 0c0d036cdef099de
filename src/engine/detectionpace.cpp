#include "engine/detectionpace.h"

#include "port/portsettings.h"

#include <cmath>

namespace {
// Doubling a margin this wide would only make it wider than any window.
const int kWidestMarginMs = 100;
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

int DetectionPace::windowMs(const PortSettings& settings, int requestBytes, int replyBytes,
                            int capMs) const
{
    const double wire = wireMilliseconds(settings, requestBytes + replyBytes);
    return qMin(int(std::ceil(wire)) + m_marginMs, capMs);
}

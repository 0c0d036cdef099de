#include "detectionpass.h"

#include "engine/basesensor.h"
#include "engine/serialengine.h"

DetectionPass::DetectionPass(SerialEngine* engine, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_sweepsLeft(engine->sweepsPerPass())
{
    connect(engine, &SerialEngine::sensorDetected, this, [this] { m_found = true; });
    connect(engine, &SerialEngine::detectionSweepFinished, this, &DetectionPass::sweepFinished);
}

void DetectionPass::sweepFinished()
{
    if (m_done)
        return;
    // Something answered after its window in the fast first sweep: the next
    // sweep, with the protocol's own window, gives it its chance.
    if (!m_widenedSweepTaken &&
        m_engine->detectionPace().marginMs() > DetectionPace::InitialMarginMs) {
        m_widenedSweepTaken = true;
        return;
    }
    --m_sweepsLeft;
    if (m_found && m_sweepsLeft > 0) {
        m_found = false;
        return;
    }
    m_done = true;
    emit finished();
}

#include "detectionpass.h"

#include "engine/basesensor.h"
#include "engine/enginefactory.h"
#include "engine/serialengine.h"

DetectionPass::DetectionPass(SerialEngine* engine, quint32 busType, QObject* parent)
    : QObject(parent)
    , m_sweepsLeft(busType == EngineFactory::BusTBus ? 2 : 1)
{
    connect(engine, &SerialEngine::sensorDetected, this, [this] { m_found = true; });
    connect(engine, &SerialEngine::detectionSweepFinished, this, &DetectionPass::sweepFinished);
}

void DetectionPass::sweepFinished()
{
    if (m_done)
        return;
    --m_sweepsLeft;
    if (m_found && m_sweepsLeft > 0) {
        m_found = false;
        return;
    }
    m_done = true;
    emit finished();
}

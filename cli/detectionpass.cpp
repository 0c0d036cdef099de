#include "detectionpass.h"

#include "sweepprogress.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"

#include <QTimer>
#include <utility>

namespace {
// Longer than any pass.
const int kHeldMs = 3600000;
} // namespace

DetectionPass::DetectionPass(SerialEngine* engine, const QString& label, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_sweepsLeft(engine->sweepsPerPass())
{
    if (SweepProgress::isWanted())
        m_progress = new SweepProgress(engine, label, this);
    connect(engine, &SerialEngine::sensorDetected, this, &DetectionPass::sensorDetected);
    connect(engine, &SerialEngine::detectionSweepFinished, this, &DetectionPass::sweepFinished);
}

void DetectionPass::sensorDetected(BaseSensor* sensor)
{
    m_found = true;
    if (auto* serial = qobject_cast<SerialSensor*>(sensor)) {
        m_held << serial;
        serial->setQueryInterval(kHeldMs);
        serial->invokeCoolDown();
    }
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
    QTimer::singleShot(2 * m_engine->replyWindowMs(), this, &DetectionPass::finish);
}

void DetectionPass::finish()
{
    delete std::exchange(m_progress, nullptr);
    for (SerialSensor* sensor : std::exchange(m_held, {})) {
        if (!sensor)
            continue;
        sensor->setQueryInterval(SerialSensor::storedQueryInterval());
        sensor->slotResetCoolDown();
    }
    emit finished();
}

#include "polltimer.h"

PollTimer::PollTimer(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    // A coarse timer may end a 5 s poll a quarter of a second early.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PollTimer::elapsed);
}

void PollTimer::start(SerialEngine* engine, double seconds)
{
    m_engine = engine;
    m_milliseconds = int(seconds * 1000);
    connect(engine, &SerialEngine::stateChanged, this, &PollTimer::engineStateChanged);
}

void PollTimer::engineStateChanged(SerialEngine::State state)
{
    if (state != SerialEngine::WaitingReply && state != SerialEngine::WaitingEcho)
        return;
    disconnect(m_engine, &SerialEngine::stateChanged, this, nullptr);
    m_timer.start(m_milliseconds);
}

#include "linetransmitter.h"

#include <algorithm>
#include <cmath>

namespace sim {

LineTransmitter::LineTransmitter(const QElapsedTimer& clock, Writer writer, QObject* parent)
    : QObject(parent)
    , clock(clock)
    , writer(std::move(writer))
{
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &LineTransmitter::sendDue);
}

void LineTransmitter::schedule(const QByteArray& bytes, double delayMs, double wireMs)
{
    const double due = std::max(nowMs() + delayMs, lineFreeAtMs + wireMs);
    lineFreeAtMs = due;
    queue.push_back({due, bytes});
    armTimer();
}

void LineTransmitter::clear()
{
    queue.clear();
    timer.stop();
}

void LineTransmitter::sendDue()
{
    while (!queue.empty() && queue.front().dueMs <= nowMs()) {
        const QByteArray bytes = queue.front().bytes;
        queue.pop_front();
        writer(bytes);
    }
    armTimer();
}

void LineTransmitter::armTimer()
{
    if (queue.empty())
        return;
    const double wait = queue.front().dueMs - nowMs();
    timer.start(std::max(0, int(std::ceil(wait))));
}

double LineTransmitter::nowMs() const
{
    return clock.nsecsElapsed() / 1e6;
}

} // namespace sim

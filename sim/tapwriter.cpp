#include "tapwriter.h"

#include <algorithm>
#include <cmath>

namespace sim {

TapWriter::TapWriter(const QElapsedTimer& clock, Writer writer, QObject* parent)
    : QObject(parent)
    , clock(clock)
    , writer(std::move(writer))
{
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &TapWriter::flush);
}

void TapWriter::configure(int batchMs, double corruptShare, quint32 seed)
{
    batch = batchMs;
    share = corruptShare;
    random.seed(seed);
    timer.setSingleShot(batch <= 0);
    timer.stop();
    arm();
}

QList<int> TapWriter::put(const QByteArray& frame, double startMs, double byteMs)
{
    QList<int> damaged;
    std::uniform_real_distribution<double> roll(0.0, 1.0);
    std::uniform_int_distribution<int> flip(1, 255);
    for (int i = 0; i < frame.size(); ++i) {
        char byte = frame[i];
        if (share > 0.0 && roll(random) < share) {
            byte = char(quint8(byte) ^ quint8(flip(random)));
            damaged << i;
        }
        queue.push_back({startMs + (i + 1) * byteMs, byte});
    }
    arm();
    return damaged;
}

void TapWriter::clear()
{
    queue.clear();
    timer.stop();
}

void TapWriter::flush()
{
    QByteArray due;
    while (!queue.empty() && queue.front().dueMs <= nowMs()) {
        due.append(queue.front().byte);
        queue.pop_front();
    }
    if (!due.isEmpty())
        writer(due);
    if (batch <= 0)
        arm();
}

void TapWriter::arm()
{
    // A batching adapter ticks whether or not anything is on the line.
    if (batch > 0) {
        if (!timer.isActive())
            timer.start(batch);
        return;
    }
    if (queue.empty() || timer.isActive())
        return;
    const double wait = queue.front().dueMs - nowMs();
    timer.start(std::max(0, int(std::ceil(wait))));
}

double TapWriter::nowMs() const
{
    return clock.nsecsElapsed() / 1e6;
}

} // namespace sim

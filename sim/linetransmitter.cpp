#include "linetransmitter.h"

#include <QSocketNotifier>
#include <algorithm>
#include <sys/timerfd.h>
#include <unistd.h>

namespace sim {

LineTransmitter::LineTransmitter(const QElapsedTimer& clock, Writer writer, QObject* parent)
    : QObject(parent)
    , clock(clock)
    , writer(std::move(writer))
    , timerFd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (timerFd < 0)
        qFatal("cannot create the line's timer: out of file descriptors");
    notifier = new QSocketNotifier(timerFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        quint64 expirations = 0;
        if (::read(timerFd, &expirations, sizeof expirations) > 0)
            sendDue();
    });
}

LineTransmitter::~LineTransmitter()
{
    delete notifier;
    ::close(timerFd);
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
    const itimerspec disarmed{};
    timerfd_settime(timerFd, 0, &disarmed, nullptr);
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
    // A zero time disarms the timer: a frame already due goes after a nanosecond.
    const qint64 waitNs = std::max<qint64>(1, qint64((queue.front().dueMs - nowMs()) * 1e6));
    itimerspec due{};
    due.it_value.tv_sec = time_t(waitNs / 1000000000);
    due.it_value.tv_nsec = long(waitNs % 1000000000);
    timerfd_settime(timerFd, 0, &due, nullptr);
}

double LineTransmitter::nowMs() const
{
    return clock.nsecsElapsed() / 1e6;
}

} // namespace sim

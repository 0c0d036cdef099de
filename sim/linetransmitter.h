#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <functional>

class QSocketNotifier;

namespace sim {

// Puts frames on the line at the moment their last byte would have arrived:
// never before the requested delay, and never before the previous frame has
// finished, since the line carries one transmission at a time. A whole-millisecond
// timer would hold every frame up to a millisecond too long and make the program
// on the other end look slower than it is: the moment is kept to the microsecond.
class LineTransmitter : public QObject
{
    Q_OBJECT
public:
    using Writer = std::function<void(const QByteArray&)>;

    LineTransmitter(const QElapsedTimer& clock, Writer writer, QObject* parent = nullptr);
    ~LineTransmitter() override;

    // delayMs counts from now to the end of the frame; wireMs is the frame's own time.
    void schedule(const QByteArray& bytes, double delayMs, double wireMs);
    int pendingFrames() const { return int(queue.size()); }
    void clear();

private:
    void sendDue();
    void armTimer();
    double nowMs() const;

    struct Pending
    {
        double dueMs;
        QByteArray bytes;
    };

    const QElapsedTimer& clock;
    Writer writer;
    std::deque<Pending> queue;
    // A timer file descriptor on the monotonic clock, read through the event loop.
    int timerFd = -1;
    QSocketNotifier* notifier = nullptr;
    double lineFreeAtMs = 0.0;
};

} // namespace sim

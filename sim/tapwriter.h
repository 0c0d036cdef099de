#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <random>

namespace sim {

// Hands the bytes of a bus to a listener at the moments they finish on the wire: one
// character time apart, either as they come or gathered into the batches a USB adapter
// delivers. It may damage a share of them on the way, seeded, and says which.
class TapWriter : public QObject
{
    Q_OBJECT
public:
    using Writer = std::function<void(const QByteArray&)>;

    TapWriter(const QElapsedTimer& clock, Writer writer, QObject* parent = nullptr);

    void configure(int batchMs, double corruptShare, quint32 seed);
    // Queues a frame whose first byte starts at startMs; returns the positions damaged.
    QList<int> put(const QByteArray& frame, double startMs, double byteMs);
    void clear();
    int pendingBytes() const { return int(queue.size()); }

private:
    void flush();
    void arm();
    double nowMs() const;

    struct Pending
    {
        double dueMs;
        char byte;
    };

    const QElapsedTimer& clock;
    Writer writer;
    std::deque<Pending> queue;
    QTimer timer;
    int batch = 0;
    double share = 0.0;
    std::mt19937 random;
};

} // namespace sim

#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <random>

namespace sim {

// Bursts of random bytes on the line, as from a broken cable or a second master
// that nobody told about: bytes that belong to no exchange.
class NoiseSource : public QObject
{
    Q_OBJECT
public:
    using Writer = std::function<void(const QByteArray&)>;

    NoiseSource(quint32 seed, Writer writer, QObject* parent = nullptr);

    void start(int bytesPerBurst, int intervalMs);
    void stop() { timer.stop(); }

private:
    void burst();

    std::mt19937 random;
    Writer writer;
    QTimer timer;
    int burstBytes = 0;
};

} // namespace sim

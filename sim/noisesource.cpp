#include "noisesource.h"

namespace sim {

NoiseSource::NoiseSource(quint32 seed, Writer writer, QObject* parent)
    : QObject(parent)
    , random(seed)
    , writer(std::move(writer))
{
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &NoiseSource::burst);
}

void NoiseSource::start(int bytesPerBurst, int intervalMs)
{
    burstBytes = bytesPerBurst;
    timer.start(intervalMs);
}

void NoiseSource::burst()
{
    QByteArray bytes(burstBytes, 0);
    std::uniform_int_distribution<int> byte(0, 255);
    for (char& value : bytes)
        value = char(byte(random));
    writer(bytes);
}

} // namespace sim

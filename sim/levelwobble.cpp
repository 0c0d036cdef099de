#include "levelwobble.h"

#include <QStringList>
#include <cmath>

namespace sim {

namespace {
// About how fast fuel sloshes in a vehicle tank.
const double periodMs = 1000;
const double largestSeconds = 3600;
} // namespace

double LevelWobble::offsetAt(qint64 elapsedMs) const
{
    if (elapsedMs < 0 || elapsedMs >= durationMs)
        return 0;
    const double left = 1.0 - double(elapsedMs) / durationMs;
    return amplitude * left * std::cos(2 * M_PI * elapsedMs / periodMs);
}

bool LevelWobble::parse(const QString& text, LevelWobble* wobble, QString* error)
{
    const QStringList parts = text.split(':');
    bool percentOk = false;
    bool secondsOk = false;
    const double percent = parts.value(0).toDouble(&percentOk);
    const double seconds = parts.value(1).toDouble(&secondsOk);
    if (parts.size() != 2 || !percentOk || !secondsOk || percent < 0 || percent > 100 ||
        seconds <= 0 || seconds > largestSeconds) {
        *error = QStringLiteral("--wobble wants PERCENT:SECONDS, a percent from 0 to 100 and up "
                                "to %1 seconds, not %2")
                     .arg(largestSeconds)
                     .arg(text);
        return false;
    }
    wobble->amplitude = percent / 100;
    wobble->durationMs = int(std::lround(seconds * 1000));
    return true;
}

} // namespace sim

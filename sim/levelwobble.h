#pragma once

#include <QString>
#include <QtGlobal>

namespace sim {

// How a fuel surface calms after a pour: it swings about its new level with an
// amplitude that falls to nothing over the settling time. The default wobble
// is none at all.
struct LevelWobble
{
    double amplitude = 0; // fraction of full scale
    int durationMs = 0;

    // The offset from the new level this long after the pour.
    double offsetAt(qint64 elapsedMs) const;

    // "PERCENT:SECONDS", as the command line gives it; false with the reason otherwise.
    static bool parse(const QString& text, LevelWobble* wobble, QString* error);
};

} // namespace sim

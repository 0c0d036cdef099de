#pragma once

#include <qwt_scale_engine.h>

// Divides the time axis (milliseconds since the epoch) at steps a clock reads
// well: 1, 2, 5, 10, 15 and 30 seconds or minutes, whole hours, days; the step
// is the smallest such one that gives at most the allowed number of major
// steps, so the labels keep the room the plot leaves them. Ticks fall on the
// local clock's round values.
class TimeScaleEngine : public QwtLinearScaleEngine
{
public:
    QwtScaleDiv divideScale(double x1, double x2, int maxMajorSteps, int maxMinorSteps,
                            double stepSize = 0.0) const override;

    // The smallest step of the clock's series that is at least span.
    static double niceStep(double span);
};

#include "plot/timescaleengine.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <qwt_scale_div.h>

namespace {

constexpr double Second = 1000.0;
constexpr double Minute = 60 * Second;
constexpr double Hour = 60 * Minute;
constexpr double Day = 24 * Hour;

const double kSteps[] = {1,           2,           5,           10,      20,         50,
                         100,         200,         500,         Second,  2 * Second, 5 * Second,
                         10 * Second, 15 * Second, 30 * Second, Minute,  2 * Minute, 5 * Minute,
                         10 * Minute, 15 * Minute, 30 * Minute, Hour,    2 * Hour,   3 * Hour,
                         6 * Hour,    12 * Hour,   Day,         2 * Day, 7 * Day};

// Minor ticks split a major step into the most equal parts, up to maxParts,
// that are steps of the series themselves.
QList<double> minorTicks(const QList<double>& major, double step, int maxParts, double lower,
                         double upper)
{
    double minorStep = 0;
    for (double candidate : kSteps) {
        const double parts = step / candidate;
        if (candidate < step && parts <= maxParts && std::fmod(step, candidate) == 0) {
            minorStep = candidate;
            break;
        }
    }
    QList<double> ticks;
    if (minorStep <= 0 || major.isEmpty())
        return ticks;
    for (double t = major.first() - step + minorStep; t < major.last() + step; t += minorStep) {
        if (t >= lower && t <= upper && std::fmod(t - major.first(), step) != 0)
            ticks.append(t);
    }
    return ticks;
}

} // namespace

double TimeScaleEngine::niceStep(double span)
{
    const double* found = std::lower_bound(std::begin(kSteps), std::end(kSteps), span);
    if (found != std::end(kSteps))
        return *found;
    return std::ceil(span / (7 * Day)) * 7 * Day;
}

QwtScaleDiv TimeScaleEngine::divideScale(double x1, double x2, int maxMajorSteps, int maxMinorSteps,
                                         double stepSize) const
{
    const double lower = std::min(x1, x2);
    const double upper = std::max(x1, x2);
    if (!std::isfinite(lower) || !std::isfinite(upper) || !(upper > lower))
        return QwtScaleDiv(x1, x2);
    const double step =
        stepSize > 0 ? stepSize : niceStep((upper - lower) / std::max(1, maxMajorSteps));
    // Round values of the local clock, not of the epoch: an hour step in a
    // zone half an hour off still lands on the hour.
    const double offset = QDateTime::fromMSecsSinceEpoch(qint64(lower)).offsetFromUtc() * Second;
    QList<double> major;
    for (double t = std::ceil((lower + offset) / step) * step - offset; t <= upper; t += step)
        major.append(t);
    QList<double> ticks[QwtScaleDiv::NTickTypes];
    ticks[QwtScaleDiv::MajorTick] = major;
    ticks[QwtScaleDiv::MinorTick] = minorTicks(major, step, maxMinorSteps, lower, upper);
    QwtScaleDiv division(lower, upper, ticks);
    if (x1 > x2)
        division.invert();
    return division;
}

#include "plot/errorplotcurve.h"

#include "plot/columnreducer.h"
#include "plot/pixels.h"
#include "plot/stickpattern.h"

#include <QPainter>
#include <algorithm>
#include <qwt_painter.h>

namespace {

double aligned(double value, bool doAlign)
{
    return doAlign ? roundedPixel(value) : value;
}

} // namespace

double ErrorPlotCurve::markFloor(double maximum)
{
    return maximum * 0.9;
}

void ErrorPlotCurve::drawCurve(QPainter* painter, int, const QwtScaleMap& xMap,
                               const QwtScaleMap& yMap, const QRectF& canvasRect, int from,
                               int to) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const bool doAlign = QwtPainter::roundingAlignment(painter);
    const auto* series = dynamic_cast<const BaseQueueSeriesData*>(data());
    const double margin = std::max(1.0, painter->pen().widthF()) + 2;
    int first = from;
    int last = to;
    if (series && ColumnReducer::visibleRange(*series, xMap, canvasRect, margin, &first, &last)) {
        first = std::max(first, from);
        last = std::min(last, to);
    }
    QVector<int> sticks;
    if (series && doAlign && orientation() == Qt::Vertical &&
        last - first + 1 > canvasRect.width()) {
        sticks = ColumnReducer(*series, xMap, yMap).firstNonZero(first, last);
    } else {
        for (int index = first; index <= last; ++index) {
            if (sample(index).y() != 0)
                sticks.append(index);
        }
    }
    const double floor = series ? markFloor(series->maximum()) : baseline();
    if (!doAlign || orientation() != Qt::Vertical ||
        !drawAsPattern(painter, xMap, yMap, sticks, floor))
        drawEach(painter, xMap, yMap, sticks, floor);
    painter->restore();
}

void ErrorPlotCurve::drawEach(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                              const QVector<int>& sticks, double floor) const
{
    const bool doAlign = QwtPainter::roundingAlignment(painter);
    const double x0 = aligned(xMap.transform(baseline()), doAlign);
    const double y0 = aligned(yMap.transform(floor), doAlign);
    for (int index : sticks) {
        const QPointF point = sample(index);
        const double xi = aligned(xMap.transform(point.x()), doAlign);
        const double yi = aligned(yMap.transform(point.y()), doAlign);
        if (orientation() == Qt::Vertical)
            QwtPainter::drawLine(painter, xi, y0, xi, yi);
        else
            QwtPainter::drawLine(painter, x0, yi, xi, yi);
    }
}

bool ErrorPlotCurve::drawAsPattern(QPainter* painter, const QwtScaleMap& xMap,
                                   const QwtScaleMap& yMap, const QVector<int>& sticks,
                                   double floor) const
{
    // Failed readings all reach the top of the value range, so their sticks
    // have the same ends.
    if (sticks.isEmpty())
        return true;
    const double y0 = roundedPixel(yMap.transform(floor));
    const double top = roundedPixel(yMap.transform(sample(sticks.first()).y()));
    QVector<int> xs;
    xs.reserve(sticks.size());
    for (int index : sticks) {
        const QPointF point = sample(index);
        if (roundedPixel(yMap.transform(point.y())) != top)
            return false;
        xs.append(roundedPixel(xMap.transform(point.x())));
    }
    const StickPattern pattern(painter, painter->pen(), y0, top);
    if (!pattern.isValid())
        return false;
    std::sort(xs.begin(), xs.end());
    pattern.draw(painter, xs);
    return true;
}

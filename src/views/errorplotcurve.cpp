#include "views/errorplotcurve.h"

#include "views/columnreducer.h"

#include <QPainter>
#include <cmath>
#include <qwt_painter.h>

namespace {

// A sample far outside the scale maps beyond what an int holds; it is drawn
// off the canvas anyway, so only values in range are rounded.
double aligned(double value, bool doAlign)
{
    return doAlign && std::abs(value) < 1e9 ? qRound(value) : value;
}

} // namespace

void ErrorPlotCurve::drawCurve(QPainter* painter, int, const QwtScaleMap& xMap,
                               const QwtScaleMap& yMap, const QRectF& canvasRect, int from,
                               int to) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const bool doAlign = QwtPainter::roundingAlignment(painter);
    const double x0 = aligned(xMap.transform(baseline()), doAlign);
    const double y0 = aligned(yMap.transform(baseline()), doAlign);
    const auto drawStick = [&](int index) {
        const QPointF point = sample(index);
        if (point.y() == 0)
            return;
        const double xi = aligned(xMap.transform(point.x()), doAlign);
        const double yi = aligned(yMap.transform(point.y()), doAlign);
        if (orientation() == Qt::Vertical)
            QwtPainter::drawLine(painter, xi, y0, xi, yi);
        else
            QwtPainter::drawLine(painter, x0, yi, xi, yi);
    };

    const auto* series = dynamic_cast<const BaseQueueSeriesData*>(data());
    const double margin = std::max(1.0, painter->pen().widthF()) + 2;
    int first = from;
    int last = to;
    if (series && ColumnReducer::visibleRange(*series, xMap, canvasRect, margin, &first, &last)) {
        first = std::max(first, from);
        last = std::min(last, to);
    }
    if (series && doAlign && orientation() == Qt::Vertical &&
        last - first + 1 > canvasRect.width()) {
        const QVector<int> sticks = ColumnReducer(*series, xMap, yMap).firstNonZero(first, last);
        for (int index : sticks)
            drawStick(index);
    } else {
        for (int index = first; index <= last; ++index)
            drawStick(index);
    }
    painter->restore();
}

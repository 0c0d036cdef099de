#include "plot/piecewisepolyline.h"

#include "plot/pixels.h"
#include "plot/rectilinearstroke.h"

#include <QLineF>
#include <QPainter>
#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_plot_curve.h>
#include <qwt_point_mapper.h>
#include <qwt_scale_map.h>
#include <qwt_series_data.h>

namespace {

QPolygonF stepsPolygon(const QwtPlotCurve& curve, const QVector<QPointF>& points,
                       const QwtScaleMap& xMap, const QwtScaleMap& yMap)
{
    bool inverted = curve.orientation() == Qt::Vertical;
    if (curve.testCurveAttribute(QwtPlotCurve::Inverted))
        inverted = !inverted;
    QPolygonF polygon;
    polygon.reserve(2 * points.size());
    for (const QPointF& sample : points) {
        const QPointF p(roundedPixel(xMap.transform(sample.x())),
                        roundedPixel(yMap.transform(sample.y())));
        if (!polygon.isEmpty()) {
            const QPointF& previous = polygon.last();
            polygon.append(inverted ? QPointF(previous.x(), p.y()) : QPointF(p.x(), previous.y()));
        }
        polygon.append(p);
    }
    return polygon;
}

} // namespace

bool PiecewisePolyline::suits(const QPen& pen)
{
    return pen.style() == Qt::SolidLine && pen.capStyle() == Qt::SquareCap && pen.widthF() > 1 &&
           !pen.isCosmetic();
}

PiecewisePolyline::PiecewisePolyline(const QwtPlotCurve& curve, int style,
                                     const QVector<QPointF>& points, const QwtScaleMap& xMap,
                                     const QwtScaleMap& yMap, const QRectF& canvasRect,
                                     double penWidth)
    : m_penWidth(penWidth)
{
    if (style == QwtPlotCurve::Steps) {
        m_polygon = stepsPolygon(curve, points, xMap, yMap);
    } else {
        QwtPointMapper mapper;
        mapper.setFlag(QwtPointMapper::RoundPoints, true);
        mapper.setFlag(QwtPointMapper::WeedOutPoints,
                       curve.testPaintAttribute(QwtPlotCurve::FilterPoints));
        mapper.setBoundingRect(canvasRect);
        const QwtPointSeriesData series(points);
        m_polygon = mapper.toPolygonF(xMap, yMap, &series, 0, int(points.size()) - 1);
    }
    if (curve.testPaintAttribute(QwtPlotCurve::ClipPolygons)) {
        const double margin = std::max(1.0, penWidth);
        const QRectF clip = canvasRect.adjusted(-margin, -margin, margin, margin);
        // Clipping leaves a polyline inside as it is.
        if (!clip.contains(m_polygon.boundingRect()))
            m_polygon = QwtClipper::clipPolygonF(clip, m_polygon, false);
    }
}

void PiecewisePolyline::draw(QPainter* painter, const RectilinearStroke& stroke) const
{
    if (stroke.draw(painter, m_polygon))
        return;
    // A piece ends in the middle of a segment at least a pen width long, where
    // the next one starts: the square caps meeting there cover that segment's
    // stroke and nothing beyond it, so the joins and pixels stay those of the
    // whole.
    constexpr int PieceSize = 64;
    QPolygonF piece;
    for (int i = 0; i < m_polygon.size(); ++i) {
        const QPointF& p = m_polygon[i];
        piece.append(p);
        if (piece.size() < PieceSize || i + 1 == m_polygon.size())
            continue;
        const QPointF& next = m_polygon[i + 1];
        if (QLineF(p, next).length() < m_penWidth)
            continue;
        const QPointF cut = (p + next) / 2;
        piece.append(cut);
        QwtPainter::drawPolyline(painter, piece);
        piece.clear();
        piece.append(cut);
    }
    if (!piece.isEmpty())
        QwtPainter::drawPolyline(painter, piece);
}

#pragma once

#include <QPolygonF>
#include <QVector>

class QPainter;
class QPen;
class QRectF;
class QwtPlotCurve;
class QwtScaleMap;
class RectilinearStroke;

// The polyline a stock curve strokes for its Lines or Steps style through
// given points, stroked in pieces. Qt strokes a wide pen into an outline whose
// scan conversion slows down with the square of the edges crossing a pixel
// row, so a whole canvas of a busy curve costs many times what its parts do.
class PiecewisePolyline
{
public:
    // Whether pieces of this pen colour exactly the pixels of the whole: a
    // solid, square-capped pen wider than one pixel (thinner pens are drawn
    // without an outline, as fast whole as in pieces).
    static bool suits(const QPen& pen);

    // Aligned to whole pixels, as the stock curve draws on a raster device.
    PiecewisePolyline(const QwtPlotCurve& curve, int style, const QVector<QPointF>& points,
                      const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& canvasRect,
                      double penWidth);

    // As rectangles where stroke can fill them, else stroked in pieces.
    void draw(QPainter* painter, const RectilinearStroke& stroke) const;

private:
    QPolygonF m_polygon;
    double m_penWidth;
};

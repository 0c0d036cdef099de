#include "plot/reducedplotcurve.h"

#include "plot/columnreducer.h"
#include "plot/piecewisepolyline.h"
#include "plot/polylinesplittingoff.h"
#include "plot/rectilinearstroke.h"
#include "plot/stickpattern.h"

#include <QPainter>
#include <optional>
#include <qwt_painter.h>

// Draws given points with the stock curve code, configured like its owner.
class ReducedPlotCurve::PointsCurve : public QwtPlotCurve
{
public:
    using QwtPlotCurve::drawCurve;

    void copySettings(const QwtPlotCurve& curve)
    {
        setBaseline(curve.baseline());
        setOrientation(curve.orientation());
        setBrush(curve.brush());
        setCurveAttribute(Inverted, curve.testCurveAttribute(Inverted));
        for (PaintAttribute a : {ClipPolygons, FilterPoints, MinimizeMemory, ImageBuffer})
            setPaintAttribute(a, curve.testPaintAttribute(a));
    }
};

ReducedPlotCurve::ReducedPlotCurve(const QString& title)
    : QwtPlotCurve(title)
    , m_points(new PointsCurve)
{}

ReducedPlotCurve::~ReducedPlotCurve() = default;

void ReducedPlotCurve::drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap,
                                 const QwtScaleMap& yMap, const QRectF& canvasRect, int from,
                                 int to) const
{
    const auto* series = dynamic_cast<const BaseQueueSeriesData*>(data());
    if (!series || style == NoCurve || testCurveAttribute(Fitted)) {
        QwtPlotCurve::drawCurve(painter, style, xMap, yMap, canvasRect, from, to);
        return;
    }
    const PolylineSplittingOff splittingOff;
    int first = 0;
    int last = 0;
    const double margin = std::max(1.0, painter->pen().widthF()) + 2;
    if (!ColumnReducer::visibleRange(*series, xMap, canvasRect, margin, &first, &last))
        return;
    first = std::max(first, from);
    last = std::min(last, to);
    if (first > last)
        return;
    const ColumnReducer reducer(*series, xMap, yMap, painter->pen().widthF() <= 1);
    if (!drawReduced(painter, style, reducer, xMap, yMap, canvasRect, first, last))
        drawPieces(painter, style, reducer.everySample(first, last), xMap, yMap, canvasRect);
}

void ReducedPlotCurve::drawPieces(QPainter* painter, int style, const ColumnReducer::Pieces& pieces,
                                  const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                                  const QRectF& canvasRect) const
{
    if (pieces.points.isEmpty())
        return;
    m_points->copySettings(*this);
    m_points->setSamples(pieces.points);
    for (int piece = 0; piece < pieces.starts.size(); ++piece)
        m_points->drawCurve(painter, style, xMap, yMap, canvasRect, pieces.starts[piece],
                            pieces.end(piece) - 1);
}

void ReducedPlotCurve::drawWide(QPainter* painter, int style, const ColumnReducer& reducer,
                                const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                                const QRectF& canvasRect, int from, int to) const
{
    // Steps enter and leave a column horizontally, so its vertical span is
    // filled as a rectangle, over the columns and from the rows a short
    // flat-ended stroke of the pen colours; the polyline then has two points a
    // column to stroke instead of up to four. Lines enter at an angle, and
    // their joins there depend on the order of the turns. Only steps that rise
    // before they advance (the default) leave a column the way they do drawn
    // from every sample: from its last sample's row.
    constexpr int ProbeTop = 2;
    constexpr int ProbeBottom = 6;
    std::optional<StickPattern> probe;
    if (style == Steps && orientation() == Qt::Vertical && !testCurveAttribute(Inverted)) {
        QPen flat = painter->pen();
        flat.setCapStyle(Qt::FlatCap);
        probe.emplace(painter, flat, ProbeTop, ProbeBottom);
    }
    const bool filled = probe && probe->isValid() && probe->rowRuns().size() == 1;
    QVector<QLine> spans;
    drawPolylines(painter, style,
                  reducer.polyline(from, to, canvasRect.toAlignedRect(), filled ? &spans : nullptr),
                  xMap, yMap, canvasRect);
    if (spans.isEmpty())
        return;
    const int above = probe->rowRuns().first().first - ProbeTop;
    const int below = probe->rowRuns().first().second - ProbeBottom;
    QVector<QRect> rects;
    rects.reserve(spans.size());
    for (const QLine& span : spans)
        rects.append(probe->columns(span.x1(), span.y1() + above, span.y2() + below));
    StickPattern::fill(painter, rects);
}

void ReducedPlotCurve::drawPolylines(QPainter* painter, int style,
                                     const ColumnReducer::Pieces& pieces, const QwtScaleMap& xMap,
                                     const QwtScaleMap& yMap, const QRectF& canvasRect) const
{
    const RectilinearStroke stroke(painter);
    for (int piece = 0; piece < pieces.starts.size(); ++piece) {
        const int start = pieces.starts[piece];
        PiecewisePolyline(*this, style, pieces.points.mid(start, pieces.end(piece) - start), xMap,
                          yMap, canvasRect, painter->pen().widthF())
            .draw(painter, stroke);
    }
}

bool ReducedPlotCurve::drawReduced(QPainter* painter, int style, const ColumnReducer& reducer,
                                   const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                                   const QRectF& canvasRect, int from, int to) const
{
    // Up to a few samples a column, taking every sample costs less than
    // reducing the columns, and the wide line is still filled rather than
    // stroked.
    constexpr int EverySampleColumns = 4;
    if (!QwtPainter::roundingAlignment(painter))
        return false;
    const int samples = to - from + 1;
    const bool wide = (style == Lines || style == Steps) &&
                      PiecewisePolyline::suits(painter->pen()) && brush().style() == Qt::NoBrush;
    if (wide && samples <= EverySampleColumns * canvasRect.width()) {
        drawPolylines(painter, style, reducer.everySample(from, to), xMap, yMap, canvasRect);
        return true;
    }
    if (samples <= canvasRect.width())
        return false;
    ColumnReducer::Pieces pieces;
    switch (style) {
    case Sticks:
        pieces = {reducer.sticks(from, to), {0}};
        break;
    case Dots: {
        // Only opaque, aliased dots are drawn once per pixel by Qwt itself.
        const bool weeded =
            testPaintAttribute(FilterPoints) && painter->pen().color().alpha() == 255 &&
            !painter->testRenderHint(QPainter::Antialiasing) && !testPaintAttribute(ImageBuffer) &&
            !testPaintAttribute(MinimizeMemory) && brush().style() == Qt::NoBrush;
        if (!weeded)
            return false;
        pieces = {reducer.dots(from, to, canvasRect.toAlignedRect()), {0}};
        break;
    }
    case Lines:
    case Steps:
        if (wide) {
            drawWide(painter, style, reducer, xMap, yMap, canvasRect, from, to);
            return true;
        }
        pieces = reducer.polyline(from, to, canvasRect.toAlignedRect());
        break;
    default:
        return false;
    }
    drawPieces(painter, style, pieces, xMap, yMap, canvasRect);
    return true;
}

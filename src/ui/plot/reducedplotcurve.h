#pragma once

#include "plot/columnreducer.h"

#include <memory>
#include <qwt_plot_curve.h>

// A curve over a sample queue series that stays fast however long the history:
// it draws only the samples that can reach the canvas and, where they
// outnumber the canvas's pixel columns, a per-column reduction of them that
// colours the same pixels. Failed readings are left out and the line breaks
// at them and at gaps (see ColumnReducer). Other series are drawn as a plain
// curve would.
class ReducedPlotCurve : public QwtPlotCurve
{
public:
    explicit ReducedPlotCurve(const QString& title = QString());
    ~ReducedPlotCurve() override;

protected:
    void drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;

private:
    class PointsCurve;

    void drawPieces(QPainter* painter, int style, const ColumnReducer::Pieces& pieces,
                    const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect) const;
    void drawPolylines(QPainter* painter, int style, const ColumnReducer::Pieces& pieces,
                       const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                       const QRectF& canvasRect) const;
    void drawWide(QPainter* painter, int style, const ColumnReducer& reducer,
                  const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& canvasRect,
                  int from, int to) const;
    bool drawReduced(QPainter* painter, int style, const ColumnReducer& reducer,
                     const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& canvasRect,
                     int from, int to) const;

    std::unique_ptr<PointsCurve> m_points;
};

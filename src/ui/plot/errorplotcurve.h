#pragma once

#include <qwt_plot_curve.h>

// Marks every failed reading with a stick from the baseline to the top of the
// value range, whatever style the curve is set to; good readings draw nothing.
// Where the visible samples outnumber the pixel columns, one stick per column
// that holds a failed reading is drawn: the sticks of a column all cover the
// same pixels.
class ErrorPlotCurve : public QwtPlotCurve
{
public:
    using QwtPlotCurve::QwtPlotCurve;

protected:
    void drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;

private:
    void drawEach(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                  const QVector<int>& sticks) const;
    // Draws sticks of equal ends as their shared pattern of pixels; false
    // where that cannot match drawing each.
    bool drawAsPattern(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                       const QVector<int>& sticks) const;
};

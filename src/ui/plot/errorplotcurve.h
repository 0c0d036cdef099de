#pragma once

#include <qwt_plot_curve.h>

// Marks every failed reading with a short stick at the top of the value range,
// whatever style the curve is set to; good readings draw nothing. A stick down
// to the bottom would fill a silent spell with a block that reads as a level.
// Where the visible samples outnumber the pixel columns, one stick per column
// that holds a failed reading is drawn: the sticks of a column all cover the
// same pixels.
class ErrorPlotCurve : public QwtPlotCurve
{
public:
    using QwtPlotCurve::QwtPlotCurve;

    // Where the sticks of a value range up to maximum start.
    static double markFloor(double maximum);

protected:
    void drawCurve(QPainter* painter, int style, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;

private:
    void drawEach(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                  const QVector<int>& sticks, double floor) const;
    // Draws sticks of equal ends as their shared pattern of pixels; false
    // where that cannot match drawing each.
    bool drawAsPattern(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                       const QVector<int>& sticks, double floor) const;
};

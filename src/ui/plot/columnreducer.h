#pragma once

#include "plot/basequeueseriesdata.h"
#include "plot/pixels.h"

#include <QLine>
#include <QRect>
#include <QVector>
#include <qwt_scale_map.h>

// Reduces the visible samples of a queue series to what decides the pixels of
// each canvas column, so that drawing the reduction with the curve's own code
// colours exactly the pixels that drawing every sample would (aliased, pen
// width 1). Columns are the rounded x positions that Qwt itself draws at; a
// block of samples inside one column is read through its summary, so the cost
// follows the canvas width, not the history length.
// Samples without a value (failed readings) are left out, and the line breaks
// between two samples with a failed reading or a gap between them, unless both
// fall in one column: a column cannot show a break narrower than itself, and
// so the cost stays that of the columns, however often the line breaks.
class ColumnReducer
{
public:
    // A curve's points in pieces that are drawn apart.
    struct Pieces
    {
        QVector<QPointF> points;
        // Where each piece starts in points, the first at 0.
        QVector<int> starts;

        int end(int piece) const
        {
            return piece + 1 < starts.size() ? starts[piece + 1] : points.size();
        }
    };

    // Without exact joins a polyline keeps only the first, the extremes and the
    // last sample of each column: enough for pens wider than one pixel.
    ColumnReducer(const BaseQueueSeriesData& series, const QwtScaleMap& xMap,
                  const QwtScaleMap& yMap, bool exactJoins = true);

    // The index range whose samples can reach the canvas widened by margin
    // pixels: the samples inside plus one neighbour on each side, whose lines
    // enter the canvas. False for an empty series.
    static bool visibleRange(const BaseQueueSeriesData& series, const QwtScaleMap& xMap,
                             const QRectF& canvasRect, double margin, int* from, int* to);

    // Per column: the first two samples, the first sample drawn at another
    // pixel, the extremes, the last sample drawn at another pixel than the last
    // one, and the last; lines and steps through them draw the same joins.
    // A column that leaves area, or is entered from outside it, keeps every
    // sample: clipping there makes points off the pixel grid, and the stroker
    // merges the short segments they form with whichever segment follows.
    // With spans, a wide pen's polyline keeps only the first and the last
    // sample of a column inside area, and the column's vertical span from its
    // top to its bottom pixel goes to spans: steps turn only up and down that
    // span inside a column, so a solid pen colours there what a vertical
    // stroke over it colours, whatever their order.
    Pieces polyline(int from, int to, const QRect& area, QVector<QLine>* spans = nullptr) const;
    // Every sample with a value, in pieces.
    Pieces everySample(int from, int to) const;
    // Per column: the lowest and the highest value.
    QVector<QPointF> sticks(int from, int to) const;
    // Per column: one sample for every distinct pixel inside area.
    QVector<QPointF> dots(int from, int to, const QRect& area) const;
    // Per column: the index of the first sample whose value is not 0.
    QVector<int> firstNonZero(int from, int to) const;

private:
    struct Extremes;
    struct Column;

    int column(int index) const { return roundedPixel(m_xMap.transform(m_series.time(index))); }
    int pixel(double value) const { return roundedPixel(m_yMap.transform(value)); }
    // The end of the column that starts at begin, guessed to hold guess samples.
    int columnEnd(int begin, int end, int guess) const;
    // The first and the last sample with a value in [begin, end); false when none has one.
    bool valueBounds(int begin, int end, int* first, int* last) const;
    int nextWithValue(int begin, int end) const;
    // Whether the line joins two successive samples with values.
    bool joins(int previous, int next) const;
    static void startPiece(Pieces* pieces);
    BaseQueueSeriesData::Range valueRange(int begin, int end) const
    {
        return valueRange(begin, end, m_series.blockLevels() - 1);
    }
    BaseQueueSeriesData::Range valueRange(int begin, int end, int level) const;
    template <typename OnColumn>
    void forEachColumn(int from, int to, OnColumn onColumn) const;

    // How a walk goes on after a block's summary: past the block, stopping, or
    // into the block's smaller blocks and, below the smallest, its samples.
    enum class Visit { Next, Stop, Descend };
    // Visit the samples with values of [begin, end) in order, through the
    // summaries of whole blocks where they are exact, from the largest blocks
    // down; a sample visitor returning true stops the walk, and so does the walk.
    template <typename OnSample, typename OnBlock>
    bool walkForward(int begin, int end, OnSample onSample, OnBlock onBlock) const
    {
        return walkForward(begin, end, onSample, onBlock, m_series.blockLevels() - 1);
    }
    template <typename OnSample, typename OnBlock>
    bool walkForward(int begin, int end, OnSample onSample, OnBlock onBlock, int level) const;
    template <typename OnSample, typename OnBlock>
    bool walkBackward(int begin, int end, OnSample onSample, OnBlock onBlock) const
    {
        return walkBackward(begin, end, onSample, onBlock, m_series.blockLevels() - 1);
    }
    template <typename OnSample, typename OnBlock>
    bool walkBackward(int begin, int end, OnSample onSample, OnBlock onBlock, int level) const;
    int findOtherPixelBackward(int begin, int end, int pixel) const;
    Column scanColumn(int begin, int end) const;
    void reduceColumn(int begin, int end, const Column& column, QVector<QPointF>* points) const;
    void dotsOfColumn(int begin, int end, const QRect& area, QVector<int>* stamps, int stamp,
                      QVector<QPointF>* points) const;

    const BaseQueueSeriesData& m_series;
    const QwtScaleMap& m_xMap;
    const QwtScaleMap& m_yMap;
    const bool m_exactJoins;
};

#pragma once

#include <QRect>
#include <QVector>

class QPainter;
class QPen;

// The pixels of one vertical stick as the painter's pen draws it: the rows it
// colours, in runs (one per dash), each across the same columns. Sticks with
// the same ends differ only in where they stand, so many of them are the
// pattern's row runs filled across the spans the sticks cover together: one
// rectangle per dash and span instead of one dashed stroke per stick.
class StickPattern
{
public:
    // Draws one stick of pen from y0 to y1 aside and reads its pixels back.
    // Invalid where filling rectangles would not give the same pixels:
    // translucent or patterned pens, transformed painters, devices other than
    // raster images.
    StickPattern(QPainter* painter, const QPen& pen, double y0, double y1);

    bool isValid() const { return m_valid; }
    // Draws the sticks standing at xs, in increasing order.
    void draw(QPainter* painter, const QVector<int>& xs) const;

    // The columns a stick standing at x colours, from row top to bottom.
    QRect columns(int x, int top, int bottom) const;
    const QVector<QPair<int, int>>& rowRuns() const { return m_rows; }
    // Whether rectangles of the pen's colour give the pixels the pen would:
    // solid, opaque pens on raster images through untransformed, aliased
    // painters.
    static bool suits(const QPainter* painter, const QPen& pen);
    // Fills rects with the painter's pen colour.
    static void fill(QPainter* painter, const QVector<QRect>& rects);

private:
    StickPattern() = default;
    void probe(const QPen& pen, double y0, double y1, int height);
    bool read(const class QImage& image);

    bool m_valid = false;
    int m_left = 0; // columns relative to the stick's x
    int m_right = 0;
    QVector<QPair<int, int>> m_rows; // first and last row of each run
};

#pragma once

#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QVector>

class QPainter;
class QPen;

// The pixels a wide solid pen colours along a polyline of horizontal and
// vertical segments between whole pixels, filled as rectangles: each
// segment's body, square caps at the polyline's ends, and the few pixels each
// kind of turn adds beside its corner. Qt strokes such a polyline into an
// outline and scan-converts it, which costs many times what filling the
// rectangles does. What a turn adds depends on how the rasteriser settles
// edges through pixel centres, so it is read once per pen from a stroked
// sample of each turn.
class RectilinearStroke
{
public:
    // Invalid where rectangles would not give the pixels of the stroke:
    // pens other than solid, opaque, square-capped and of an even whole
    // width; antialiased or transformed painters; devices other than raster
    // images.
    explicit RectilinearStroke(const QPainter* painter);

    bool isValid() const { return m_turns != nullptr; }
    // Draws polygon as the painter would stroke it; false, drawing nothing,
    // where a point lies off the pixel grid or a segment slants.
    bool draw(QPainter* painter, const QPolygonF& polygon) const;

    // The pixels added at a turn from one direction into another, relative to
    // the turning point; directions run right, down, left, up.
    struct Turns
    {
        bool valid = false;
        QVector<QPoint> added[4][4];
    };

private:
    bool rectangles(const QPolygonF& polygon, QVector<QRect>* rects) const;
    static Turns probe(const QPen& pen);
    static QRect body(QPoint from, QPoint to, int half, bool capFrom, bool capTo);

    int m_half = 0;
    const Turns* m_turns = nullptr;
};

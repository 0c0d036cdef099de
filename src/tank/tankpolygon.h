#pragma once

#include <QPointF>
#include <QVector>

// Plain geometry of a closed polygon given by its corners in order: what a
// drawn tank profile needs.
class TankPolygon
{
public:
    // The area of the part at or below the height y.
    static double areaBelow(const QVector<QPointF>& points, double y);
    static double area(const QVector<QPointF>& points);
    // The first two sides that cross or touch without being neighbours, by the
    // index of their first corners; false when the outline is simple.
    static bool crossing(const QVector<QPointF>& points, int* first, int* second);

private:
    static bool sidesMeet(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d);
};

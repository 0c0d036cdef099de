#include "tankpolygon.h"

#include <cmath>

namespace {

double cross(const QPointF& o, const QPointF& a, const QPointF& b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

bool onSegment(const QPointF& a, const QPointF& b, const QPointF& p)
{
    return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) &&
           std::min(a.y(), b.y()) <= p.y() && p.y() <= std::max(a.y(), b.y());
}

int sign(double value)
{
    return (value > 0) - (value < 0);
}

} // namespace

double TankPolygon::area(const QVector<QPointF>& points)
{
    double twice = 0;
    for (int i = 0; i < points.size(); ++i) {
        const QPointF& a = points[i];
        const QPointF& b = points[(i + 1) % points.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2;
}

// Clips the polygon to the half-plane below y, one side at a time; a simple
// polygon clipped so stays one polygon (possibly with zero-width joins, which
// add no area).
double TankPolygon::areaBelow(const QVector<QPointF>& points, double y)
{
    QVector<QPointF> clipped;
    for (int i = 0; i < points.size(); ++i) {
        const QPointF& a = points[i];
        const QPointF& b = points[(i + 1) % points.size()];
        const bool aIn = a.y() <= y;
        const bool bIn = b.y() <= y;
        if (aIn)
            clipped << a;
        if (aIn != bIn) {
            const double t = (y - a.y()) / (b.y() - a.y());
            clipped << QPointF(a.x() + t * (b.x() - a.x()), y);
        }
    }
    return clipped.size() < 3 ? 0 : area(clipped);
}

bool TankPolygon::sidesMeet(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d)
{
    const int d1 = sign(cross(c, d, a));
    const int d2 = sign(cross(c, d, b));
    const int d3 = sign(cross(a, b, c));
    const int d4 = sign(cross(a, b, d));
    if (d1 * d2 < 0 && d3 * d4 < 0)
        return true;
    return (d1 == 0 && onSegment(c, d, a)) || (d2 == 0 && onSegment(c, d, b)) ||
           (d3 == 0 && onSegment(a, b, c)) || (d4 == 0 && onSegment(a, b, d));
}

bool TankPolygon::crossing(const QVector<QPointF>& points, int* first, int* second)
{
    const int n = points.size();
    for (int i = 0; i < n; ++i) {
        for (int j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue; // the closing side meets the first at their shared corner
            if (sidesMeet(points[i], points[(i + 1) % n], points[j], points[(j + 1) % n])) {
                *first = i;
                *second = j;
                return true;
            }
        }
    }
    return false;
}

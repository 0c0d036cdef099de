#include "tankshape.h"

#include "tankpolygon.h"

#include <algorithm>
#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;
const double kCubicMmPerLitre = 1e6;
// Points of a drawn outline; enough that a circle looks round.
const int kOutlineSteps = 96;

struct KindRow
{
    const char* name;
    QStringList dimensions;
    int required;
};

const KindRow& rowOf(TankShape::Kind kind)
{
    static const KindRow rows[] = {
        {"rectangle", {"width", "height", "length", "radius"}, 3},
        {"horizontal-cylinder", {"diameter", "length"}, 2},
        {"vertical-cylinder", {"diameter", "height"}, 2},
        {"oval", {"width", "height", "length"}, 3},
        {"ellipse", {"width", "height", "length"}, 3},
        {"d-shape", {"width", "height", "length"}, 3},
        {"profile", {"width", "height", "length"}, 1},
    };
    return rows[kind];
}

// The part of a circle of radius r below h over its lowest point.
double segment(double r, double h)
{
    if (r <= 0 || h <= 0)
        return 0;
    if (h >= 2 * r)
        return kPi * r * r;
    return r * r * std::acos((r - h) / r) - (r - h) * std::sqrt(h * (2 * r - h));
}

// An upright stadium: half circles of diameter d at the bottom and the top,
// joined by straight sides.
double uprightStadium(double d, double height, double h)
{
    const double r = d / 2;
    if (h <= r)
        return segment(r, h);
    if (h <= height - r)
        return kPi * r * r / 2 + d * (h - r);
    return kPi * r * r + d * (height - d) - segment(r, std::max(0.0, height - h));
}

} // namespace

QStringList TankShape::kindNames()
{
    QStringList names;
    for (int kind = Rectangle; kind <= Profile; ++kind)
        names << rowOf(Kind(kind)).name;
    return names;
}

bool TankShape::kindOf(const QString& name, Kind* kind)
{
    const int index = kindNames().indexOf(name.trimmed().toLower());
    if (index < 0)
        return false;
    *kind = Kind(index);
    return true;
}

QString TankShape::kindName(Kind kind)
{
    return rowOf(kind).name;
}

QStringList TankShape::dimensionNames(Kind kind)
{
    return rowOf(kind).dimensions;
}

int TankShape::requiredDimensions(Kind kind)
{
    return rowOf(kind).required;
}

TankShape::TankShape(Kind kind, const std::vector<double>& dimensions)
    : m_kind(kind)
    , m_dimensions(dimensions)
{
    m_dimensions.resize(size_t(dimensionNames(kind).size()), 0.0);
}

// Its box is measured from the points, so that fitting can stretch it.
TankShape TankShape::profile(const QVector<QPointF>& points, double length)
{
    TankShape shape(Profile, {0, 0, length});
    if (points.isEmpty())
        return shape;
    double left = points[0].x(), right = left, bottom = points[0].y(), top = bottom;
    for (const QPointF& point : points) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        bottom = std::min(bottom, point.y());
        top = std::max(top, point.y());
    }
    for (const QPointF& point : points)
        shape.m_points << QPointF(point.x() - left, point.y() - bottom);
    shape.m_dimensions[0] = right - left;
    shape.m_dimensions[1] = top - bottom;
    return shape;
}

TankShape TankShape::withDimensions(const std::vector<double>& dimensions) const
{
    TankShape shape = *this;
    shape.m_dimensions = dimensions;
    if (m_kind != Profile)
        return shape;
    const double across = m_dimensions[0] > 0 ? dimensions[0] / m_dimensions[0] : 1;
    const double up = m_dimensions[1] > 0 ? dimensions[1] / m_dimensions[1] : 1;
    for (QPointF& point : shape.m_points)
        point = QPointF(point.x() * across, point.y() * up);
    return shape;
}

QString TankShape::fault(int index, const QString& why) const
{
    return tr("%1 %2 mm %3")
        .arg(dimensionNames(m_kind).value(index))
        .arg(m_dimensions[size_t(index)])
        .arg(why);
}

bool TankShape::check(QString* error) const
{
    const int count = m_kind == Profile ? 3 : requiredDimensions(m_kind);
    for (int i = 0; i < count; ++i) {
        const double value = m_dimensions[size_t(i)];
        if (!std::isfinite(value) || value <= 0) {
            *error = fault(i, tr("is not above 0"));
            return false;
        }
    }
    const double* d = m_dimensions.data();
    QString problem;
    if (m_kind == Rectangle && (d[3] < 0 || 2 * d[3] > std::min(d[0], d[1])))
        problem = fault(3, tr("does not fit: it must be from 0 to half the width and the height"));
    else if (m_kind == DShape && 2 * d[1] < d[0])
        problem = fault(1, tr("is below half the width, so the round top does not fit"));
    else if (m_kind == Profile)
        return checkProfile(error);
    if (problem.isEmpty())
        return true;
    *error = problem;
    return false;
}

bool TankShape::checkProfile(QString* error) const
{
    int first = 0;
    int second = 0;
    if (m_points.size() < 3)
        *error = tr("a profile needs at least 3 points, this one has %1").arg(m_points.size());
    else if (TankPolygon::crossing(m_points, &first, &second))
        *error = tr("the profile crosses itself: side %1 meets side %2").arg(first + 1).arg(second + 1);
    else if (TankPolygon::area(m_points) <= 0)
        *error = tr("the profile encloses no area");
    else
        return true;
    return false;
}

double TankShape::height() const
{
    return m_dimensions.size() > 1 && m_kind != HorizontalCylinder ? m_dimensions[1]
                                                                   : m_dimensions[0];
}

double TankShape::length() const
{
    if (m_kind == VerticalCylinder)
        return kPi * m_dimensions[0] / 4; // its side view times this is its volume
    return m_kind == HorizontalCylinder ? m_dimensions[1] : m_dimensions[2];
}

double TankShape::fullLitres() const
{
    return litresBelow(height());
}

double TankShape::litresBelow(double height) const
{
    return areaBelow(std::clamp(height, 0.0, this->height())) * length() / kCubicMmPerLitre;
}

// The area of the cross-section (for a vertical cylinder, its side view) below h.
double TankShape::areaBelow(double h) const
{
    const double* d = m_dimensions.data();
    switch (m_kind) {
    case Rectangle:
        return (d[0] - 2 * d[3]) * h + uprightStadium(2 * d[3], d[1], h);
    case HorizontalCylinder:
        return segment(d[0] / 2, h);
    case VerticalCylinder:
        return d[0] * h;
    case Oval:
        if (d[0] < d[1])
            return uprightStadium(d[0], d[1], h);
        return (d[0] - d[1]) * h + segment(d[1] / 2, h);
    case Ellipse:
        return d[0] / d[1] * segment(d[1] / 2, h);
    case DShape: {
        const double r = d[0] / 2;
        const double straight = d[1] - r;
        if (h <= straight)
            return d[0] * h;
        return d[0] * straight + segment(r, r + h - straight) - kPi * r * r / 2;
    }
    case Profile:
        return TankPolygon::areaBelow(m_points, h);
    }
    return 0;
}

// The width at each height is the rise of the area there; a drawn profile is
// its own outline.
QVector<QPointF> TankShape::outline() const
{
    if (m_kind == Profile)
        return m_points;
    const double top = height();
    const double step = top / kOutlineSteps;
    QVector<QPointF> right;
    for (int i = 0; i <= kOutlineSteps; ++i) {
        const double y = i * step;
        const double low = std::max(0.0, y - step / 4);
        const double high = std::min(top, y + step / 4);
        right << QPointF((areaBelow(high) - areaBelow(low)) / (high - low) / 2, y);
    }
    QVector<QPointF> outline;
    for (const QPointF& point : right)
        outline << QPointF(-point.x(), point.y());
    std::reverse(outline.begin(), outline.end());
    return right + outline;
}

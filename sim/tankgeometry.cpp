#include "tankgeometry.h"

#include <QMap>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace sim {

namespace {

const double kPi = 3.14159265358979323846;
const int kSlices = 20000;

// The width at y of a circle of diameter d standing on 0.
double chord(double d, double y)
{
    const double off = y - d / 2;
    return std::abs(off) >= d / 2 ? 0 : 2 * std::sqrt(d * d / 4 - off * off);
}

// The widths of each shape at a height, and how deep the tank runs.
bool shapeOf(const QString& kind, const QMap<QString, double>& d,
             std::function<double(double)>* width, double* depth, double* height)
{
    const double w = d.value("width"), h = d.value("height"), r = d.value("radius");
    const double dia = d.value("diameter");
    *depth = d.value("length");
    *height = h;
    if (kind == "rectangle")
        *width = [=](double y) {
            const double into = y < r ? r - y : y > h - r ? y - (h - r) : 0;
            return w - 2 * r + 2 * std::sqrt(std::max(0.0, r * r - into * into));
        };
    else if (kind == "horizontal-cylinder")
        *height = dia, *width = [=](double y) { return chord(dia, y); };
    else if (kind == "vertical-cylinder")
        *depth = 1, *width = [=](double) { return kPi * dia * dia / 4; };
    else if (kind == "oval")
        *width = [=](double y) {
            return w >= h ? w - h + chord(h, y)
                          : y < w / 2 ? chord(w, y) : y > h - w / 2 ? chord(w, y - (h - w)) : w;
        };
    else if (kind == "ellipse")
        *width = [=](double y) { return w / h * chord(h, y); };
    else if (kind == "d-shape")
        *width = [=](double y) { return y <= h - w / 2 ? w : chord(w, y - (h - w)); };
    else
        return false;
    return true;
}

} // namespace

bool TankGeometry::parse(const QString& text, QString* error)
{
    const QString kind = text.section(':', 0, 0);
    QMap<QString, double> dimensions;
    for (const QString& field : text.section(':', 1).split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const double value = field.section('=', 1).toDouble(&ok);
        if (!ok || value < 0) {
            *error = QStringLiteral("--tank: \"%1\" is not NAME=MILLIMETRES").arg(field);
            return false;
        }
        dimensions.insert(field.section('=', 0, 0), value);
    }
    std::function<double(double)> width;
    double depth = 0;
    if (!shapeOf(kind, dimensions, &width, &depth, &height)) {
        *error = QStringLiteral("--tank: \"%1\" is not a shape the simulator fills").arg(kind);
        return false;
    }
    if (height <= 0 || depth <= 0 || !build(width, depth)) {
        *error = QStringLiteral("--tank %1: a dimension is missing or 0").arg(text);
        return false;
    }
    probeLength = probeLength > 0 ? probeLength : height;
    return true;
}

bool TankGeometry::parseProbe(const QString& text, QString* error)
{
    bool startOk = false;
    bool lengthOk = false;
    probeStart = text.section(':', 0, 0).toDouble(&startOk);
    probeLength = text.section(':', 1).toDouble(&lengthOk);
    if (startOk && lengthOk && probeStart >= 0 && probeLength > 0 &&
        (!isSet() || probeStart + probeLength <= height))
        return true;
    *error = QStringLiteral("--probe wants START:LENGTH in millimetres within the tank, not %1").arg(text);
    return false;
}

// The litres at each slice's top, summed by the midpoint rule.
bool TankGeometry::build(const std::function<double(double)>& width, double depth)
{
    const double dy = height / kSlices;
    litresAt.assign(1, 0.0);
    for (int i = 0; i < kSlices; ++i)
        litresAt.push_back(litresAt.back() + width((i + 0.5) * dy) * dy * depth / 1e6);
    return litresAt.back() > 0;
}

double TankGeometry::litresBelow(double y) const
{
    const double slice = std::clamp(y, 0.0, height) / height * kSlices;
    const int low = std::min(int(slice), kSlices - 1);
    return litresAt[size_t(low)] + (slice - low) * (litresAt[size_t(low) + 1] - litresAt[size_t(low)]);
}

double TankGeometry::litresAtLevel(double level) const
{
    return litresBelow(probeStart + level * probeLength);
}

double TankGeometry::levelOfLitres(double litres) const
{
    const auto above = std::lower_bound(litresAt.begin(), litresAt.end(), litres);
    const size_t index = size_t(std::clamp<long>(above - litresAt.begin(), 1, kSlices));
    const double low = litresAt[index - 1];
    const double high = litresAt[index];
    const double slice = index - 1 + (high > low ? std::clamp((litres - low) / (high - low), 0.0, 1.0) : 0);
    const double y = slice / kSlices * height;
    return std::clamp((y - probeStart) / probeLength, 0.0, 1.0);
}

} // namespace sim

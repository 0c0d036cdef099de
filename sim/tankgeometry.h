#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace sim {

// The tank a simulated sensor sits in, worked out on its own from the width of
// the cross-section at each height: so that a poured volume gives the level a
// tank of that shape would, and a fault in the program's geometry cannot hide
// behind the same fault here. Millimetres and litres.
class TankGeometry
{
public:
    bool isSet() const { return !litresAt.empty(); }
    // SHAPE:NAME=MM,... as nivelon-cli tank-shape takes it (every shape but a
    // drawn profile); false with the reason.
    bool parse(const QString& text, QString* error);
    // The probe's start above the bottom and its length: START:LENGTH.
    bool parseProbe(const QString& text, QString* error);

    double fullLitres() const { return isSet() ? litresAt.back() : 0; }
    // The litres below a level of the probe (0 to 1), and back.
    double litresAtLevel(double level) const;
    double levelOfLitres(double litres) const;

private:
    bool build(const std::function<double(double)>& width, double depth);
    double litresBelow(double height) const;

    double height = 0;
    double probeStart = 0;
    double probeLength = 0;
    std::vector<double> litresAt; // at heights spaced evenly up to height
};

} // namespace sim

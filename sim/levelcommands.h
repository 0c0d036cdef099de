#pragma once

#include <QMap>
#include <QString>

namespace sim {

class SimLine;

// Changes the levels of a running line from typed commands, so that a test or
// a demo can fill a tank:
//   level ADDR PERCENT   hold the sensor's level at PERCENT
//   pour ADDR PERCENT    add PERCENT to it (a negative PERCENT drains)
//   pour ADDR LITRES     with a tank shape: pour LITRES into the sensor's tank
// After each change the surface wobbles as the line's options say.
class LevelCommands
{
public:
    explicit LevelCommands(SimLine& line);

    // Carries out one command; the answer says the new level, or what was wrong.
    bool execute(const QString& command, QString* answer);

private:
    // The level after pouring into the tank; the litres held are kept per
    // sensor, since a level of 0 does not say what lies below the probe.
    double pourLitres(int address, double calmLevel, double litres);

    SimLine& line;
    QMap<int, double> litresHeld;
};

} // namespace sim

#pragma once

#include <QString>

namespace sim {

class SimLine;

// Changes the levels of a running line from typed commands, so that a test or
// a demo can fill a tank:
//   level ADDR PERCENT   hold the sensor's level at PERCENT
//   pour ADDR PERCENT    add PERCENT to it (a negative PERCENT drains)
// After each change the surface wobbles as the line's options say.
class LevelCommands
{
public:
    explicit LevelCommands(SimLine& line);

    // Carries out one command; the answer says the new level, or what was wrong.
    bool execute(const QString& command, QString* answer);

private:
    SimLine& line;
};

} // namespace sim

#pragma once

#include "clicommand.h"
#include "tank/tanktable.h"

class TankFit;

// nivelon-cli tank-shape: a tank table computed from the tank's shape and its
// probe, marked as computed; with --fit, the shape fitted to measured pours
// first, and the table confirmed by them. A suspect fit writes nothing.
class TankShapeCommand : public CliCommand
{
    Q_OBJECT
public:
    TankShapeCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    bool fit(TankTable* table);
    void report(const TankFit& fit);
    void write(const TankTable& table);
};

#pragma once

#include "clicommand.h"

// nivelon-cli tank-export: a tank table, read in any form, written in the form
// a tracking platform imports, thinned to the rows it takes.
class TankExportCommand : public CliCommand
{
    Q_OBJECT
public:
    TankExportCommand(const CliOptions& options, CliOutput* output);
    void start() override;
};

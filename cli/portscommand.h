#pragma once

#include "clicommand.h"

// nivelon-cli ports: the ports the window would list.
class PortsCommand : public CliCommand
{
    Q_OBJECT
public:
    using CliCommand::CliCommand;
    void start() override;
};

#pragma once

#include "commandrow.h"

#include <QString>
#include <vector>

// Every command of nivelon-cli, in the order the help lists them. A new
// command is a row here.
class CommandTable
{
public:
    static const std::vector<CommandRow>& commands();
    // Null for a name no command has.
    static const CommandRow* find(const QString& name);
};

#pragma once

#include "configurationcommand.h"

// nivelon-cli config: an Omnicomm sensor's configuration, printed, or written
// parameter by parameter and read back to confirm what the sensor kept, as far
// as its model reports it.
class ConfigCommand : public ConfigurationCommand
{
    Q_OBJECT
public:
    using ConfigurationCommand::ConfigurationCommand;
    void start() override;

private:
    bool readAssignments();
    void configurationRead() override;
    void written() override;
    void print();

    ConfigurationValues m_assignments;
};

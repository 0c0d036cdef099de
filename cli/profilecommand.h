#pragma once

#include "configurationcommand.h"

// nivelon-cli config --save / --apply: an Omnicomm sensor's configuration kept
// in a profile file, and given to another sensor of the same model. A profile
// is applied as the differences it makes, each parameter written and read back.
class ProfileCommand : public ConfigurationCommand
{
    Q_OBJECT
public:
    using ConfigurationCommand::ConfigurationCommand;
    void start() override;

private:
    void configurationRead() override;
    void written() override;
    void save();
    void showDifferences(const ConfigurationValues& differences);

    ConfigurationValues m_profile;
};

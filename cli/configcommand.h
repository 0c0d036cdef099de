#pragma once

#include "configurationcommand.h"
#include "functioncallback.h"
#include "protocols/omnicomm/omnicommsensor.h"

// nivelon-cli config: an Omnicomm sensor's configuration, printed, or written
// parameter by parameter and read back to confirm what the sensor kept, as far
// as its model reports it.
class ConfigCommand : public ConfigurationCommand
{
    Q_OBJECT
public:
    ConfigCommand(const CliOptions& options, CliOutput* output);
    // The mode callback must outlive the commands of the session.
    ~ConfigCommand() override { closeSession(); }
    void start() override;

private:
    bool readAssignments();
    bool readMode(const QString& text);
    void switchMode();
    void modeSet(CommandCallback::Result result);
    void configurationRead() override;
    void written() override;
    void print();

    ConfigurationValues m_assignments;
    OmniCommSensor::Mode m_mode = OmniCommSensor::UnknownMode; // unknown: keep it
    FunctionCallback m_modeCallback;
};

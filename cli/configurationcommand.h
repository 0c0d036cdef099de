#pragma once

#include "clicommand.h"
#include "profiles/configurationtransfer.h"

#include <memory>

class OmniCommSensor;

// What the commands on an Omnicomm sensor's configuration share: the sensor on
// its line, the configuration read, values written and read back, and the
// outcome of each write told.
class ConfigurationCommand : public CliCommand
{
    Q_OBJECT
public:
    ConfigurationCommand(const CliOptions& options, CliOutput* output);
    ~ConfigurationCommand() override;

protected:
    // The Omnicomm sensor of the options, not yet on the line; null after
    // finishing when the model is not an Omnicomm one.
    OmniCommSensor* createSensor();
    // Opens the port and reads the configuration; configurationRead() follows.
    void startReading();
    void write(const ConfigurationValues& values);
    const QList<ConfigurationTransfer::Write>& writes() const { return m_transfer->writes(); }
    // Ends the command as the writes went: done, or which values the sensor
    // refused or did not keep.
    void finishWrites();
    static QString assignment(int index, qint64 value);

    virtual void configurationRead() = 0;
    virtual void written() = 0;

    OmniCommSensor* m_sensor = nullptr;

private:
    void readFailed();
    void writeFailed(int index, qint64 value, CommandCallback::Result result);

    std::unique_ptr<ConfigurationTransfer> m_transfer;
};

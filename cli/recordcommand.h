#pragma once

#include "clicommand.h"
#include "polltimer.h"
#include "tank/tanktable.h"

#include <optional>

class OmniCommSensor;
class SerialSensor;

// nivelon-cli record: one sensor's commissioning record, its line statistics
// taken over some seconds of polling, written as a JSON file.
class RecordCommand : public CliCommand
{
    Q_OBJECT
public:
    RecordCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    bool outputWritable();
    void pollingDone();
    void configurationRead();
    void write();

    SerialSensor* m_sensor = nullptr;
    OmniCommSensor* m_omnicomm = nullptr;
    PollTimer m_pollTimer;
    std::optional<TankTable> m_tankTable;
    int m_readTries = 0;
};

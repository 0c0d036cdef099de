#pragma once

#include "clicommand.h"
#include "functioncallback.h"

#include <QList>
#include <QPair>
#include <QVariant>

class OmniCommSensor;

// nivelon-cli config: an Omnicomm sensor's configuration, printed, or written
// parameter by parameter and read back to confirm what the sensor kept, as far
// as its model reports it.
class ConfigCommand : public CliCommand
{
    Q_OBJECT
public:
    ConfigCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    bool readAssignments();
    void configurationRead();
    void writeNext();
    void written(CommandCallback::Result result, const EngineCommand& command);
    QList<int> validParameters() const;
    void confirm();
    void print();

    OmniCommSensor* m_sensor = nullptr;
    QList<QPair<int, qint64>> m_assignments; // parameter index, value
    QList<int> m_reported;                   // the parameters the configuration frame carries
    int m_nextWrite = 0;
    int m_readTries = 0;
    int m_writeTries = 0;
    // Polls ask for the configuration by themselves too; only a read this
    // command waits for moves it on.
    enum Stage { Reading, Writing, ReadingBack } m_stage = Reading;
    FunctionCallback m_writeCallback;
};

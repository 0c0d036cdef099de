#pragma once

#include "clicommand.h"
#include "litrescolumn.h"

#include <QTimer>

class SerialSensor;

// nivelon-cli poll: one sensor's readings as they come, then its line
// statistics.
class PollCommand : public CliCommand
{
    Q_OBJECT
public:
    PollCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void sensorUpdated();
    void printReading();
    void stop();
    void printStatistics();

    SerialSensor* m_sensor = nullptr;
    QTimer m_durationTimer;
    LitresColumn m_litres;
    int m_readings = 0;
    int m_answered = 0;
};

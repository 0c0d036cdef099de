#pragma once

#include "clicommand.h"

#include <QSet>
#include <QTimer>

class SerialSensor;

// nivelon-cli scan: one detection pass, then every sensor found with a fresh
// reading (taken after the pass, so an Omnicomm level is scaled by the data
// format its configuration gave).
class ScanCommand : public CliCommand
{
    Q_OBJECT
public:
    ScanCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void passFinished();
    void sensorUpdated(SerialSensor* sensor);
    void report();

    QSet<SerialSensor*> m_waiting;
    QTimer m_readingTimer;
};

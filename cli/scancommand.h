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
    void sensorReported(SerialSensor* sensor);
    void report();
    // The TBus identifiers the pass probes, said before it starts; empty for
    // the other protocols, which probe every address.
    QList<int> probedIdentifiers() const;
    static QString listText(const QList<int>& numbers);

    QSet<SerialSensor*> m_waiting;
    QTimer m_readingTimer;
};

#pragma once

#include "clicommand.h"
#include "engine/readingcsv.h"
#include "fleet/fleetlivefeed.h"
#include "fleet/fleetoutbox.h"
#include "polltimer.h"
#include "tank/tanktable.h"

#include <memory>
#include <optional>

class FleetClient;
class SerialSensor;

// nivelon-cli poll: one sensor's readings as they come, then its line
// statistics, also when a stop signal ends it early.
class PollCommand : public CliCommand
{
    Q_OBJECT
public:
    PollCommand(const CliOptions& options, CliOutput* output);
    void start() override;
    void interrupt(int signalNumber) override;
    void lineFailed(const QString& reason) override;

private:
    void sensorReported(const SensorReading& reading);
    bool loadTankTable();
    void printReading(const SensorReading& reading);
    // Ends with the statistics, then the error when there is one; a code other
    // than ExitDone stands as it is.
    void stop(ExitCode code, const QString& error = QString());
    void printStatistics();
    void configurationReadFailed();
    QString unscaledText() const;
    void startLiveFeed();

    SerialSensor* m_sensor = nullptr; // null once stopped
    PollTimer m_pollTimer;
    std::optional<TankTable> m_tankTable;
    std::optional<ReadingCsv> m_csv; // from the first reading, which says the columns
    int m_readings = 0;
    int m_answered = 0;
    int m_scaled = 0;   // readings with a level that could be given
    int m_unscaled = 0; // answers whose scale was not known
    bool m_uncalibrated = false;
    // --publish: the readings go live to the fleet.
    FleetOutbox m_outbox;
    FleetClient* m_fleet = nullptr;
    std::optional<FleetLiveFeed> m_liveFeed;
};

#include "pollcommand.h"

#include "engine/readingtext.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "fleet/fleetclient.h"
#include "linesession.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/omnicommmodels.h"

PollCommand::PollCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    connect(&m_pollTimer, &PollTimer::elapsed, this, [this] { stop(ExitDone); });
}

void PollCommand::start()
{
    m_sensor = createSensorSession();
    if (!m_sensor)
        return;
    if (!loadTankTable() || !openPort())
        return;
    connect(m_sensor, &SerialSensor::reported, this, &PollCommand::sensorReported);
    if (auto* omnicomm = qobject_cast<OmniCommSensor*>(m_sensor))
        connect(omnicomm, &OmniCommSensor::configurationReadFailed, this,
                &PollCommand::configurationReadFailed);
    if (m_options.intervalMs > 0)
        m_sensor->setQueryInterval(m_options.intervalMs);
    if (m_options.seconds > 0)
        m_pollTimer.start(session()->engine(), m_options.seconds);
    if (m_options.fleet.publish)
        startLiveFeed();
    session()->start(false);
}

// A broker out of reach does not hold up the polling: it is tried again while
// the readings go on, and is only said.
void PollCommand::startLiveFeed()
{
    m_fleet = new FleetClient(m_options.fleet.server, &m_outbox, this);
    connect(m_fleet, &FleetClient::failed, this,
            [this](FleetClient::Problem, const QString& text) { m_output->note(text); });
    m_liveFeed.emplace(m_fleet);
    m_fleet->start();
}

void PollCommand::interrupt(int signalNumber)
{
    if (m_sensor)
        stop(exitCodeOfSignal(signalNumber));
    else
        CliCommand::interrupt(signalNumber);
}

// The readings so far keep their statistics; nothing follows the error.
void PollCommand::lineFailed(const QString& reason)
{
    if (m_sensor)
        stop(ExitPortFailure, reason);
    else
        CliCommand::lineFailed(reason);
}

void PollCommand::sensorReported(const SensorReading& reading)
{
    printReading(reading);
    if (m_options.count > 0 && m_readings >= m_options.count)
        stop(ExitDone);
}

// False after finishing when the named file is no tank table.
bool PollCommand::loadTankTable()
{
    QString error;
    if (m_options.tank.loadTable(&m_tankTable, &error))
        return true;
    finish(ExitBadArguments, error);
    return false;
}

void PollCommand::printReading(const SensorReading& reading)
{
    const TankTable* tankTable = m_tankTable ? &*m_tankTable : nullptr;
    if (m_readings++ == 0) {
        m_csv.emplace(reading.hasFrequencyTemperature, tankTable);
        m_output->text(m_csv->header());
    }
    m_answered += reading.answered() ? 1 : 0;
    m_scaled += reading.hasLevel() ? 1 : 0;
    m_unscaled += !reading.failed() && !reading.levelKnown ? 1 : 0;
    const bool uncalibrated = reading.error == SensorReading::Uncalibrated;
    if (uncalibrated && !m_uncalibrated)
        m_output->note(QStringLiteral("nivelon-cli: the sensor at address %1 answers but is "
                                      "uncalibrated: store its empty and full points with "
                                      "\"nivelon-cli calibrate ... min\" and \"... max\"")
                           .arg(m_options.address));
    m_uncalibrated = m_uncalibrated || uncalibrated;
    m_output->text(m_csv->row(reading));
    const QJsonObject line = ReadingText::pollJson(reading, tankTable);
    m_output->json(line);
    if (m_liveFeed)
        m_liveFeed->offer(m_options.port, m_options.address, line, reading.timeMs);
}

void PollCommand::stop(ExitCode code, const QString& error)
{
    if (!m_sensor)
        return;
    m_pollTimer.stop();
    disconnect(m_sensor, nullptr, this, nullptr);
    printStatistics();
    // Answers without a level to give are no reading either.
    const bool onlyUnscaled = m_scaled == 0 && m_unscaled > 0;
    if (code != ExitDone || (m_answered > 0 && !onlyUnscaled))
        finish(code, error);
    else if (onlyUnscaled)
        finish(ExitNothingAnswered, unscaledText());
    else
        finish(ExitNothingAnswered,
               QStringLiteral("no reading from address %1 on %2: check the address, the model "
                              "and the wiring")
                   .arg(m_options.address)
                   .arg(m_options.port));
    m_sensor = nullptr;
}

void PollCommand::printStatistics()
{
    const LineStatistics& statistics = m_sensor->lineStatistics();
    if (!m_output->isJson()) {
        m_output->note(statistics.toString());
        return;
    }
    QJsonObject line = statistics.toJson();
    line.insert("type", "statistics");
    m_output->json(line);
}

// Said at once, before the readings without a level pile up.
void PollCommand::configurationReadFailed()
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(m_sensor);
    if (omnicomm && omnicomm->isWrongModel())
        m_output->note("nivelon-cli: " + OmniCommModels::wrongModelText(*omnicomm));
}

QString PollCommand::unscaledText() const
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(m_sensor);
    const QString reason =
        omnicomm && omnicomm->isWrongModel()
            ? OmniCommModels::wrongModelText(*omnicomm)
            : QStringLiteral("its data format could not be read; check the model and run the "
                             "command again");
    return QStringLiteral("no reading from address %1 had a known scale: %2")
        .arg(m_options.address)
        .arg(reason);
}

#include "pollcommand.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "readingtext.h"
#include "tank/tanktablefile.h"

namespace {

QJsonObject statisticsJson(const LineStatistics& statistics)
{
    return QJsonObject{{"type", "statistics"},
                       {"exchanges", double(statistics.exchanges)},
                       {"successes", double(statistics.successes)},
                       {"timeouts", double(statistics.timeouts)},
                       {"checksumFailures", double(statistics.checksumFailures)},
                       {"otherFailures", double(statistics.otherFailures)},
                       {"meanReplyMs", statistics.meanReplyMs()},
                       {"maxReplyMs", statistics.maxReplyMs()},
                       {"lastHeardMs", double(statistics.lastHeardMs)},
                       {"unsolicited", double(statistics.unsolicited)}};
}

} // namespace

PollCommand::PollCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_durationTimer.setSingleShot(true);
    // A coarse timer may end a 5 s poll a quarter of a second early.
    m_durationTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_durationTimer, &QTimer::timeout, this, [this] { stop(ExitDone); });
}

void PollCommand::start()
{
    m_sensor = createSensorSession();
    if (!m_sensor)
        return;
    if (!loadTankTable() || !openPort())
        return;
    connect(m_sensor, &SerialSensor::updated, this, &PollCommand::sensorUpdated);
    if (m_options.seconds > 0)
        connect(session()->engine(), &SerialEngine::stateChanged, this,
                &PollCommand::engineStateChanged);
    session()->start(false);
}

void PollCommand::interrupt(int signalNumber)
{
    if (m_sensor)
        stop(exitCodeOfSignal(signalNumber));
    else
        CliCommand::interrupt(signalNumber);
}

// The time counts from the first request: the engine first waits for the line
// to settle, which is no time spent polling.
void PollCommand::engineStateChanged(SerialEngine::State state)
{
    if (state != SerialEngine::WaitingReply && state != SerialEngine::WaitingEcho)
        return;
    disconnect(session()->engine(), &SerialEngine::stateChanged, this, nullptr);
    m_durationTimer.start(int(m_options.seconds * 1000));
}

void PollCommand::sensorUpdated()
{
    printReading();
    if (m_options.count > 0 && m_readings >= m_options.count)
        stop(ExitDone);
}

// False after finishing when the named file is no tank table.
bool PollCommand::loadTankTable()
{
    const QString& path = m_options.tank.tankTable;
    if (path.isEmpty())
        return true;
    QString problem;
    m_tankTable.emplace();
    if (TankTableFile::load(path, &*m_tankTable, &problem))
        return true;
    finish(ExitBadArguments, QStringLiteral("--tank-table %1: %2").arg(path, problem));
    return false;
}

void PollCommand::printReading()
{
    const SensorReading& reading = m_sensor->lastReading();
    const TankTable* tankTable = m_tankTable ? &*m_tankTable : nullptr;
    if (m_readings++ == 0) {
        m_csv.emplace(reading.hasFrequencyTemperature, tankTable);
        m_output->text(m_csv->header());
    }
    m_answered += reading.answered() ? 1 : 0;
    const bool uncalibrated = reading.error == SensorReading::Uncalibrated;
    if (uncalibrated && !m_uncalibrated)
        m_output->note(QStringLiteral("nivelon-cli: the sensor at address %1 answers but is "
                                      "uncalibrated: store its empty and full points with "
                                      "\"nivelon-cli calibrate ... min\" and \"... max\"")
                           .arg(m_options.address));
    m_uncalibrated = m_uncalibrated || uncalibrated;
    m_output->text(m_csv->row(reading));
    QJsonObject line = ReadingText::toJson(reading, tankTable);
    line.insert("type", "reading");
    m_output->json(line);
}

void PollCommand::stop(ExitCode code)
{
    if (!m_sensor)
        return;
    m_durationTimer.stop();
    disconnect(m_sensor, nullptr, this, nullptr);
    printStatistics();
    if (code != ExitDone || m_answered > 0)
        finish(code);
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
    if (m_output->isJson())
        m_output->json(statisticsJson(statistics));
    else
        m_output->note(statistics.toString());
}

#include "pollcommand.h"

#include "engine/serialsensor.h"
#include "linesession.h"
#include "reading.h"

#include <QDateTime>

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
                       {"lastHeardMs", double(statistics.lastHeardMs)}};
}

} // namespace

PollCommand::PollCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_durationTimer.setSingleShot(true);
    connect(&m_durationTimer, &QTimer::timeout, this, &PollCommand::stop);
}

void PollCommand::start()
{
    m_sensor = createSensorSession();
    if (!m_sensor)
        return;
    QString error;
    if (!m_litres.load(m_options.tank.tankTable, &error)) {
        finish(ExitBadArguments, error);
        return;
    }
    if (!openPort())
        return;
    connect(m_sensor, &SerialSensor::updated, this, &PollCommand::sensorUpdated);
    if (m_options.seconds > 0)
        m_durationTimer.start(int(m_options.seconds * 1000));
    session()->start(false);
}

void PollCommand::sensorUpdated()
{
    printReading();
    if (m_options.count > 0 && m_readings >= m_options.count)
        stop();
}

void PollCommand::printReading()
{
    const Reading reading = Reading::of(m_sensor, QDateTime::currentMSecsSinceEpoch());
    if (m_readings++ == 0)
        m_output->text(m_litres.header(reading.csvHeader()));
    m_answered += reading.error ? 0 : 1;
    m_output->text(m_litres.row(reading, reading.csvRow()));
    QJsonObject line = reading.toJson();
    line.insert("type", "reading");
    m_litres.addTo(reading, &line);
    m_output->json(line);
}

void PollCommand::stop()
{
    m_durationTimer.stop();
    disconnect(m_sensor, nullptr, this, nullptr);
    printStatistics();
    if (m_answered > 0)
        finish(ExitDone);
    else
        finish(ExitNothingAnswered,
               QStringLiteral("no reading from address %1 on %2: check the address, the model "
                              "and the wiring")
                   .arg(m_options.address)
                   .arg(m_options.port));
}

void PollCommand::printStatistics()
{
    const LineStatistics& statistics = m_sensor->lineStatistics();
    if (m_output->isJson())
        m_output->json(statisticsJson(statistics));
    else
        m_output->note(statistics.toString());
}

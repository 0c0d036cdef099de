#include "scancommand.h"

#include "detectionpass.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "readingtext.h"

#include <QJsonArray>
#include <algorithm>

namespace {
// Every sensor is polled within this, unless the query interval is longer.
const int kReadingWaitMs = 5000;
} // namespace

ScanCommand::ScanCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_readingTimer.setSingleShot(true);
    m_readingTimer.setInterval(kReadingWaitMs);
    connect(&m_readingTimer, &QTimer::timeout, this, &ScanCommand::report);
}

void ScanCommand::start()
{
    LineSession* line = openSession(m_options.modelIndex);
    if (!line)
        return;
    auto* pass = new DetectionPass(line->engine(), line->protocolName(), this);
    connect(pass, &DetectionPass::finished, this, &ScanCommand::passFinished);
    line->start(true);
}

void ScanCommand::passFinished()
{
    SerialEngine* engine = session()->engine();
    engine->setAutoDetectSensorsEnabled(false);
    for (SerialSensor* sensor : engine->sensors()) {
        m_waiting.insert(sensor);
        connect(sensor, &SerialSensor::updated, this, [this, sensor] { sensorUpdated(sensor); });
    }
    if (m_waiting.isEmpty())
        report();
    else
        m_readingTimer.start();
}

void ScanCommand::sensorUpdated(SerialSensor* sensor)
{
    if (m_waiting.remove(sensor) && m_waiting.isEmpty())
        report();
}

void ScanCommand::report()
{
    m_readingTimer.stop();
    m_waiting.clear();
    QList<SerialSensor*> sensors = session()->engine()->sensors();
    std::sort(sensors.begin(), sensors.end(),
              [](SerialSensor* a, SerialSensor* b) { return a->address() < b->address(); });
    QJsonArray found;
    for (SerialSensor* sensor : sensors) {
        const SensorReading& reading = sensor->lastReading();
        m_output->text(QStringLiteral("address %1: %2")
                           .arg(sensor->address())
                           .arg(ReadingText::toText(reading)));
        QJsonObject entry = ReadingText::toJson(reading);
        entry.insert("address", sensor->address());
        found.append(entry);
    }
    m_output->json(QJsonObject{{"port", m_options.port},
                               {"model", m_options.modelCode},
                               {"protocol", session()->protocolName()},
                               {"sensors", found}});
    if (sensors.isEmpty())
        finish(ExitNothingAnswered,
               QStringLiteral("no %1 sensor answered on %2: check the model, the wiring and "
                              "the sensors' power")
                   .arg(m_options.modelCode, m_options.port));
    else
        finish(ExitDone);
}

#include "scancommand.h"

#include "detectionpass.h"
#include "engine/readingtext.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "protocols/tbus/tbusengine.h"
#include "session/omnicommmodels.h"

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
    auto* tbus = qobject_cast<TBusEngine*>(line->engine());
    if (tbus && !m_options.addresses.isEmpty())
        tbus->setDetectionAddresses(m_options.addresses);
    if (tbus)
        m_output->note(QStringLiteral("nivelon-cli: probing TBus identifiers %1; others with "
                                      "--address LIST")
                           .arg(listText(tbus->detectionAddresses())));
    auto* pass = new DetectionPass(line->engine(), line->protocolName(), this);
    connect(pass, &DetectionPass::finished, this, &ScanCommand::passFinished);
    line->start(true);
}

QList<int> ScanCommand::probedIdentifiers() const
{
    const auto* tbus = qobject_cast<const TBusEngine*>(session()->engine());
    return tbus ? tbus->detectionAddresses() : QList<int>();
}

QString ScanCommand::listText(const QList<int>& numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return texts.join(QStringLiteral(", "));
}

void ScanCommand::passFinished()
{
    SerialEngine* engine = session()->engine();
    engine->setAutoDetectSensorsEnabled(false);
    for (SerialSensor* sensor : engine->sensors()) {
        m_waiting.insert(sensor);
        connect(sensor, &SerialSensor::reported, this, [this, sensor] { sensorReported(sensor); });
    }
    if (m_waiting.isEmpty())
        report();
    else
        m_readingTimer.start();
}

void ScanCommand::sensorReported(SerialSensor* sensor)
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
        const auto* omnicomm = qobject_cast<const OmniCommSensor*>(sensor);
        if (omnicomm && omnicomm->isWrongModel())
            m_output->note("nivelon-cli: " + OmniCommModels::wrongModelText(*omnicomm));
    }
    QJsonObject answer{{"port", m_options.port},
                       {"model", m_options.modelCode},
                       {"protocol", session()->protocolName()},
                       {"sensors", found}};
    const QList<int> probed = probedIdentifiers();
    if (!probed.isEmpty()) {
        QJsonArray identifiers;
        for (int identifier : probed)
            identifiers.append(identifier);
        answer.insert("probed", identifiers);
    }
    m_output->json(answer);
    if (!sensors.isEmpty())
        finish(ExitDone);
    else if (!probed.isEmpty())
        finish(ExitNothingAnswered,
               QStringLiteral("no %1 sensor answered on %2 at identifiers %3: check the wiring "
                              "and the sensors' power, or probe others with --address LIST")
                   .arg(m_options.modelCode, m_options.port, listText(probed)));
    else
        finish(ExitNothingAnswered,
               QStringLiteral("no %1 sensor answered on %2: check the model, the wiring and "
                              "the sensors' power")
                   .arg(m_options.modelCode, m_options.port));
}

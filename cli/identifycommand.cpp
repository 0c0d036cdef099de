#include "identifycommand.h"

#include "detectionpass.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/enginefactory.h"
#include "session/omnicommmodels.h"

#include <QTimer>
#include <algorithm>

namespace {
// Longer than any protocol's reply window, so that late answers to the last
// protocol are over, and than any sensor takes to forget a frame it had begun:
// the next protocol's first byte must not be read as the rest of the last one's.
const int kSettleMs = 250;
} // namespace

IdentifyCommand::IdentifyCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
    , m_models(EngineFactory::identifyOrder())
{}

void IdentifyCommand::start()
{
    tryNext();
}

void IdentifyCommand::tryNext()
{
    closeSession();
    if (m_next == m_models.size() || !m_answer.isEmpty()) {
        report();
        return;
    }
    LineSession* line = openSession(int(m_models.at(m_next++)));
    if (!line)
        return;
    auto* pass = new DetectionPass(line->engine(), line->protocolName(), line);
    connect(pass, &DetectionPass::finished, this, &IdentifyCommand::passFinished);
    line->engine()->setMinimumQuietMs(kSettleMs);
    line->start(true);
}

// The engine is in the middle of its idle step here: it is replaced only once
// that step is over. An Omnicomm sensor's configuration was read when it was
// found: its length tells basic models from extended ones.
void IdentifyCommand::passFinished()
{
    LineSession* line = session();
    QList<SerialSensor*> sensors = line->engine()->sensors();
    std::sort(sensors.begin(), sensors.end(),
              [](SerialSensor* a, SerialSensor* b) { return a->address() < b->address(); });
    QStringList texts;
    QJsonArray list;
    QJsonArray details;
    for (const SerialSensor* sensor : sensors) {
        list.append(sensor->address());
        QString text = QString::number(sensor->address());
        if (const auto* omnicomm = qobject_cast<const OmniCommSensor*>(sensor)) {
            const OmniCommSensor::ConfigurationKind kind = omnicomm->heardConfiguration();
            const QStringList models = OmniCommModels::of(kind);
            text += kind == OmniCommSensor::NotHeard
                        ? QStringLiteral(" (configuration not read)")
                        : QStringLiteral(" (%1 configuration: %2)")
                              .arg(configurationName(kind), models.join(QStringLiteral(", ")));
            details.append(QJsonObject{{"address", sensor->address()},
                                       {"configurationKind", configurationName(kind)},
                                       {"models", QJsonArray::fromStringList(models)}});
        }
        texts << text;
    }
    // An Omnicomm line is probed as one model, which says nothing of the sensors.
    const bool omnicomm = qobject_cast<OmniCommEngine*>(line->engine());
    const QString settings = omnicomm ? QStringLiteral("%1 baud").arg(line->baudRate())
                                      : QStringLiteral("%1, %2 baud")
                                            .arg(line->modelCode())
                                            .arg(line->baudRate());
    m_output->text(QStringLiteral("%1 (%2): %3")
                       .arg(line->protocolName(), settings,
                            sensors.isEmpty() ? QStringLiteral("nothing answered")
                                              : "sensors at " + texts.join(", ")));
    QJsonObject tried{{"protocol", line->protocolName()},
                      {"model", line->modelCode()},
                      {"baud", line->baudRate()},
                      {"addresses", list}};
    if (omnicomm)
        tried.insert("sensors", details);
    m_protocols.append(tried);
    if (!sensors.isEmpty())
        m_answer = tried;
    QTimer::singleShot(0, this, &IdentifyCommand::tryNext);
}

QString IdentifyCommand::configurationName(int kind)
{
    switch (kind) {
    case OmniCommSensor::BasicConfiguration:
        return QStringLiteral("basic");
    case OmniCommSensor::ExtendedConfiguration:
        return QStringLiteral("extended");
    default:
        return QStringLiteral("unknown");
    }
}

void IdentifyCommand::report()
{
    QJsonObject answer{{"port", m_options.port},
                       {"protocol", m_answer.value("protocol").toString()},
                       {"addresses", m_answer.value("addresses").toArray()},
                       {"tried", m_protocols}};
    if (m_answer.contains("sensors"))
        answer.insert("sensors", m_answer.value("sensors"));
    m_output->json(answer);
    if (!m_answer.isEmpty())
        finish(ExitDone);
    else
        finish(ExitNothingAnswered,
               QStringLiteral("nothing answered on %1 in any protocol: check the wiring and "
                              "the sensors' power")
                   .arg(m_options.port));
}

#include "identifycommand.h"

#include "detectionpass.h"
#include "engine/enginefactory.h"
#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "linesession.h"

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
// that step is over.
void IdentifyCommand::passFinished()
{
    LineSession* line = session();
    QList<int> addresses;
    for (const SerialSensor* sensor : line->engine()->sensors())
        addresses << sensor->address();
    std::sort(addresses.begin(), addresses.end());
    QStringList texts;
    QJsonArray list;
    for (int address : addresses) {
        texts << QString::number(address);
        list.append(address);
    }
    m_output->text(QStringLiteral("%1 (%2, %3 baud): %4")
                       .arg(line->protocolName(), line->modelCode())
                       .arg(line->baudRate())
                       .arg(addresses.isEmpty() ? QStringLiteral("nothing answered")
                                                : "sensors at " + texts.join(", ")));
    const QJsonObject tried{{"protocol", line->protocolName()},
                            {"model", line->modelCode()},
                            {"baud", line->baudRate()},
                            {"addresses", list}};
    m_protocols.append(tried);
    if (!addresses.isEmpty())
        m_answer = tried;
    QTimer::singleShot(0, this, &IdentifyCommand::tryNext);
}

void IdentifyCommand::report()
{
    m_output->json(QJsonObject{{"port", m_options.port},
                               {"protocol", m_answer.value("protocol").toString()},
                               {"addresses", m_answer.value("addresses").toArray()},
                               {"tried", m_protocols}});
    if (!m_answer.isEmpty())
        finish(ExitDone);
    else
        finish(ExitNothingAnswered,
               QStringLiteral("nothing answered on %1 in any protocol: check the wiring and "
                              "the sensors' power")
                   .arg(m_options.port));
}

#include "outboxcommand.h"

#include "fleetdelivery.h"

OutboxCommand::OutboxCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{}

void OutboxCommand::start()
{
    const FleetOutbox outbox;
    QStringList damaged;
    const QList<FleetMessage> waiting = outbox.waiting(&damaged);
    for (const QString& path : damaged)
        m_output->note(QStringLiteral("%1 is no message: set aside as %1.bad").arg(path));
    for (const FleetMessage& message : waiting) {
        m_output->text(QStringLiteral("%1  %2  %3 bytes%4")
                           .arg(message.name, message.topic)
                           .arg(message.payload.size())
                           .arg(message.retain ? QStringLiteral(", retained") : QString()));
        m_output->json({{"type", "waiting"},
                        {"name", message.name},
                        {"topic", message.topic},
                        {"bytes", message.payload.size()},
                        {"retain", message.retain}});
    }
    if (waiting.isEmpty())
        m_output->text(QStringLiteral("nothing waits in the outbox"));
    if (m_options.fleet.server.url.isEmpty()) {
        if (!waiting.isEmpty())
            m_output->note(QStringLiteral("no fleet server: nothing sent (give --server URL, or "
                                          "store one in the window's Settings → Fleet server)"));
        finish(ExitDone);
        return;
    }
    m_delivery = new FleetDelivery(m_options.fleet.server, m_output, this);
    connect(m_delivery, &FleetDelivery::done, this, [this](bool delivered) {
        finish(delivered ? ExitDone : ExitPortFailure, m_delivery->failureText());
    });
    QString error;
    if (!m_delivery->send({}, &error))
        finish(ExitPortFailure, error);
}

#include "fleetdelivery.h"

#include "clioutput.h"

namespace {

// Acknowledgements come within milliseconds; this is for a broker that took
// the connection and then stalled.
const int kLongestWaitMs = 30000;

} // namespace

FleetDelivery::FleetDelivery(const FleetServer& server, CliOutput* output, QObject* parent)
    : QObject(parent)
    , m_client(server, &m_outbox)
    , m_output(output)
{
    m_client.setRetrying(false);
    connect(&m_client, &FleetClient::delivered, this, [this] { ++m_delivered; });
    connect(&m_client, &FleetClient::waitingChanged, this, [this](int waiting) {
        if (waiting == 0 && m_client.isConnected())
            end(true);
    });
    connect(&m_client, &FleetClient::connected, this, [this] {
        if (m_outbox.count() == 0)
            end(true);
    });
    connect(&m_client, &FleetClient::failed, this, [this] { end(false); });
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { end(false); });
}

bool FleetDelivery::send(const QList<FleetMessage>& messages, QString* error)
{
    for (FleetMessage message : messages)
        if (!m_outbox.add(&message, error))
            return false;
    m_timeout.start(kLongestWaitMs);
    m_client.start();
    return true;
}

void FleetDelivery::end(bool delivered)
{
    if (m_ended)
        return;
    m_ended = true;
    m_timeout.stop();
    const QString status = m_client.statusText();
    m_client.stop();
    const int waiting = m_outbox.count();
    const QString url = m_client.server().url;
    m_failure = delivered ? QString()
                          : QStringLiteral("not sent to the fleet: %1; %2 message(s) wait in "
                                           "the outbox (nivelon-cli outbox sends them)")
                                .arg(status)
                                .arg(waiting);
    if (delivered)
        m_output->text(
            QStringLiteral("sent to the fleet at %1: %2 message(s)").arg(url).arg(m_delivered));
    m_output->json({{"type", "fleet"},
                    {"server", url},
                    {"connected", delivered},
                    {"delivered", m_delivered},
                    {"waiting", waiting},
                    {"status", status}});
    emit done(delivered);
}

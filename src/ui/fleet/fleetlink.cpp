#include "fleet/fleetlink.h"

#include "engine/basesensor.h"
#include "engine/readingtext.h"
#include "fleet/fleetclient.h"
#include "fleet/fleetpayloads.h"
#include "record/commissioningrecord.h"

#include <QPointer>

namespace {

QPointer<FleetLink> g_current;

} // namespace

FleetLink::FleetLink(QObject* parent)
    : QObject(parent)
{
    g_current = this;
    reload();
}

FleetLink::~FleetLink() = default;

FleetLink* FleetLink::current()
{
    return g_current;
}

void FleetLink::reload()
{
    m_liveFeed.reset();
    m_client.reset();
    const FleetServer server = FleetServer::stored();
    if (!server.url.isEmpty()) {
        m_client = std::make_unique<FleetClient>(server, &m_outbox);
        connect(m_client.get(), &FleetClient::statusChanged, this, &FleetLink::announce);
        connect(m_client.get(), &FleetClient::waitingChanged, this, &FleetLink::announce);
        connect(m_client.get(), &FleetClient::connected, this, &FleetLink::announce);
        m_client->start();
        if (server.liveReadings)
            m_liveFeed.emplace(m_client.get());
    }
    announce();
}

void FleetLink::watch(BaseSensor* sensor, const QString& port)
{
    connect(
        sensor, &BaseSensor::reported, this, [this, sensor, port](const SensorReading& reading) {
            // Most readings fall within their sensor's second: they cost one look-up.
            if (!m_liveFeed || !m_liveFeed->due(port, sensor->address(), reading.timeMs))
                return;
            m_liveFeed->offer(port, sensor->address(),
                              ReadingText::pollJson(reading, sensor->tankTable()), reading.timeMs);
        });
}

QString FleetLink::statusText() const
{
    if (!m_client)
        return QString();
    const int waiting = m_outbox.count();
    if (waiting > 0)
        return tr("fleet: %n waiting", "", waiting);
    return m_client->isConnected() ? tr("fleet: connected") : tr("fleet: not connected");
}

void FleetLink::announce()
{
    emit statusChanged(statusText(), m_client ? m_client->statusText() : QString());
}

bool FleetLink::publishRecord(const CommissioningRecord& record, QString* error)
{
    if (!m_client)
        return true;
    for (const FleetMessage& message : FleetPayloads::record(m_client->server(), record.toJson()))
        if (!m_client->queue(message, error))
            return false;
    return true;
}

bool FleetLink::publishTankTable(const QString& model, const TankTable& table, QString* error)
{
    return !m_client ||
           m_client->queue(FleetPayloads::tankTable(m_client->server(), model, table), error);
}

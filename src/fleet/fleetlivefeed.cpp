#include "fleet/fleetlivefeed.h"

#include "fleet/fleetclient.h"
#include "fleet/fleetpayloads.h"

FleetLiveFeed::FleetLiveFeed(FleetClient* client)
    : m_client(client)
{}

QString FleetLiveFeed::sensorKey(const QString& port, int address)
{
    return port + '#' + QString::number(address);
}

bool FleetLiveFeed::due(const QString& port, int address, qint64 nowMs) const
{
    const auto last = m_lastSentMs.constFind(sensorKey(port, address));
    return (last == m_lastSentMs.cend() || nowMs - *last >= IntervalMs) && m_client->isConnected();
}

bool FleetLiveFeed::offer(const QString& port, int address, const QJsonObject& reading,
                          qint64 nowMs)
{
    if (!due(port, address, nowMs))
        return false;
    const FleetMessage message = FleetPayloads::reading(m_client->server(), port, address, reading);
    if (!m_client->publishNow(message.topic, message.payload))
        return false;
    m_lastSentMs.insert(sensorKey(port, address), nowMs);
    return true;
}

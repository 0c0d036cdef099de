#include "fleet/fleetlivefeed.h"

#include "fleet/fleetclient.h"
#include "fleet/fleetpayloads.h"

FleetLiveFeed::FleetLiveFeed(FleetClient* client)
    : m_client(client)
{}

bool FleetLiveFeed::offer(const QString& port, int address, const QJsonObject& reading,
                          qint64 nowMs)
{
    const QString sensor = port + '#' + QString::number(address);
    const auto last = m_lastSentMs.constFind(sensor);
    if ((last != m_lastSentMs.cend() && nowMs - *last < IntervalMs) || !m_client->isConnected())
        return false;
    const FleetMessage message = FleetPayloads::reading(m_client->server(), port, address, reading);
    if (!m_client->publishNow(message.topic, message.payload))
        return false;
    m_lastSentMs.insert(sensor, nowMs);
    return true;
}

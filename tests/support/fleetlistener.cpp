#include "fleetlistener.h"

#include <QJsonDocument>
#include <QSignalSpy>

FleetListener::FleetListener(const FleetServer& server, const QString& pattern)
    : m_outbox(m_folder.path())
    , m_client(server, &m_outbox)
{
    QObject::connect(&m_client, &FleetClient::messageArrived,
                     [this](const QString& topic, const QByteArray& payload, bool) {
                         topics << topic;
                         payloads << QJsonDocument::fromJson(payload).object();
                     });
    m_client.subscribe(pattern);
}

bool FleetListener::ready(int timeoutMs)
{
    QSignalSpy subscribed(&m_client, &FleetClient::subscribed);
    m_client.start();
    return subscribed.wait(timeoutMs);
}

QStringList FleetListener::addresses() const
{
    QStringList addresses;
    for (const QJsonObject& payload : payloads)
        addresses << QString::number(payload.value("record").toObject().value("address").toInt());
    return addresses;
}

#include "fleet/fleetlibraryfetch.h"

#include "fleet/fleetclient.h"
#include "fleet/fleetpayloads.h"

#include <QCoreApplication>

FleetLibraryFetch::FleetLibraryFetch(const FleetServer& server, QObject* parent)
    : QObject(parent)
    , m_server(server)
    , m_outbox(m_folder.path())
    , m_client(new FleetClient(server, &m_outbox, this))
    , m_syncTopic(server.topic({"clients", server.effectiveClientName(),
                                QStringLiteral("sync-%1").arg(QCoreApplication::applicationPid())}))
{
    m_client->setRetrying(false);
    m_client->subscribe(FleetPayloads::libraryPattern(server));
    m_client->subscribe(m_syncTopic);
    connect(m_client, &FleetClient::subscribed, this,
            [this] { m_client->publishNow(m_syncTopic, "sync", 1); });
    connect(m_client, &FleetClient::messageArrived, this,
            [this](const QString& topic, const QByteArray& payload) { arrived(topic, payload); });
    connect(m_client, &FleetClient::failed, this,
            [this](FleetClient::Problem, const QString& text) { emit failed(text); });
}

FleetLibraryFetch::~FleetLibraryFetch() = default;

void FleetLibraryFetch::start()
{
    m_library.clear();
    m_client->start();
}

void FleetLibraryFetch::arrived(const QString& topic, const QByteArray& payload)
{
    if (topic == m_syncTopic) {
        m_client->stop();
        emit fetched();
        return;
    }
    const QString model = FleetPayloads::tankModelOf(m_server, topic);
    // An empty retained message is how an entry is taken out of the library.
    if (!model.isEmpty() && !payload.isEmpty())
        m_library.insert(model, payload);
}

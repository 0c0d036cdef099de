#pragma once

#include "fleet/fleetoutbox.h"
#include "fleet/fleetserver.h"

#include <QMap>
#include <QObject>
#include <QTemporaryDir>

class FleetClient;

// Fetches the fleet's tank library once: every tank model's table the broker
// keeps. The broker hands out what it keeps on subscription; a message of our
// own sent after subscribing comes back behind all of it, so its return means
// the library is complete.
class FleetLibraryFetch : public QObject
{
    Q_OBJECT
public:
    explicit FleetLibraryFetch(const FleetServer& server, QObject* parent = nullptr);
    ~FleetLibraryFetch() override;

    void start();
    // Tank model -> its library message.
    const QMap<QString, QByteArray>& library() const { return m_library; }

signals:
    void fetched();
    void failed(const QString& text);

private:
    void arrived(const QString& topic, const QByteArray& payload);

    const FleetServer m_server;
    QTemporaryDir m_folder; // an outbox of its own: a fetch sends nothing else
    FleetOutbox m_outbox;
    FleetClient* m_client;
    QString m_syncTopic;
    QMap<QString, QByteArray> m_library;
};

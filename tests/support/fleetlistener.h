#pragma once

#include "fleet/fleetclient.h"
#include "fleet/fleetoutbox.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// A subscriber of a test's own on the fleet's broker, keeping what arrives.
class FleetListener
{
public:
    FleetListener(const FleetServer& server, const QString& pattern);
    // Connected and subscribed.
    bool ready(int timeoutMs = 20000);
    // The records' addresses, in the order they came.
    QStringList addresses() const;

    QStringList topics;
    QList<QJsonObject> payloads;

private:
    QTemporaryDir m_folder;
    FleetOutbox m_outbox;
    FleetClient m_client;
};

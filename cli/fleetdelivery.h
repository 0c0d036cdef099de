#pragma once

#include "fleet/fleetclient.h"
#include "fleet/fleetoutbox.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>

class CliOutput;

// What a command of nivelon-cli hands to the fleet before it ends: the
// messages go into the outbox, and the whole outbox goes to the broker. One
// attempt, no waiting for a broker that is down: whatever could not go stays in
// the outbox for the next command or the window.
class FleetDelivery : public QObject
{
    Q_OBJECT
public:
    FleetDelivery(const FleetServer& server, CliOutput* output, QObject* parent = nullptr);

    // Queues the messages and sends the outbox; done() follows once. False,
    // without done(), when the outbox could not take them.
    bool send(const QList<FleetMessage>& messages, QString* error);
    // Why not everything went, and what waits; empty once all went.
    QString failureText() const { return m_failure; }

signals:
    void done(bool delivered);

private:
    void end(bool delivered);

    FleetOutbox m_outbox;
    FleetClient m_client;
    CliOutput* const m_output;
    QTimer m_timeout;
    QString m_failure;
    int m_delivered = 0;
    bool m_ended = false;
};

#pragma once

#include "fleet/fleetmessage.h"
#include "fleet/fleetserver.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class FleetOutbox;
class QSocketNotifier;
struct mosquitto;
struct mosquitto_message;

// The program's link to the fleet's broker, on the event loop: the socket is
// watched by notifiers, the library's housekeeping runs on a timer, and the
// connection is made without blocking. A failed or lost connection is tried
// again with a growing pause. Whatever passes the outbox leaves it only when
// the broker has acknowledged it, and the outbox is sent in order at every
// connection. Each attempt gets a library instance of its own, so nothing of a
// lost connection is sent twice by the library behind the outbox's back.
class FleetClient : public QObject
{
    Q_OBJECT
public:
    enum Problem { NoProblem, BadAddress, BrokerDown, Refused, NotBroker, TlsFailure, Lost };
    Q_ENUM(Problem)

    FleetClient(const FleetServer& server, FleetOutbox* outbox, QObject* parent = nullptr);
    ~FleetClient() override;

    // Connects, and keeps connecting after every failure until stop().
    void start();
    void stop();
    // Whether a failure is tried again (the default) or ends the attempts.
    void setRetrying(bool retrying) { m_retrying = retrying; }
    bool isConnected() const { return m_connected; }
    Problem problem() const { return m_problem; }
    // "connected to HOST:PORT", or what went wrong and what to do.
    QString statusText() const { return m_status; }
    const FleetServer& server() const { return m_server; }

    // Into the outbox, and to the broker at once when connected.
    bool queue(FleetMessage message, QString* error);
    // Past the outbox (QoS 0 unless told): dropped when not connected, as a
    // reading from a moment ago is of no use later.
    bool publishNow(const QString& topic, const QByteArray& payload, int qos = 0);
    // Subscribes now, or as soon as connected; messageArrived follows.
    void subscribe(const QString& pattern);

    // The pause before the next attempt after this many failures in a row.
    static int retryDelayMs(int failures);

signals:
    void statusChanged(const QString& text);
    void connected();
    // One attempt failed or the connection was lost.
    void failed(FleetClient::Problem problem, const QString& text);
    void delivered(const QString& name);
    void waitingChanged(int count);
    void subscribed();
    void messageArrived(const QString& topic, const QByteArray& payload, bool retained);

private:
    void attempt();
    void watchSocket();
    void readable();
    void writable();
    void housekeeping();
    void runLibrary(const std::function<int(mosquitto*)>& call);
    void afterLibraryCall(int result, int systemError);
    // What the library's failure means, said, and tried again when it may.
    void failAfter(int result, int systemError);
    void fail(Problem problem, const QString& text);
    void teardown();
    void setStatus(const QString& text);
    void sendWaiting();
    bool publishQueued(const FleetMessage& message);
    void subscribeAll();
    QString where() const;
    QString failureText(int result, int systemError) const;

    static void onConnect(mosquitto* client, void* self, int code);
    static void onPublish(mosquitto* client, void* self, int mid);
    static void onMessage(mosquitto* client, void* self, const mosquitto_message* message);
    static void onSubscribe(mosquitto* client, void* self, int mid, int count, const int* qos);

    const FleetServer m_server;
    FleetOutbox* const m_outbox;
    QString m_host;
    int m_port = 0;
    bool m_tls = false;
    mosquitto* m_client = nullptr;
    QPointer<QSocketNotifier> m_readNotifier;
    QPointer<QSocketNotifier> m_writeNotifier;
    QTimer m_housekeeping;
    QTimer m_retry;
    QTimer m_connackTimeout;
    bool m_running = false;
    bool m_retrying = true;
    bool m_connected = false;
    bool m_refused = false;
    int m_failures = 0;
    Problem m_problem = NoProblem;
    QString m_status;
    QHash<int, QString> m_inFlight; // message id -> outbox name
    QStringList m_sent;             // outbox names handed to this connection
    QStringList m_subscriptions;
    int m_pendingSubscriptions = 0;
    int m_libraryDepth = 0;
    bool m_teardownPending = false;
};

#include "fleet/fleetclient.h"

#include "fleet/fleetoutbox.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <mosquitto.h>

namespace {

const int kKeepAliveSeconds = 30;
const int kHousekeepingMs = 500;
// A listener that takes the connection but never answers as a broker would.
const int kConnackTimeoutMs = 10000;
const int kFirstRetryMs = 1000;
const int kLongestRetryMs = 60000;
// MQTT 3.1.1 connack codes and MQTT 5 reason codes that mean "not you".
const int kBadCredentials311 = 4;
const int kNotAuthorised311 = 5;
const int kBadCredentials5 = 0x86;
const int kNotAuthorised5 = 0x87;
const int kBadAuthMethod5 = 0x8C;

void initialiseLibrary()
{
    static const bool initialised = [] {
        mosquitto_lib_init();
        return true;
    }();
    Q_UNUSED(initialised)
}

} // namespace

FleetClient::FleetClient(const FleetServer& server, FleetOutbox* outbox, QObject* parent)
    : QObject(parent)
    , m_server(server)
    , m_outbox(outbox)
{
    initialiseLibrary();
    m_housekeeping.setInterval(kHousekeepingMs);
    connect(&m_housekeeping, &QTimer::timeout, this, &FleetClient::housekeeping);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &FleetClient::attempt);
    m_connackTimeout.setSingleShot(true);
    m_connackTimeout.setInterval(kConnackTimeoutMs);
    connect(&m_connackTimeout, &QTimer::timeout, this, [this] {
        fail(NotBroker, QStringLiteral("%1 takes connections but never answers as an MQTT broker "
                                       "does: check the address and the port")
                            .arg(where()));
    });
}

FleetClient::~FleetClient()
{
    teardown();
}

int FleetClient::retryDelayMs(int failures)
{
    int delay = kFirstRetryMs;
    for (int i = 1; i < failures && delay < kLongestRetryMs; ++i)
        delay *= 2;
    return qMin(delay, kLongestRetryMs);
}

QString FleetClient::where() const
{
    return QStringLiteral("%1:%2").arg(m_host).arg(m_port);
}

// The first attempt comes from the event loop, so that whoever starts the
// client hears of its outcome only once start() has returned.
void FleetClient::start()
{
    m_running = true;
    m_failures = 0;
    m_retry.start(0);
}

void FleetClient::stop()
{
    m_running = false;
    m_retry.stop();
    if (m_client && m_connected)
        mosquitto_disconnect(m_client);
    teardown();
}

void FleetClient::setStatus(const QString& text)
{
    if (text == m_status)
        return;
    m_status = text;
    emit statusChanged(text);
}

void FleetClient::attempt()
{
    teardown();
    m_refused = false;
    QString error;
    if (!m_server.parse(&m_host, &m_port, &m_tls, &error)) {
        fail(BadAddress, error);
        return;
    }
    // Of this process and this client: a broker drops a connection when
    // another comes with its id.
    static int instances = 0;
    const QByteArray id = QStringLiteral("%1-%2-%3")
                              .arg(m_server.effectiveClientName())
                              .arg(QCoreApplication::applicationPid())
                              .arg(++instances)
                              .toUtf8();
    m_client = mosquitto_new(id.constData(), true, this);
    if (!m_client) {
        fail(Lost, QStringLiteral("the MQTT library could not make a client (out of memory?)"));
        return;
    }
    mosquitto_int_option(m_client, MOSQ_OPT_PROTOCOL_VERSION,
                         m_server.mqttVersion == 311 ? MQTT_PROTOCOL_V311 : MQTT_PROTOCOL_V5);
    mosquitto_connect_callback_set(m_client, &FleetClient::onConnect);
    mosquitto_publish_callback_set(m_client, &FleetClient::onPublish);
    mosquitto_message_callback_set(m_client, &FleetClient::onMessage);
    mosquitto_subscribe_callback_set(m_client, &FleetClient::onSubscribe);
    if (!m_server.user.isEmpty())
        mosquitto_username_pw_set(
            m_client, m_server.user.toUtf8().constData(),
            m_server.password.isEmpty() ? nullptr : m_server.password.toUtf8().constData());
    if (m_tls) {
        const QByteArray caFile = m_server.caFile.toUtf8();
        const int result = mosquitto_tls_set(
            m_client, caFile.isEmpty() ? nullptr : caFile.constData(),
            caFile.isEmpty() ? "/etc/ssl/certs" : nullptr, nullptr, nullptr, nullptr);
        if (result != MOSQ_ERR_SUCCESS) {
            fail(TlsFailure, QStringLiteral("the CA file %1 cannot be used: %2")
                                 .arg(m_server.caFile, mosquitto_strerror(result)));
            return;
        }
    }
    setStatus(QStringLiteral("connecting to %1").arg(where()));
    errno = 0;
    const int result =
        mosquitto_connect_async(m_client, m_host.toUtf8().constData(), m_port, kKeepAliveSeconds);
    // A broker on this machine may refuse, or fail the TLS handshake, at once.
    if (result != MOSQ_ERR_SUCCESS) {
        failAfter(result, errno);
        return;
    }
    watchSocket();
    m_housekeeping.start();
    m_connackTimeout.start();
}

void FleetClient::watchSocket()
{
    const int socket = mosquitto_socket(m_client);
    m_readNotifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &FleetClient::readable);
    m_writeNotifier = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &FleetClient::writable);
    m_writeNotifier->setEnabled(mosquitto_want_write(m_client));
}

void FleetClient::runLibrary(const std::function<int(mosquitto*)>& call)
{
    if (!m_client)
        return;
    ++m_libraryDepth;
    const int result = call(m_client);
    const int systemError = errno;
    --m_libraryDepth;
    afterLibraryCall(result, systemError);
}

void FleetClient::readable()
{
    runLibrary([](mosquitto* client) { return mosquitto_loop_read(client, 1); });
}

// A TLS handshake moves on only through the read call, whichever way the
// socket is ready.
void FleetClient::writable()
{
    if (m_tls && !m_connected)
        runLibrary([](mosquitto* client) { return mosquitto_loop_read(client, 1); });
    runLibrary([](mosquitto* client) { return mosquitto_loop_write(client, 1); });
}

void FleetClient::housekeeping()
{
    runLibrary(mosquitto_loop_misc);
    // TLS may hold decrypted data the socket no longer signals.
    if (m_tls)
        runLibrary([](mosquitto* client) { return mosquitto_loop_read(client, 1); });
}

void FleetClient::afterLibraryCall(int result, int systemError)
{
    if (m_teardownPending)
        teardown();
    if (!m_client)
        return;
    if (result == MOSQ_ERR_SUCCESS) {
        if (m_writeNotifier)
            m_writeNotifier->setEnabled(mosquitto_want_write(m_client));
        return;
    }
    failAfter(result, systemError);
}

void FleetClient::failAfter(int result, int systemError)
{
    const bool refusedConnection = result == MOSQ_ERR_ERRNO && systemError == ECONNREFUSED;
    // A failed certificate check shows as a TLS error or, when the library
    // meets it while writing, as a plain failed write before the broker spoke.
    if (m_refused)
        fail(Refused, m_status);
    else if (result == MOSQ_ERR_TLS || result == MOSQ_ERR_TLS_HANDSHAKE ||
             (m_tls && !m_connected && !refusedConnection))
        fail(TlsFailure, failureText(MOSQ_ERR_TLS, systemError));
    else if (m_connected)
        fail(Lost, QStringLiteral("lost the connection to %1 (%2); trying again")
                       .arg(where(), mosquitto_strerror(result)));
    else
        fail(refusedConnection || result == MOSQ_ERR_EAI ? BrokerDown : NotBroker,
             failureText(result, systemError));
}

QString FleetClient::failureText(int result, int systemError) const
{
    if (result == MOSQ_ERR_EAI)
        return QStringLiteral("the broker's host %1 is unknown: check the address").arg(m_host);
    if (result == MOSQ_ERR_ERRNO && systemError == ECONNREFUSED)
        return QStringLiteral("broker down: nothing listens at %1; trying again").arg(where());
    if (result == MOSQ_ERR_TLS || result == MOSQ_ERR_TLS_HANDSHAKE)
        return QStringLiteral("TLS failed at %1: the broker's certificate is not signed by the CA "
                              "file, or is not made out to %2 (or %1 does not speak TLS)")
            .arg(where(), m_host);
    const QString why = result == MOSQ_ERR_ERRNO ? qt_error_string(systemError)
                                                 : QString::fromUtf8(mosquitto_strerror(result));
    return QStringLiteral("no MQTT broker at %1: it answered something else or closed the "
                          "connection (%2); check the address and the port")
        .arg(where(), why);
}

void FleetClient::fail(Problem problem, const QString& text)
{
    teardown();
    m_problem = problem;
    ++m_failures;
    const bool again = m_running && m_retrying && problem != BadAddress;
    const int delay = retryDelayMs(m_failures);
    setStatus(again ? QStringLiteral("%1 (next try in %2 s)").arg(text).arg(delay / 1000) : text);
    emit failed(problem, text);
    if (again && m_running)
        m_retry.start(delay);
    else
        m_running = false;
}

void FleetClient::teardown()
{
    // Called back from inside the library (a slot of delivered(), say): the
    // instance goes once the library has returned.
    if (m_libraryDepth > 0) {
        m_teardownPending = true;
        m_connected = false;
        return;
    }
    m_teardownPending = false;
    m_housekeeping.stop();
    m_connackTimeout.stop();
    // Deleted later: this may run inside one of their own signals.
    for (QSocketNotifier* notifier : {m_readNotifier.data(), m_writeNotifier.data()})
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    m_readNotifier.clear();
    m_writeNotifier.clear();
    if (m_client)
        mosquitto_destroy(m_client);
    m_client = nullptr;
    m_connected = false;
    m_inFlight.clear();
    m_sent.clear();
    m_pendingSubscriptions = 0;
}

void FleetClient::onConnect(mosquitto*, void* self, int code)
{
    auto* client = static_cast<FleetClient*>(self);
    client->m_connackTimeout.stop();
    if (code != 0) {
        client->m_refused = true;
        const bool credentials = code == kBadCredentials311 || code == kNotAuthorised311 ||
                                 code == kBadCredentials5 || code == kNotAuthorised5 ||
                                 code == kBadAuthMethod5;
        const QString reason =
            QString::fromUtf8(client->m_server.mqttVersion == 311 ? mosquitto_connack_string(code)
                                                                  : mosquitto_reason_string(code));
        client->m_status =
            credentials ? QStringLiteral("the broker at %1 refused the user name or password "
                                         "(%2): check them in the fleet server settings")
                              .arg(client->where(), reason)
                        : QStringLiteral("the broker at %1 refused the connection: %2")
                              .arg(client->where(), reason);
        return;
    }
    client->m_connected = true;
    client->m_failures = 0;
    client->m_problem = NoProblem;
    client->setStatus(QStringLiteral("connected to %1").arg(client->where()));
    client->subscribeAll();
    client->sendWaiting();
    emit client->connected();
}

void FleetClient::sendWaiting()
{
    for (const FleetMessage& message : m_outbox->waiting())
        if (!m_sent.contains(message.name) && !publishQueued(message))
            return;
    emit waitingChanged(m_outbox->count());
}

bool FleetClient::publishQueued(const FleetMessage& message)
{
    int mid = 0;
    const QByteArray topic = message.topic.toUtf8();
    const int result = mosquitto_publish(m_client, &mid, topic.constData(), message.payload.size(),
                                         message.payload.constData(), 1, message.retain);
    if (result != MOSQ_ERR_SUCCESS)
        return false;
    m_inFlight.insert(mid, message.name);
    m_sent << message.name;
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(mosquitto_want_write(m_client));
    return true;
}

void FleetClient::onPublish(mosquitto*, void* self, int mid)
{
    auto* client = static_cast<FleetClient*>(self);
    const QString name = client->m_inFlight.take(mid);
    if (name.isEmpty())
        return;
    client->m_sent.removeOne(name);
    QString error;
    if (!client->m_outbox->remove(name, &error))
        client->setStatus(error);
    emit client->delivered(name);
    emit client->waitingChanged(client->m_outbox->count());
}

bool FleetClient::queue(FleetMessage message, QString* error)
{
    if (!m_outbox->add(&message, error))
        return false;
    if (m_connected)
        publishQueued(message);
    emit waitingChanged(m_outbox->count());
    return true;
}

bool FleetClient::publishNow(const QString& topic, const QByteArray& payload, int qos)
{
    if (!m_connected)
        return false;
    const int result = mosquitto_publish(m_client, nullptr, topic.toUtf8().constData(),
                                         payload.size(), payload.constData(), qos, false);
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(mosquitto_want_write(m_client));
    return result == MOSQ_ERR_SUCCESS;
}

void FleetClient::subscribe(const QString& pattern)
{
    m_subscriptions << pattern;
    if (m_connected) {
        ++m_pendingSubscriptions;
        mosquitto_subscribe(m_client, nullptr, pattern.toUtf8().constData(), 1);
        m_writeNotifier->setEnabled(mosquitto_want_write(m_client));
    }
}

void FleetClient::subscribeAll()
{
    for (const QString& pattern : qAsConst(m_subscriptions)) {
        ++m_pendingSubscriptions;
        mosquitto_subscribe(m_client, nullptr, pattern.toUtf8().constData(), 1);
    }
}

void FleetClient::onSubscribe(mosquitto*, void* self, int, int, const int*)
{
    auto* client = static_cast<FleetClient*>(self);
    if (--client->m_pendingSubscriptions == 0)
        emit client->subscribed();
}

void FleetClient::onMessage(mosquitto*, void* self, const mosquitto_message* message)
{
    auto* client = static_cast<FleetClient*>(self);
    emit client->messageArrived(
        QString::fromUtf8(message->topic),
        QByteArray(static_cast<const char*>(message->payload), message->payloadlen),
        message->retain);
}

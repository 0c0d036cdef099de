// nivelon-fleetprobe: the fleet client driven by scripts/measure-fleet.sh.
//   records URL PREFIX COUNT INTERVAL_MS STATE
//     queues records 1..COUNT, one every INTERVAL_MS, through the outbox, and ends once
//     the broker has all of them. STATE keeps the last index queued, so that a probe
//     killed and started again goes on where the killed one stopped.
//   live URL PREFIX SENSORS SECONDS
//     publishes SENSORS sensors' readings about once a second, SECONDS times after connecting,
//     then prints "cpu_us MICROSECONDS messages COUNT" for the time it published.
#include "files/wholefile.h"
#include "fleet/fleetclient.h"
#include "fleet/fleetlivefeed.h"
#include "fleet/fleetoutbox.h"
#include "fleet/fleetpayloads.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

qint64 cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 +
           usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
}

FleetServer serverOf(const QStringList& arguments)
{
    FleetServer server;
    server.url = arguments.value(2);
    server.prefix = arguments.value(3);
    server.clientName = QStringLiteral("probe-%1").arg(QCoreApplication::applicationPid());
    return server;
}

// The last index queued: the state file's, or a newer one still in the outbox.
int lastQueued(const QString& state, const FleetOutbox& outbox)
{
    QByteArray text;
    QString error;
    int last = WholeFile::read(state, 64, &text, &error) ? text.trimmed().toInt() : 0;
    for (const FleetMessage& message : outbox.waiting())
        last = qMax(last, QJsonDocument::fromJson(message.payload)
                              .object()
                              .value("record")
                              .toObject()
                              .value("index")
                              .toInt());
    return last;
}

int records(const QStringList& arguments)
{
    const FleetServer server = serverOf(arguments);
    const int count = arguments.value(4).toInt();
    const QString state = arguments.value(6);
    FleetOutbox outbox;
    FleetClient client(server, &outbox);
    int next = lastQueued(state, outbox) + 1;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (next > count) {
            if (outbox.count() == 0)
                QCoreApplication::exit(0);
            return;
        }
        QString error;
        for (const FleetMessage& message : FleetPayloads::record(server, {{"index", next}}))
            if (!client.queue(message, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                QCoreApplication::exit(1);
                return;
            }
        // Written right after queueing, before any acknowledgement can take the
        // record out of the outbox again.
        if (!WholeFile::write(state, QByteArray::number(next), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            QCoreApplication::exit(1);
        }
        ++next;
    });
    timer.start(arguments.value(5).toInt());
    client.start();
    return QCoreApplication::exec();
}

int live(const QStringList& arguments)
{
    const int sensors = arguments.value(4).toInt();
    const int seconds = arguments.value(5).toInt();
    FleetOutbox outbox;
    FleetClient client(serverOf(arguments), &outbox);
    FleetLiveFeed feed(&client);
    int sent = 0;
    int ticks = 0;
    qint64 startCpu = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (ticks++ == seconds) {
            std::printf("cpu_us %lld messages %d\n", cpuMicroseconds() - startCpu, sent);
            QCoreApplication::exit(0);
            return;
        }
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        for (int address = 1; address <= sensors; ++address)
            sent += feed.offer("/dev/ttyUSB0", address,
                               {{"type", "reading"},
                                {"TimeMs", now},
                                {"Level", 5000 + address},
                                {"RawLevel", 2048},
                                {"Error", 0},
                                {"Status", "ok"}},
                               now)
                        ? 1
                        : 0;
    });
    // A timer may come a little early, and the feed would take that reading
    // for one too soon after the last: a second and a little more.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&client, &FleetClient::connected, [&] {
        startCpu = cpuMicroseconds();
        timer.start(1010);
    });
    client.start();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("records") && arguments.size() == 7)
        return records(arguments);
    if (arguments.value(1) == QLatin1String("live") && arguments.size() == 6)
        return live(arguments);
    std::fprintf(stderr, "usage: nivelon-fleetprobe records URL PREFIX COUNT INTERVAL_MS STATE\n"
                         "       nivelon-fleetprobe live URL PREFIX SENSORS SECONDS\n");
    return 2;
}

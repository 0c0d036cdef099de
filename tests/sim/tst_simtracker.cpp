// The simulator as a vehicle's tracker, heard through its tap as a listener would hear it.
#include "support/waituntil.h"
#include "trackerbus.h"

#include <QJsonArray>
#include <QSocketNotifier>
#include <QtTest>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace sim;

namespace {

// The listener's end of the tap: what arrived, in the chunks it came in, and when.
class Listener
{
public:
    Listener(const TrackerBus& bus, speed_t speed)
        : bus(bus)
    {
        fd = ::open(bus.tapPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings;
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(fd, TCSANOW, &settings);
        notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { read(); });
    }
    ~Listener()
    {
        notifier.reset();
        ::close(fd);
    }

    QByteArray bytes;
    QList<int> chunkEnds;        // offset after each chunk
    QList<double> chunkArrivals; // the bus's clock when each chunk was read

private:
    void read()
    {
        char chunk[512];
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count <= 0)
            return;
        bytes.append(chunk, int(count));
        chunkEnds << bytes.size();
        chunkArrivals << bus.nowMs();
    }

    const TrackerBus& bus;
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
};

LineOptions trackerOptions(const QString& model, const QList<int>& addresses)
{
    LineOptions options;
    SensorModel::byCode(model, &options.model);
    options.addresses = addresses;
    options.fixedLevel = 0.5;
    options.tracker.periodMs = 100;
    return options;
}

speed_t speedOf(Protocol protocol)
{
    return protocol == Protocol::Omnicomm ? B19200 : B9600;
}

QList<QJsonObject> framesOf(const QList<QJsonObject>& events)
{
    QList<QJsonObject> frames;
    for (const QJsonObject& event : events) {
        if (event.contains("bytes"))
            frames << event;
    }
    return frames;
}

int countOf(const QList<QJsonObject>& events, const QString& kind, const QString& master = {})
{
    return int(std::count_if(events.begin(), events.end(), [&](const QJsonObject& event) {
        return event["event"] == kind && (master.isEmpty() || event["master"] == master);
    }));
}

} // namespace

class SimTrackerTest : public QObject
{
    Q_OBJECT

private slots:
    void tapCarriesTheBusInTime_data();
    void tapCarriesTheBusInTime();
    void missesExceptionsAndSecondMasterAreReported();
    void damagedAndUnheardBytesAreSaid();
};

void SimTrackerTest::tapCarriesTheBusInTime_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<int>("batchMs");
    QTest::addColumn<QString>("poll");
    QTest::newRow("Omnicomm") << "ZT-33" << QList<int>{1, 2, 3} << 0 << "3101066c";
    QTest::newRow("Omnicomm in batches") << "ZT-33" << QList<int>{1, 2, 3} << 16 << "3101066c";
    QTest::newRow("ModBus") << "ZT-32" << QList<int>{1, 2, 3} << 0 << "010300000001840a";
    QTest::newRow("ModBus in batches")
        << "ZT-32" << QList<int>{1, 2, 3} << 16 << "010300000001840a";
    QTest::newRow("TBus") << "ZT-31" << QList<int>{10, 11, 12} << 0 << "8a";
    QTest::newRow("TBus in batches") << "ZT-31" << QList<int>{10, 11, 12} << 16 << "8a";
}

void SimTrackerTest::tapCarriesTheBusInTime()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, addresses);
    QFETCH(int, batchMs);
    QFETCH(QString, poll);
    LineOptions options = trackerOptions(model, addresses);
    options.tracker.batchMs = batchMs;
    options.tracker.cycles = 4;
    options.tracker.waitForListener = true;
    TrackerBus bus(options);
    QList<QJsonObject> events;
    connect(&bus, &TrackerBus::event, [&](const QJsonObject& event) { events << event; });
    QVERIFY(bus.start());
    QVERIFY(!waitUntil([&] { return !framesOf(events).isEmpty(); }, 100));
    Listener listener(bus, speedOf(options.model.protocol));
    QVERIFY(waitUntil([&] { return countOf(events, "end") == 1; }, 5000));

    // Every frame once, whole and in order, and nothing after the last cycle.
    QByteArray sent;
    QList<double> dueMs;
    const double byteMs = (options.model.protocol == Protocol::TBus ? 11 : 10) * 1000.0 /
                          protocolBaudRate(options.model.protocol);
    for (const QJsonObject& frame : framesOf(events)) {
        const QByteArray bytes = QByteArray::fromHex(frame["bytes"].toString().toLatin1());
        for (int i = 0; i < bytes.size(); ++i)
            dueMs << frame["t"].toDouble() + (i + 1) * byteMs;
        sent += bytes;
    }
    QVERIFY(waitUntil([&] { return listener.bytes.size() >= sent.size(); }, 2000));
    QVERIFY(!waitUntil([&] { return listener.bytes.size() > sent.size(); }, 300));
    QCOMPARE(listener.bytes.toHex(), sent.toHex());
    QCOMPARE(countOf(events, "request"), 12);
    QCOMPARE(framesOf(events).first()["bytes"].toString(), poll);
    QCOMPARE(countOf(events, "reply"), countOf(events, "request"));
    QCOMPARE(countOf(events, "timeout"), 0);

    // No byte before it has crossed the wire; batches no oftener than the adapter's tick.
    for (int i = 0; i < listener.chunkEnds.size(); ++i)
        QVERIFY(dueMs[listener.chunkEnds[i] - 1] <= listener.chunkArrivals[i] + 0.5);
    if (batchMs > 0) {
        const double span = listener.chunkArrivals.last() - listener.chunkArrivals.first();
        QVERIFY(listener.chunkEnds.size() <= span / (batchMs - 2) + 1);
    }
    // Each sensor polled once a period.
    const double firstPoll = framesOf(events).first()["t"].toDouble();
    const double fourthPoll = framesOf(events)[6]["t"].toDouble();
    QVERIFY(fourthPoll - firstPoll >= 99.0);
}

void SimTrackerTest::missesExceptionsAndSecondMasterAreReported()
{
    LineOptions options = trackerOptions("ZT-32", {1, 2, 3});
    options.tracker.periodMs = 60;
    options.tracker.timeoutMs = 20;
    options.tracker.exceptionShare = 0.3;
    options.tracker.secondMasterMs = 150;
    options.faults.noReply = 0.2;
    options.seed = 7;
    TrackerBus bus(options);
    QList<QJsonObject> events;
    connect(&bus, &TrackerBus::event, [&](const QJsonObject& event) { events << event; });
    QVERIFY(bus.start());
    QVERIFY(waitUntil([&] { return countOf(events, "request") >= 60; }, 10000));
    bus.stop();

    quint64 faults = 0;
    for (int address : options.addresses)
        faults += bus.sensorAt(address)->counters().faults;
    QVERIFY(faults > 0);
    QCOMPARE(quint64(countOf(events, "timeout")), faults);
    QVERIFY(countOf(events, "request", "second") > 0);
    QVERIFY(countOf(events, "reply", "second") > 0);
    // A request answered by nothing is followed by its time-out; one for a register the
    // sensors lack by an exception naming the data address.
    int asked = 0;
    for (int i = 0; i + 1 < events.size(); ++i) {
        if (events[i]["event"] != "request")
            continue;
        const QString next = events[i + 1]["event"].toString();
        QVERIFY2(next == "reply" || next == "exception" || next == "timeout", qPrintable(next));
        QCOMPARE(events[i + 1]["address"], events[i]["address"]);
        const bool missing = events[i]["bytes"].toString().mid(4, 4) == "0007";
        asked += missing ? 1 : 0;
        if (next == "exception")
            QCOMPARE(events[i + 1]["code"].toInt(), 2);
        if (next != "timeout")
            QCOMPARE(next == "exception", missing);
    }
    QVERIFY(asked > 0);
    QVERIFY(countOf(events, "exception") > 0);
}

void SimTrackerTest::damagedAndUnheardBytesAreSaid()
{
    LineOptions options = trackerOptions("ZT-33", {1, 2, 3});
    options.tracker.corruptShare = 0.1;
    options.autonomous = {3};
    options.autoIntervalUnitMs = 50;
    TrackerBus bus(options);
    QList<QJsonObject> events;
    connect(&bus, &TrackerBus::event, [&](const QJsonObject& event) { events << event; });
    QVERIFY(bus.start());
    Listener listener(bus, B19200);
    QVERIFY(waitUntil([&] { return listener.bytes.size() >= 200; }, 5000));
    bus.stop();

    // The listener's bytes differ from the bus exactly where the tap says it damaged them.
    int offset = 0;
    int damaged = 0;
    for (const QJsonObject& frame : framesOf(events)) {
        const QByteArray bytes = QByteArray::fromHex(frame["bytes"].toString().toLatin1());
        QList<int> positions;
        for (const QJsonValue& position : frame["tapDamaged"].toArray())
            positions << position.toInt();
        for (int i = 0; i < bytes.size() && offset + i < listener.bytes.size(); ++i)
            QCOMPARE(listener.bytes[offset + i] != bytes[i], positions.contains(i));
        damaged += positions.size();
        offset += bytes.size();
    }
    QVERIFY(damaged > 0);
    QVERIFY(countOf(events, "unsolicited") > 0);
    QCOMPARE(quint64(countOf(events, "unsolicited")), bus.sensorAt(3)->counters().unsolicited);

    // A listener at the other protocol's rate hears noise, and the bus says so.
    LineOptions modbus = trackerOptions("ZT-32", {1});
    TrackerBus other(modbus);
    QList<QJsonObject> rates;
    connect(&other, &TrackerBus::event, [&](const QJsonObject& event) {
        if (event["event"] == "tap-rate")
            rates << event;
    });
    QVERIFY(other.start());
    Listener wrong(other, B19200);
    QVERIFY(waitUntil([&] { return wrong.bytes.size() >= 15; }, 5000));
    QVERIFY(!wrong.bytes.contains(QByteArray::fromHex("010300000001840a")));
    QCOMPARE(rates.last()["rate"].toInt(), 19200);
    QCOMPARE(rates.last()["understood"].toBool(), false);
}

QTEST_MAIN(SimTrackerTest)
#include "tst_simtracker.moc"

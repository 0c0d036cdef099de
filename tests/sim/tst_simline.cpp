// The simulated line over a real pseudo-terminal, with the test as the program's side.
#include "checksums.h"
#include "simline.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace sim;

namespace {

// The program's end of the line, opened the way a serial library would.
class ProgramSide
{
public:
    ProgramSide(const QString& path, speed_t speed)
    {
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        setSpeed(speed);
    }
    ~ProgramSide() { ::close(fd); }

    bool isOpen() const { return fd >= 0; }

    void setSpeed(speed_t speed)
    {
        termios settings;
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(fd, TCSANOW, &settings);
    }

    void send(const QByteArray& bytes)
    {
        QCOMPARE(::write(fd, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    }

    QByteArray receive(int count, int timeoutMs = 2000)
    {
        QByteArray bytes;
        const bool complete = QTest::qWaitFor(
            [&] {
                char chunk[256];
                ssize_t n;
                while ((n = ::read(fd, chunk, sizeof chunk)) > 0)
                    bytes.append(chunk, int(n));
                return bytes.size() >= count;
            },
            timeoutMs);
        Q_UNUSED(complete) // a short read is what the caller compares
        return bytes;
    }

private:
    int fd = -1;
};

LineOptions optionsFor(const QString& model, const QList<int>& addresses)
{
    LineOptions options;
    SensorModel::byCode(model, &options.model);
    options.addresses = addresses;
    options.fixedLevel = 0.5;
    return options;
}

const QByteArray omnicommPoll = QByteArray::fromHex("31 01 06 6C");

} // namespace

class SimLineTest : public QObject
{
    Q_OBJECT

private slots:
    void answersOnlyAtTheProtocolRate();
    void replyWaitsForWireTimeAndLatency();
    void tbusEchoesEveryByteAtAnyRate();
    void tbusCharactersCountTheirNinthBit();
    void transmitterKeepsFramesToTheirMoments();
    void autonomousSensorSendsFramesAtItsInterval();
    void faultsAreInjectedAndCounted();
    void faultSequenceRepeatsWithTheSeed();
    void lineOutlivesTheProgramClosingItsPort();
    void existingSerialDeviceIsSetToTheProtocolRate();
};

void SimLineTest::answersOnlyAtTheProtocolRate()
{
    SimLine line(optionsFor("ZT-33", {1}));
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B9600);
    QVERIFY(program.isOpen());
    QSignalSpy written(&line, &SimLine::bytesWritten);
    program.send(omnicommPoll);
    QVERIFY(QTest::qWaitFor([&] { return line.bytesAtWrongRate() == 4; }));
    QVERIFY(!written.wait(100));
    QCOMPARE(line.sensorAt(1)->counters().requests, 0u);

    program.setSpeed(B19200);
    program.send(omnicommPoll);
    const QByteArray reply = program.receive(9);
    QCOMPARE(reply.size(), 9);
    QCOMPARE(reply.left(3), QByteArray::fromHex("3E 01 06"));
    QCOMPARE(crc8Maxim(reply.left(8)), quint8(reply[8]));
    QCOMPARE(line.sensorAt(1)->counters().replies, 1u);
}

void SimLineTest::replyWaitsForWireTimeAndLatency()
{
    LineOptions options = optionsFor("ZT-32", {1});
    options.latencyMs = 40;
    SimLine line(options);
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B9600);
    QElapsedTimer elapsed;
    elapsed.start();
    program.send(QByteArray::fromHex("01 03 00 00 00 01 84 0A"));
    QCOMPARE(program.receive(7), QByteArray::fromHex("01 03 02 13 88 B5 12"));
    // 8 + 7 bytes of 10 bits at 9600 baud take 15.6 ms on the wire.
    QVERIFY2(elapsed.elapsed() >= 55, qPrintable(QString::number(elapsed.elapsed())));
}

// Each frame goes at its moment, not on a whole millisecond, and one at a time;
// one due at once goes too (a zero time would disarm the timer), and a cleared
// transmitter sends nothing more.
void SimLineTest::transmitterKeepsFramesToTheirMoments()
{
    QElapsedTimer clock;
    clock.start();
    QList<QPair<QByteArray, double>> written;
    LineTransmitter transmitter(clock, [&](const QByteArray& bytes) {
        written.append({bytes, clock.nsecsElapsed() / 1e6});
    });
    const double startMs = clock.nsecsElapsed() / 1e6;
    transmitter.schedule("a", 0, 0);
    transmitter.schedule("b", 2.3, 0.5);
    transmitter.schedule("c", 0, 1.7);
    QTRY_COMPARE(written.size(), 3);
    QCOMPARE(written.at(0).first, QByteArray("a"));
    QCOMPARE(written.at(1).first, QByteArray("b"));
    QVERIFY(written.at(1).second - startMs >= 2.3);
    // Behind b: the line was busy until b's last byte.
    QCOMPARE(written.at(2).first, QByteArray("c"));
    QVERIFY(written.at(2).second - startMs >= 2.3 + 1.7);

    transmitter.schedule("d", 1, 1);
    transmitter.clear();
    QTest::qWait(20);
    QCOMPARE(written.size(), 3);
    QCOMPARE(transmitter.pendingFrames(), 0);
}

void SimLineTest::tbusEchoesEveryByteAtAnyRate()
{
    SimLine line(optionsFor("ZT-31", {10}));
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B9600);
    program.send(QByteArray::fromHex("8A"));
    QCOMPARE(program.receive(5), QByteArray::fromHex("8A 0A 88 13 91"));

    program.setSpeed(B19200);
    QSignalSpy written(&line, &SimLine::bytesWritten);
    program.send(QByteArray::fromHex("8A"));
    QCOMPARE(program.receive(1), QByteArray::fromHex("8A"));
    QVERIFY(!written.wait(100));
    QCOMPARE(line.sensorAt(10)->counters().requests, 1u);
}

// The pseudo-terminal drops the parity the program sets; TBus always has it.
void SimLineTest::tbusCharactersCountTheirNinthBit()
{
    LineOptions options = optionsFor("ZT-31", {10});
    options.latencyMs = 40;
    SimLine line(options);
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B9600);
    QElapsedTimer clock;
    clock.start();
    qint64 heardNs = 0;
    qint64 repliedNs = 0;
    connect(&line, &SimLine::bytesReceived, [&] { heardNs = clock.nsecsElapsed(); });
    connect(&line, &SimLine::bytesWritten, [&](const QByteArray& bytes) {
        if (bytes.size() > 1)
            repliedNs = clock.nsecsElapsed();
    });
    QSignalSpy written(&line, &SimLine::bytesWritten);
    program.send(QByteArray::fromHex("8A"));
    // A real event loop: qWaitFor would see the line only every 10 ms.
    while (repliedNs == 0 && written.wait(1000)) {
    }
    QCOMPARE(program.receive(5), QByteArray::fromHex("8A 0A 88 13 91"));
    // 1 + 4 bytes of 11 bits at 9600 baud take 5.73 ms on the wire, 5.21 at 10 bits.
    QVERIFY2(repliedNs - heardNs >= 45.73e6, qPrintable(QString::number(repliedNs - heardNs)));
}

void SimLineTest::autonomousSensorSendsFramesAtItsInterval()
{
    LineOptions options = optionsFor("ZT-42", {3});
    options.autonomous = {3};
    options.autoIntervalUnitMs = 20;
    SimLine line(options);
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B19200);
    const QByteArray frames = program.receive(27);
    QCOMPARE(frames.size(), 27);
    for (int at = 0; at < 27; at += 9) {
        QCOMPARE(frames.mid(at, 3), QByteArray::fromHex("3E 03 06"));
        QCOMPARE(crc8Maxim(frames.mid(at, 8)), quint8(frames[at + 8]));
    }
    QVERIFY(line.sensorAt(3)->counters().unsolicited >= 3);
    QCOMPARE(line.sensorAt(3)->counters().replies, 0u);

    // Switching to network mode stops them.
    QByteArray toggle = QByteArray::fromHex("31 03 07");
    program.send(toggle.append(char(crc8Maxim(toggle))));
    QVERIFY(QTest::qWaitFor([&] { return !line.sensorAt(3)->isAutonomous(); }));
    program.receive(100, 60);
    QSignalSpy written(&line, &SimLine::bytesWritten);
    QVERIFY(!written.wait(80));
}

void SimLineTest::faultsAreInjectedAndCounted()
{
    SimLine line(optionsFor("ZT-33", {1}));
    QVERIFY(line.start());
    ProgramSide program(line.portPath(), B19200);
    const auto pollWith = [&](FaultSettings faults, int expectedBytes) {
        line.setFaults(faults, 7);
        program.send(omnicommPoll);
        return program.receive(expectedBytes, 1000);
    };
    FaultSettings faults;
    faults.noReply = 1.0;
    QVERIFY(pollWith(faults, 1).isEmpty());

    faults = {};
    faults.corruptCrc = 1.0;
    QByteArray reply = pollWith(faults, 9);
    QVERIFY(crc8Maxim(reply.left(8)) != quint8(reply[8]));

    faults = {};
    faults.wrongAddress = 1.0;
    reply = pollWith(faults, 9);
    QCOMPARE(reply.left(3), QByteArray::fromHex("3E 02 06"));
    QCOMPARE(crc8Maxim(reply.left(8)), quint8(reply[8]));

    faults = {};
    faults.garbage = 1.0;
    reply = pollWith(faults, 10);
    QCOMPARE(crc8Maxim(reply.left(8)), quint8(reply[8]));
    QVERIFY(reply.size() >= 10);

    faults = {};
    faults.late = 1.0;
    faults.lateMs = 150;
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(pollWith(faults, 9).size(), 9);
    QVERIFY(elapsed.elapsed() >= 150);

    const SensorCounters& counters = line.sensorAt(1)->counters();
    QCOMPARE(counters.requests, 5u);
    QCOMPARE(counters.replies, 4u);
    QCOMPARE(counters.faults, 5u);
}

void SimLineTest::faultSequenceRepeatsWithTheSeed()
{
    FaultSettings settings;
    settings.corruptCrc = 0.2;
    settings.noReply = 0.2;
    settings.late = 0.1;
    FaultInjector first;
    FaultInjector second;
    first.configure(settings, 42);
    second.configure(settings, 42);
    int faulty = 0;
    for (int i = 0; i < 1000; ++i) {
        const Fault fault = first.draw();
        QCOMPARE(int(second.draw()), int(fault));
        faulty += fault == Fault::None ? 0 : 1;
    }
    QVERIFY2(faulty > 400 && faulty < 600, qPrintable(QString::number(faulty)));
    FaultInjector quiet;
    QCOMPARE(int(quiet.draw()), int(Fault::None));
}

void SimLineTest::lineOutlivesTheProgramClosingItsPort()
{
    QTemporaryDir dir;
    LineOptions options = optionsFor("ZT-33", {1});
    options.linkPath = dir.filePath("sensors");
    SimLine line(options);
    QVERIFY(line.start());
    QCOMPARE(QFileInfo(options.linkPath).symLinkTarget(), line.portPath());
    for (int round = 0; round < 2; ++round) {
        ProgramSide program(options.linkPath, B19200);
        program.send(omnicommPoll);
        QCOMPARE(program.receive(9).size(), 9);
    }
    QCOMPARE(line.sensorAt(1)->counters().replies, 2u);
    line.stop();
    QVERIFY(!QFileInfo::exists(options.linkPath) && !QFileInfo(options.linkPath).isSymLink());
}

void SimLineTest::existingSerialDeviceIsSetToTheProtocolRate()
{
    // A pseudo-terminal of the test's own stands in for a USB adapter.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    LineOptions options = optionsFor("ZT-32", {1});
    options.devicePath = QString::fromLocal8Bit(ptsname(master));
    SimLine line(options);
    QVERIFY(line.start());
    QCOMPARE(line.portPath(), options.devicePath);
    termios settings;
    QCOMPARE(tcgetattr(master, &settings), 0);
    QCOMPARE(cfgetospeed(&settings), speed_t(B9600));
    const QByteArray read = QByteArray::fromHex("01 03 00 00 00 01 84 0A");
    QCOMPARE(::write(master, read.constData(), read.size()), ssize_t(read.size()));
    QByteArray reply;
    QVERIFY(QTest::qWaitFor([&] {
        char chunk[64];
        const ssize_t n = ::read(master, chunk, sizeof chunk);
        if (n > 0)
            reply.append(chunk, int(n));
        return reply.size() >= 7;
    }));
    QCOMPARE(reply, QByteArray::fromHex("01 03 02 13 88 B5 12"));
    line.stop();
    ::close(master);
}

QTEST_GUILESS_MAIN(SimLineTest)
#include "tst_simline.moc"

// nivelon-cli monitor on a pseudo-terminal a test drives as the bus: it decodes
// what it hears, sends nothing, and decodes again what it kept.
#include "engine/enginefactory.h"
#include "support/cliprocess.h"
#include "support/lineframes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace LineFrames;

namespace {

// The bus side of a pseudo-terminal. Its far end is raw before the tool opens
// it, so the terminal never echoes what the test writes back to it.
class TappedLine
{
public:
    TappedLine()
        : m_fd(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
            return;
        m_path = QString::fromLocal8Bit(ptsname(m_fd));
        const int far = ::open(ptsname(m_fd), O_RDWR | O_NOCTTY);
        termios settings{};
        if (far >= 0 && tcgetattr(far, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(far, TCSANOW, &settings);
        }
        if (far >= 0)
            ::close(far);
    }
    ~TappedLine()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    const QString& path() const { return m_path; }
    void put(const QByteArray& bytes) const
    {
        (void)!::write(m_fd, bytes.constData(), size_t(bytes.size()));
    }
    // What the tool wrote to the line.
    qint64 bytesSentToUs() const
    {
        qint64 total = 0;
        char buffer[256];
        ssize_t count;
        while ((count = ::read(m_fd, buffer, sizeof buffer)) > 0)
            total += count;
        return total;
    }

private:
    int m_fd = -1;
    QString m_path;
};

QList<QJsonObject> objects(const CliProcess& cli, const QString& type)
{
    QList<QJsonObject> found;
    for (const QString& line : cli.outLines()) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        if (object.value("type").toString() == type)
            found << object;
    }
    return found;
}

} // namespace

class TestCliMonitor : public QObject
{
    Q_OBJECT
private slots:
    void listensWithoutSendingAndReplays();
};

// A master polls ModBus sensors 1 and 2 every 100 ms; 2 never answers.
void TestCliMonitor::listensWithoutSendingAndReplays()
{
    TappedLine line;
    QVERIFY(!line.path().isEmpty());
    QTemporaryDir folder;
    const QString kept = folder.filePath("line.txt");
    int polls = 0;
    QTimer master;
    QObject::connect(&master, &QTimer::timeout, [&] {
        line.put(polls % 2 == 0 ? exchange(EngineFactory::BusModBus, 1, 2500) : modbusRead(2));
        ++polls;
    });
    master.start(100);
    CliProcess cli;
    cli.start({"monitor", "--port", line.path(), "--model", "ZT-32", "--seconds", "3", "--json",
               "--raw", kept});
    QVERIFY(cli.wait());
    master.stop();
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(line.bytesSentToUs(), 0);

    const QList<QJsonObject> exchanges = objects(cli, "exchange");
    QVERIFY2(exchanges.size() >= 10, qPrintable(cli.err()));
    int answered = 0;
    for (const QJsonObject& exchange : exchanges) {
        const bool one = exchange.value("address").toInt() == 1;
        QCOMPARE(exchange.value("result").toString(), one ? QString("ok") : QString("timeout"));
        answered += one;
        if (one)
            QCOMPARE(exchange.value("LevelPercent").toDouble(), 25.0);
    }
    const QList<QJsonObject> summaries = objects(cli, "summary");
    QCOMPARE(summaries.size(), 2);
    QCOMPARE(summaries.at(0).value("replies").toInt(), answered);
    QVERIFY(qAbs(summaries.at(0).value("pollPeriodMs").toDouble() - 200) < 50);
    QCOMPARE(summaries.at(1).value("replies").toInt(), 0);

    // The kept session decodes to the same exchanges, the protocol found again.
    CliProcess replay;
    replay.start({"monitor", "--replay", kept, "--json"});
    QVERIFY(replay.wait());
    QCOMPARE(replay.exitCode(), 0);
    QCOMPARE(objects(replay, "line").value(0).value("protocol").toString(), QString("ModBus"));
    QCOMPARE(objects(replay, "summary").value(0).value("replies").toInt(), answered);

    // Without --seconds it listens until stopped, and still sums up.
    CliProcess stopped;
    master.start(100);
    stopped.start({"monitor", "--port", line.path(), "--model", "ZT-32", "--json"});
    QVERIFY(stopped.waitForLines(3));
    stopped.sendSignal(SIGTERM);
    QVERIFY(stopped.wait());
    master.stop();
    QCOMPARE(stopped.exitCode(), 143);
    QCOMPARE(objects(stopped, "summary").size(), 2);
    QCOMPARE(line.bytesSentToUs(), 0);
}

QTEST_GUILESS_MAIN(TestCliMonitor)
#include "tst_climonitor.moc"

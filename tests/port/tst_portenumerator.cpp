#include "port/systemportenumerator.h"

#include <QtTest>

namespace {

QStringList names(const QList<SerialPortInfo>& ports)
{
    QStringList out;
    for (const SerialPortInfo& info : ports)
        out.append(info.portName);
    return out;
}

} // namespace

class TestPortEnumerator : public QObject
{
    Q_OBJECT
private slots:
    void extraPathsAreAddedOnceEach();
    void systemListCarriesTheExtraPathsAtItsEnd();
    void friendlyNameShowsDescriptionAndPort();
};

void TestPortEnumerator::extraPathsAreAddedOnceEach()
{
    SerialPortInfo system;
    system.portName = QStringLiteral("ttyUSB0");
    system.physName = QStringLiteral("/dev/ttyUSB0");
    const QList<SerialPortInfo> extra = SystemPortEnumerator::extraPorts(
        "/dev/pts/7::/tmp/line:/dev/pts/7:/dev/ttyUSB0:", {system});
    QCOMPARE(names(extra), QStringList({"/dev/pts/7", "/tmp/line"}));
    QCOMPARE(extra.first().physName, QStringLiteral("/dev/pts/7"));
    QCOMPARE(extra.first().friendName, QStringLiteral("/dev/pts/7"));
    QVERIFY(SystemPortEnumerator::extraPorts(QByteArray(), {}).isEmpty());
}

void TestPortEnumerator::systemListCarriesTheExtraPathsAtItsEnd()
{
    SystemPortEnumerator enumerator;
    qunsetenv("NIVELON_PORTS");
    const QList<SerialPortInfo> plain = enumerator.getPorts();
    qputenv("NIVELON_PORTS", "/tmp/nivelon-a:/tmp/nivelon-b");
    const QList<SerialPortInfo> withExtra = enumerator.getPorts();
    qunsetenv("NIVELON_PORTS");
    QCOMPARE(withExtra.size(), plain.size() + 2);
    QCOMPARE(names(withExtra.mid(plain.size())), QStringList({"/tmp/nivelon-a", "/tmp/nivelon-b"}));
}

void TestPortEnumerator::friendlyNameShowsDescriptionAndPort()
{
    QCOMPARE(SystemPortEnumerator::friendlyName(QStringLiteral("FT232R USB UART"),
                                                QStringLiteral("ttyUSB0")),
             QStringLiteral("FT232R USB UART (ttyUSB0)"));
    QCOMPARE(SystemPortEnumerator::friendlyName(QString(), QStringLiteral("ttyS0")),
             QStringLiteral("ttyS0"));
}

QTEST_GUILESS_MAIN(TestPortEnumerator)
#include "tst_portenumerator.moc"

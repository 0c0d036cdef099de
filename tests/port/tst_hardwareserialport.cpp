// The real port over a pseudo-terminal whose other end the test holds.
#include "port/hardwareserialport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// The far end of a pseudo-terminal; the port under test opens the near end.
struct FarEnd
{
    FarEnd()
    {
        fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0)
            path = QString::fromLocal8Bit(ptsname(fd));
    }
    ~FarEnd() { hangUp(); }
    void hangUp()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }

    int fd = -1;
    QString path;
};

} // namespace

class TestHardwareSerialPort : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheNameItWasGiven();
    void aLineWhoseFarEndIsGoneFailsToRead();
    void oneDeviceOpensOnceUnderAnyName();
};

void TestHardwareSerialPort::keepsTheNameItWasGiven()
{
    FarEnd far;
    QVERIFY(!far.path.isEmpty());
    HardwareSerialPort port;
    port.setPortName(far.path);
    QVERIFY(port.open());
    QCOMPARE(port.portName(), far.path);
    port.setPortName(QStringLiteral("ttyUSB0"));
    QCOMPARE(port.portName(), QStringLiteral("ttyUSB0"));
}

void TestHardwareSerialPort::aLineWhoseFarEndIsGoneFailsToRead()
{
    FarEnd far;
    HardwareSerialPort port;
    port.setPortName(far.path);
    QVERIFY(port.open());
    QSignalSpy arrived(&port, &SerialPort::readyRead);
    QCOMPARE(::write(far.fd, "ok", 2), ssize_t(2));
    QVERIFY(arrived.wait(2000));
    char buffer[8];
    QCOMPARE(port.read(buffer, sizeof buffer), qint64(2));
    QCOMPARE(port.read(buffer, sizeof buffer), qint64(0));

    // The hang-up is announced at once, so the reader closes the port before the
    // dead descriptor keeps the event loop spinning.
    arrived.clear();
    far.hangUp();
    QVERIFY(arrived.wait(2000));
    QCOMPARE(port.read(buffer, sizeof buffer), qint64(-1));
    QVERIFY(port.lastError() != SerialPort::TimeoutError);
}

// Two programs on one line would answer each other's requests: the second is
// told the device is in use, whether it came by a symlink or by the device.
void TestHardwareSerialPort::oneDeviceOpensOnceUnderAnyName()
{
    FarEnd far;
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("line"));
    QVERIFY(QFile::link(far.path, link));
    HardwareSerialPort first;
    HardwareSerialPort second;
    first.setPortName(link);
    QVERIFY(first.open());
    second.setPortName(far.path);
    QVERIFY(!second.open());
    QCOMPARE(second.lastError(), int(SerialPort::InUseError));
    QCOMPARE(second.errorString(),
             far.path + QStringLiteral(" is in use by another program; close that program first"));
}

QTEST_GUILESS_MAIN(TestHardwareSerialPort)
#include "tst_hardwareserialport.moc"

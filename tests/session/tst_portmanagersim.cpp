// The port manager with the real port layer and engine against the simulated
// sensor line over a pseudo-terminal.
#include "engine/basesensor.h"
#include "port/serialport.h"
#include "session/serialportmanager.h"
#include "simline.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

class TestPortManagerSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void searchSettlesOnTheLineWhereSensorsAnswer();
};

void TestPortManagerSim::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    qRegisterMetaType<BaseSensor*>();
}

void TestPortManagerSim::searchSettlesOnTheLineWhereSensorsAnswer()
{
    QSettings().clear();
    QSettings().setValue(QStringLiteral("BusType"), 2); // ZT-33, Omnicomm over RS-485

    sim::LineOptions options;
    QVERIFY(sim::SensorModel::byCode(QStringLiteral("ZT-33"), &options.model));
    options.addresses = {1, 3};
    options.fixedLevel = 0.5;
    sim::SimLine line(options);
    QString error;
    QVERIFY2(line.start(&error), qPrintable(error));

    // Before the simulator's line come two where nothing answers: one that opens
    // but whose far end hangs up, and one whose adapter is gone.
    const int farEnd = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(farEnd >= 0 && grantpt(farEnd) == 0 && unlockpt(farEnd) == 0);
    const QString hungUpLine = QString::fromLocal8Bit(ptsname(farEnd));
    QTemporaryDir dir;
    const QString goneLine = dir.filePath(QStringLiteral("gone"));
    FakePortEnumerator enumerator({hungUpLine, goneLine, line.portPath()});

    LogCapture log(false);
    SerialPortManager manager(&enumerator);
    QCOMPARE(manager.currentPort()->portName(), hungUpLine);
    QVERIFY(manager.currentPort()->isOpen());
    ::close(farEnd);
    QSignalSpy detected(&manager, &SerialPortManager::sensorDetected);
    while (detected.size() < 2 && detected.wait(5000)) {
    }

    QCOMPARE(detected.size(), 2);
    QCOMPARE(manager.currentPort()->portName(), line.portPath());
    QCOMPARE(manager.state(), SerialPortManager::StateNormal);
    QCOMPARE(manager.currentPort()->settings().BaudRate, BAUD19200);
    QList<int> addresses;
    for (const QList<QVariant>& arguments : detected)
        addresses.append(arguments.at(0).value<BaseSensor*>()->address());
    QCOMPARE(addresses, QList<int>({1, 3}));
    const QStringList status = log.linesOf(Logger::PortStatus);
    QVERIFY(status.contains(QStringLiteral("Closing port %1").arg(hungUpLine)));
    QVERIFY(status.contains(QStringLiteral("Opening port %1 failed").arg(goneLine)));
    QVERIFY(status.contains(QStringLiteral("Opened port %1").arg(line.portPath())));
}

QTEST_MAIN(TestPortManagerSim)
#include "tst_portmanagersim.moc"

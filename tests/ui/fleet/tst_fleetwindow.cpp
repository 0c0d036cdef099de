// The fleet in the window: the server dialog keeps the password only when
// asked and only where the user alone can read it, the status bar's link says
// what waits, the library dialog offers what was published, and an open
// sensor's readings go out live when switched on.
#include "engine/serialsensor.h"
#include "fleet/fleetclient.h"
#include "fleet/fleetlibrarydialog.h"
#include "fleet/fleetlink.h"
#include "fleet/fleetserverdialog.h"
#include "protocols/modbus/modbusengine.h"
#include "support/enginerig.h"
#include "support/fleetlistener.h"
#include "support/testbroker.h"
#include "support/waituntil.h"
#include "tank/tanktable.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

const int kWaitMs = 20000;

void fill(QDialog* dialog, const QString& url, const QString& password, bool keep)
{
    dialog->findChild<QLineEdit*>("urlEdit")->setText(url);
    dialog->findChild<QLineEdit*>("prefixEdit")->setText("window-test");
    dialog->findChild<QLineEdit*>("clientNameEdit")->setText("laptop 3");
    dialog->findChild<QLineEdit*>("userEdit")->setText("installer");
    dialog->findChild<QLineEdit*>("passwordEdit")->setText(password);
    dialog->findChild<QCheckBox*>("keepPasswordCheckBox")->setChecked(keep);
}

TankTable threeRows()
{
    TankTable table;
    for (int row = 0; row < 3; ++row)
        table.append({row * 50.0, 100 + row * 1000, row * 10.0, false});
    return table;
}

void storeLiveReadings(const QString& url, bool on)
{
    FleetServerDialog dialog;
    fill(&dialog, url, QString(), false);
    dialog.findChild<QCheckBox*>("liveReadingsCheckBox")->setChecked(on);
    dialog.accept();
}

} // namespace

class TestFleetWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void passwordIsKeptOnlyWhenAskedAndPrivately();
    void linkSaysWhatWaitsAndLibraryOffersIt();
    void sensorReadingsGoOutOnceASecondWhenSwitchedOn();

private:
    QTemporaryDir m_home;
};

void TestFleetWindow::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    QCoreApplication::setOrganizationName("Korinta");
    QCoreApplication::setApplicationName("Nivelon");
}

void TestFleetWindow::passwordIsKeptOnlyWhenAskedAndPrivately()
{
    const QString path = FleetServer::passwordPath();
    {
        FleetServerDialog dialog;
        fill(&dialog, "mqtts://fleet.example", "s3cret word", true);
        dialog.accept();
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("s3cret word"));
    QCOMPARE(file.permissions() &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
    file.close();
    QSettings settings;
    QFile settingsFile(settings.fileName());
    QVERIFY(settingsFile.open(QIODevice::ReadOnly));
    QVERIFY(!settingsFile.readAll().contains("s3cret"));
    const FleetServer stored = FleetServer::stored();
    QCOMPARE(stored.url, QString("mqtts://fleet.example"));
    QCOMPARE(stored.password, QString("s3cret word"));

    // The dialog opens with what was stored; not keeping it any more removes it.
    FleetServerDialog again;
    QCOMPARE(again.findChild<QLineEdit*>("passwordEdit")->text(), QString("s3cret word"));
    again.findChild<QCheckBox*>("keepPasswordCheckBox")->setChecked(false);
    again.accept();
    QVERIFY(!QFile::exists(path));
    QVERIFY(FleetServer::stored().password.isEmpty());
}

void TestFleetWindow::linkSaysWhatWaitsAndLibraryOffersIt()
{
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    const int port = TestBroker::freePort();
    const QString url = QStringLiteral("mqtt://127.0.0.1:%1").arg(port);
    {
        FleetServerDialog dialog;
        fill(&dialog, url, QString(), false);
        dialog.accept();
    }
    FleetLink link;
    QCOMPARE(FleetLink::current(), &link);
    QString error;
    QVERIFY2(link.publishTankTable("Tank 9", threeRows(), &error), qPrintable(error));
    QVERIFY(
        waitUntil([&] { return link.client()->problem() == FleetClient::BrokerDown; }, kWaitMs));
    QCOMPARE(link.statusText(), QString("fleet: 1 waiting"));

    QVERIFY2(broker.start({}, port), qPrintable(broker.error()));
    QVERIFY(waitUntil([&] { return link.statusText() == "fleet: connected"; }, kWaitMs));

    FleetLibraryDialog library(link.client()->server());
    auto* list = library.findChild<QTreeWidget*>("libraryList");
    QVERIFY(waitUntil([&] { return list->topLevelItemCount() == 1; }, kWaitMs));
    QCOMPARE(list->topLevelItem(0)->text(0), QString("Tank 9"));
    QCOMPARE(list->topLevelItem(0)->text(1), QString("3"));
    library.accept();
    QCOMPARE(library.result(), int(QDialog::Accepted));
    QCOMPARE(library.model(), QString("Tank 9"));
    QCOMPARE(library.table().rowCount(), 3);
}

void TestFleetWindow::sensorReadingsGoOutOnceASecondWhenSwitchedOn()
{
    QTemporaryDir folder;
    TestBroker broker(folder.path());
    QVERIFY2(broker.start({}), qPrintable(broker.error()));
    storeLiveReadings(broker.url(), true);
    FleetLink link;
    QVERIFY(link.isPublishingLive());
    FleetListener listener(link.client()->server(), "window-test/live/#");
    QVERIFY(listener.ready(kWaitMs));

    EngineRig<ModBusEngine> rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    SerialSensor* sensor = rig.engine.addSensorAtAddress(1);
    QSignalSpy readings(sensor, &BaseSensor::reported);
    link.watch(sensor, "/dev/ttyUSB0");
    QVERIFY(waitUntil([&] { return listener.payloads.size() >= 3; }, kWaitMs));
    // The line is polled many times a second; only one reading a second goes out.
    QVERIFY2(readings.count() > 2 * listener.payloads.size(),
             qPrintable(QString::number(readings.count())));
    QCOMPARE(listener.topics.first(), QString("window-test/live/laptop_3/ttyUSB0/1"));
    const QJsonObject first = listener.payloads.first();
    QCOMPARE(first.value("type").toString(), QString("reading"));
    QCOMPARE(first.value("RawLevel").toInt(), 5000);
    QCOMPARE(first.value("Status").toString(), QString("ok"));
    for (int i = 1; i < listener.payloads.size(); ++i)
        QVERIFY(listener.payloads[i].value("TimeMs").toVariant().toLongLong() -
                    listener.payloads[i - 1].value("TimeMs").toVariant().toLongLong() >=
                1000);

    // Switched off, the sensor goes on reporting and nothing more goes out.
    storeLiveReadings(broker.url(), false);
    link.reload();
    QVERIFY(!link.isPublishingLive());
    QVERIFY(waitUntil([&] { return link.statusText() == "fleet: connected"; }, kWaitMs));
    const int published = listener.payloads.size();
    const int heard = readings.count();
    QTest::qWait(2 * FleetLiveFeed::IntervalMs);
    QVERIFY(readings.count() > heard);
    QCOMPARE(listener.payloads.size(), published);
}

QTEST_MAIN(TestFleetWindow)
#include "tst_fleetwindow.moc"

#include "engine/readingrecorder.h"
#include "port/scriptedserialport.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "session/enginefactory.h"
#include "support/logcapture.h"
#include "views/addressdialog.h"
#include "views/failurestatusline.h"
#include "views/modbussensorwidget.h"
#include "views/sensorviewregistry.h"
#include "views/sensorviews.h"
#include "views/tbussensorwidget.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {

QByteArray modBusFrame(const char* hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    const quint16 crc = ModBusEngine::crc16(
        reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
    return bytes + char(crc & 0xFF) + char(crc >> 8);
}

// An idle scripted line with one sensor at address 1 and its view.
template <typename Engine, typename Sensor, typename View>
struct Bench
{
    LogCapture log{false};
    ScriptedSerialPort port;
    Engine engine;
    Sensor* sensor;
    std::unique_ptr<View> view;

    template <typename... EngineArguments>
    explicit Bench(EngineArguments... arguments)
        : engine(arguments...)
    {
        port.open();
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(false);
        sensor = new Sensor(&engine);
        sensor->setAddress(1);
        sensor->invokeCoolDown();
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
        view.reset(static_cast<View*>(SensorViewRegistry::create(sensor)));
    }

    ~Bench()
    {
        engine.deinit();
        view.reset();
        delete sensor;
    }

    template <typename T>
    T* child(const char* name) const
    {
        return view->template findChild<T*>(QLatin1String(name));
    }
};

using ModBusBench = Bench<ModBusEngine, ModBusSensor, ModBusSensorWidget>;
using TBusBench = Bench<TBusEngine, TBusSensor, TBusSensorWidget>;

} // namespace

class TestModBusTBusSensorWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerSensorViews(); }
    void modBusReadingInFieldsSampleAndCsv();
    void fieldsFollowAtTheDisplaysPace();
    void modBusAddressChange();
    void tBusCalibrationNeedsTheFeature_data();
    void tBusCalibrationNeedsTheFeature();
    void tBusExportedStatusKeepsItsKind();
};

void TestModBusTBusSensorWidget::modBusReadingInFieldsSampleAndCsv()
{
    ModBusBench bench;
    QCOMPARE(bench.view->plotToolTipText(0), QStringLiteral("VOID"));
    bench.sensor->levelPollCallback(CommandCallback::Timeout, EngineCommand());
    EngineCommand poll;
    poll.reply[3] = 0x10; // 4250
    poll.reply[4] = 0x9A;
    bench.sensor->levelPollCallback(CommandCallback::Ok, poll);
    QCOMPARE(bench.child<QLineEdit>("levelLineEdit")->text(), QStringLiteral("4250"));
    QCOMPARE(bench.child<QLineEdit>("levelPercentLineEdit")->text(), QStringLiteral("42.50"));
    QCOMPARE(bench.child<QProgressBar>("progressBar")->value(), 42);

    const LevelSamplePoint& failed = bench.view->queue()[0];
    const LevelSamplePoint& sample = bench.view->queue()[1];
    QCOMPARE(sample.level, 42.5f);
    QCOMPARE(bench.view->plotToolTipText(double(failed.time) - 1),
             QStringLiteral("Time=%1\nLVL=0\nRawLevel=0\nError")
                 .arg(bench.view->timeToString(double(failed.time))));
    QCOMPARE(bench.view->plotToolTipText(double(sample.time)), QStringLiteral("VOID"));

    QString text;
    QTextStream stream(&text);
    bench.view->savePlotDataImpl(stream);
    stream.flush();
    const QStringList rows = text.split('\n');
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0], QStringLiteral("Time,Level,RawLevel,Error,TimeMs"));
    QVERIFY(rows[1].contains(QStringLiteral(",0,0,1,")));
    QCOMPARE(rows[2], QDateTime::fromMSecsSinceEpoch(sample.time).toString(Qt::ISODate) +
                          QStringLiteral(",4250,4250,0,%1").arg(sample.time));
}

// On screen the fields show the latest reading once a frame, every sample
// still reaches the plot; a tab behind another shows its latest when in front.
void TestModBusTBusSensorWidget::fieldsFollowAtTheDisplaysPace()
{
    QTabWidget tabs;
    ModBusBench bench;
    tabs.addTab(bench.view.get(), QStringLiteral("view"));
    tabs.addTab(new QWidget, QStringLiteral("front"));
    tabs.resize(600, 400);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    auto* field = bench.child<QLineEdit>("levelLineEdit");
    auto* bar = bench.child<QProgressBar>("progressBar");
    const auto poll = [&](int raw) {
        EngineCommand command;
        command.reply[3] = quint8(raw >> 8);
        command.reply[4] = quint8(raw & 0xFF);
        bench.sensor->levelPollCallback(CommandCallback::Ok, command);
    };

    poll(4250);
    poll(5000);
    bench.sensor->levelPollCallback(CommandCallback::Timeout, EngineCommand());
    QVERIFY(bench.view->fieldsTimer()->isActive());
    QCOMPARE(field->text(), QString());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bench.view->queue().size(), 3);
    bench.view->slotShowFields();
    QCOMPARE(field->text(), QStringLiteral("5000"));
    QCOMPARE(bench.child<QLineEdit>("levelPercentLineEdit")->text(), QStringLiteral("50.00"));
    QCOMPARE(bar->value(), 50);
    QVERIFY(!bench.view->fieldsTimer()->isActive());
    // No reply arms no frame: the fields keep the last answer.
    bench.sensor->levelPollCallback(CommandCallback::Timeout, EngineCommand());
    QVERIFY(!bench.view->fieldsTimer()->isActive());
    // The same value again leaves the field be: a selection to copy stays.
    field->selectAll();
    poll(5000);
    bench.view->slotShowFields();
    QVERIFY(field->hasSelectedText());

    tabs.setCurrentIndex(1);
    QCoreApplication::processEvents();
    poll(6000);
    QVERIFY(!bench.view->fieldsTimer()->isActive());
    bench.view->slotShowFields();
    QCOMPARE(field->text(), QStringLiteral("5000"));
    tabs.setCurrentIndex(0);
    QCoreApplication::processEvents();
    QCOMPARE(field->text(), QStringLiteral("6000"));
    QCOMPARE(bar->value(), 60);
    // The plot's frame brings the fields along, so the two are painted together.
    poll(6500);
    bench.view->slotReplot();
    QCOMPARE(field->text(), QStringLiteral("6500"));
    QVERIFY(!bench.view->fieldsTimer()->isActive());
}

void TestModBusTBusSensorWidget::modBusAddressChange()
{
    ModBusBench bench;
    bench.child<QPushButton>("setAddressButton")->click();
    auto* dialog = bench.view->window()->findChild<AddressDialog*>();
    QVERIFY(dialog);
    // Refused as typed, not cut to the highest address.
    const int written = bench.port.writes.size();
    dialog->setIntValue(300);
    QCOMPARE(dialog->intValue(), 300);
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QVERIFY(
        dialog->labelText().startsWith(QStringLiteral("300 is refused: it must be from 1 to 247")));
    QCOMPARE(bench.port.writes.size(), written);
    dialog->setIntValue(5);
    dialog->accept();
    QCOMPARE(bench.port.writes.last().bytes, modBusFrame("01 06 00 01 00 05"));

    // The sensor refuses: that is shown at once, not after a time-out.
    auto* status = bench.child<FailureStatusLine>("statusLine");
    bench.port.feed(modBusFrame("01 86 03"));
    QCOMPARE(status->text(), QStringLiteral("Address change refused"));
    QVERIFY(!status->isHidden());
    QCOMPARE(int(bench.sensor->address()), 1);
}

void TestModBusTBusSensorWidget::tBusCalibrationNeedsTheFeature_data()
{
    QTest::addColumn<quint32>("features");
    QTest::newRow("without") << quint32(0);
    QTest::newRow("with") << quint32(EngineFactory::FeatureCalibration);
}

void TestModBusTBusSensorWidget::tBusCalibrationNeedsTheFeature()
{
    QFETCH(quint32, features);
    TBusBench bench(features);
    // A disabled button says why.
    for (const char* name : {"setMinimumButton", "setMaximumButton"}) {
        QCOMPARE(bench.child<QPushButton>(name)->isEnabled(), features != 0);
        QCOMPARE(bench.child<QPushButton>(name)->toolTip().isEmpty(), features != 0);
    }
    QCOMPARE(bench.view->plotToolTipText(0), QStringLiteral("VOID"));
}

// A status in place of a level is exported as an error row with the code as
// its raw level, and the reading behind the row still says which status.
void TestModBusTBusSensorWidget::tBusExportedStatusKeepsItsKind()
{
    TBusBench bench(0);
    EngineCommand poll;
    poll.reply[1] = 0x20; // 20000: no empty point
    poll.reply[2] = 0x4E;
    bench.sensor->levelPollCallback(CommandCallback::Ok, poll);

    const std::deque<SensorReading>& kept = bench.view->recorder()->readings();
    QCOMPARE(int(kept.size()), 1);
    QCOMPARE(kept.front().error, SensorReading::Uncalibrated);
    QString text;
    QTextStream stream(&text);
    bench.view->savePlotDataImpl(stream);
    stream.flush();
    QVERIFY2(text.section('\n', 1, 1).contains(QStringLiteral(",0,20000,1,")), qPrintable(text));
}

QTEST_MAIN(TestModBusTBusSensorWidget)
#include "tst_modbustbussensorwidget.moc"

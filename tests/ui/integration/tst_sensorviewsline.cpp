// The three sensor views on the real serial port against a simulated line: what
// the engineer does in a tab reaches the simulated sensor and comes back.
#include "engine/enginefactory.h"
#include "parameters/commandbutton.h"
#include "parameters/parameterwidget.h"
#include "protocols/modbusengine.h"
#include "protocols/modbussensor.h"
#include "protocols/omnicommengine.h"
#include "protocols/omnicommsensor.h"
#include "protocols/tbusengine.h"
#include "protocols/tbussensor.h"
#include "support/answermodal.h"
#include "support/enginerig.h"
#include "support/waituntil.h"
#include "views/addressdialog.h"
#include "views/modbussensorwidget.h"
#include "views/omnicommsensorwidget.h"
#include "views/profileactions.h"
#include "views/profileapplydialog.h"
#include "views/sensorviews.h"
#include "views/tbussensorwidget.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const int kWaitMs = 10000;

// A rig whose sensor at address has its view; the view goes before the rig
// dismantles the engine and the sensor.
template <typename Engine, typename View>
struct ViewRig : EngineRig<Engine>
{
    using EngineRig<Engine>::EngineRig;

    ~ViewRig() { delete view; }

    template <typename Sensor>
    Sensor* open(Sensor* sensor)
    {
        view = static_cast<View*>(sensor->createWidget());
        return sensor;
    }

    template <typename T>
    T* child(const char* name) const
    {
        return view->template findChild<T*>(QLatin1String(name));
    }

    QString field() const { return child<QLineEdit>("levelLineEdit")->text(); }

    QPointer<View> view;
};

} // namespace

class TestSensorViewsLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerSensorViews(); }
    void omniCommViewEditsAndSwitchesTheSensor();
    void omniCommViewAppliesAProfile();
    void modBusViewChangesTheAddress();
    void modBusViewGreysWhileTheSensorIsSilent();
    void tBusViewCalibratesTheSensor();
};

void TestSensorViewsLine::omniCommViewEditsAndSwitchesTheSensor()
{
    sim::LineOptions options = SimulatedLine::options("ZT-42", {5});
    options.autoIntervalUnitMs = 20;
    ViewRig<OmniCommEngine, OmniCommSensorWidget> rig(
        options,
        EngineFactory::FeatureAutonomousMode | EngineFactory::FeatureExtendedConfiguration);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    sim::SimSensor* simSensor = rig.sim.sensorAt(5);
    OmniCommSensor* sensor = rig.open(rig.engine.sensorDetectedCallback(5));

    // The level shown is the simulated one, scaled by the configuration read.
    const QString expected = QString::number(4096.0 / 8191.0 * 100.0, 'f', 2);
    QVERIFY(waitUntil([&] { return rig.field() == expected; }, kWaitMs));

    // A late poll reply must not answer the edits: the line goes quiet first.
    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    auto* fMax = rig.child<IntSpinBoxParameterWidget>("frequencyMaxWidget");
    fMax->setEditVariantValue(17000);
    fMax->slotAcceptClicked();
    QVERIFY(waitUntil([&] { return fMax->state() == ParameterWidget::StateOk; }, kWaitMs));
    QCOMPARE(simSensor->omnicomm().fMax, 17000);

    // What the sensor would refuse is refused here, with the reason, unsent.
    const auto* status = rig.child<QLabel>("statusLine");
    const quint64 requests = simSensor->counters().requests;
    auto* fMin = rig.child<IntSpinBoxParameterWidget>("frequencyMinWidget");
    fMin->setEditVariantValue(25000);
    fMin->slotAcceptClicked();
    QCOMPARE(fMin->state(), ParameterWidget::StateFailed);
    QCOMPARE(status->text(), QStringLiteral("FMin 25000 refused: it must be below FMax (17000)"));
    fMax->setEditVariantValue(100);
    fMax->slotAcceptClicked();
    QCOMPARE(status->text(), QStringLiteral("FMax 100 refused: it must be above FMin (5000)"));
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    QCOMPARE(simSensor->counters().requests, requests);
    // Changed behind the view's back, FMin is above the new FMax: the sensor refuses it.
    simSensor->omnicomm().fMin = 16000;
    fMax->setEditVariantValue(15000);
    fMax->slotAcceptClicked();
    QVERIFY(waitUntil([&] { return fMax->state() == ParameterWidget::StateFailed; }, kWaitMs));
    QCOMPARE(status->text(), QStringLiteral("FMax 15000 refused by the sensor"));
    QCOMPARE(simSensor->omnicomm().fMax, 17000);
    rig.child<QPushButton>("settingsButton")->click();
    QVERIFY(waitUntil([&] { return fMax->editVariantValue().toInt() == 17000; }, kWaitMs));

    auto* autoMode = rig.child<QCheckBox>("autoModeCheckBox");
    QVERIFY(autoMode->isEnabled());
    autoMode->click();
    QVERIFY(waitUntil([&] { return autoMode->isEnabled(); }, kWaitMs));
    QVERIFY(autoMode->isChecked());
    QVERIFY(simSensor->isAutonomous());

    // Its frames keep coming, also while its configuration is read.
    for (int read = 0; read < 5; ++read) {
        QSignalSpy configured(sensor, &OmniCommSensor::configurationUpdated);
        rig.child<QPushButton>("settingsButton")->click();
        QVERIFY(configured.wait(kWaitMs));
        QVERIFY(sensor->parameter(OmniCommSensor::FMaxIndex)->isValid());
    }
    QVERIFY(simSensor->counters().unsolicited > 0);
}

void TestSensorViewsLine::omniCommViewAppliesAProfile()
{
    ViewRig<OmniCommEngine, OmniCommSensorWidget> rig(SimulatedLine::options("ZT-33", {5}),
                                                      EngineFactory::FeatureControlOutput);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    sim::SimSensor* simSensor = rig.sim.sensorAt(5);
    OmniCommSensor* sensor = rig.open(rig.engine.sensorDetectedCallback(5));
    QVERIFY(waitUntil([&] { return sensor->parameter(OmniCommSensor::FMaxIndex)->isValid(); },
                      kWaitMs));
    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    QTemporaryDir folder;
    QFile profile(folder.filePath("fleet.json"));
    // A profile of another model is refused with the reason, before anything is sent.
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write(R"({"format": 1, "model": "ZT-42", "parameters": {"FMin": 6000}})");
    profile.close();
    const quint64 requests = simSensor->counters().requests;
    QString refusal;
    answerNextModal<QMessageBox>([&](QMessageBox* box) {
        refusal = box->text();
        box->accept();
    });
    rig.view->findChild<ProfileActions*>()->applyFrom(profile.fileName());
    QVERIFY2(refusal.contains("a profile of model ZT-42, not of ZT-33"), qPrintable(refusal));
    QCOMPARE(simSensor->counters().requests, requests);

    QVERIFY(profile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    profile.write(R"({"format": 1, "model": "ZT-33",
                      "parameters": {"FMax": 20000, "FMin": 6000, "SampleCount": 20}})");
    profile.close();

    rig.view->findChild<ProfileActions*>()->applyFrom(profile.fileName());
    ProfileApplyDialog* dialog = nullptr;
    QVERIFY(
        waitUntil([&] { return (dialog = rig.view->findChild<ProfileApplyDialog*>()); }, kWaitMs));
    const auto* table = dialog->findChild<QTableWidget*>("differencesTable");
    const auto cells = [table](int column) {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row)
            texts << table->item(row, column)->text();
        return texts;
    };
    QCOMPARE(cells(0), QStringList({"FMin", "SampleCount"}));
    QCOMPARE(cells(1), QStringList({"5000", "10"}));
    QCOMPARE(cells(2), QStringList({"6000", "20"}));

    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
    QVERIFY(waitUntil([&] { return table->columnCount() == 4; }, kWaitMs));
    QCOMPARE(cells(3), QStringList({"applied", "applied"}));
    QCOMPARE(rig.child<QLabel>("statusLine")->text(),
             QStringLiteral("Profile fleet.json: 2 of 2 parameters applied"));
    QCOMPARE(simSensor->omnicomm().fMin, 6000);
    QCOMPARE(simSensor->omnicomm().sampleCount, 20);
    QCOMPARE(simSensor->counters().writesApplied, 2u);
}

void TestSensorViewsLine::modBusViewChangesTheAddress()
{
    ViewRig<ModBusEngine, ModBusSensorWidget> rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    sim::SimSensor* simSensor = rig.sim.sensorAt(1);
    ModBusSensor* sensor = rig.open(rig.engine.addSensorAtAddress(1));
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));

    SimulatedLine::holdPolls(sensor);
    QVERIFY(rig.sim.waitForQuietLine(rig.engine));
    rig.child<QPushButton>("setAddressButton")->click();
    auto* dialog = rig.view->window()->findChild<AddressDialog*>();
    QVERIFY(dialog);
    dialog->setIntValue(9);
    dialog->accept();
    QVERIFY(waitUntil([&] { return sensor->address() == 9; }, kWaitMs));
    QCOMPARE(rig.sim.sensorAt(9), simSensor);
    SimulatedLine::releasePolls(sensor);
    rig.child<QLineEdit>("levelLineEdit")->clear();
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));
}

void TestSensorViewsLine::modBusViewGreysWhileTheSensorIsSilent()
{
    ViewRig<ModBusEngine, ModBusSensorWidget> rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    rig.open(rig.engine.addSensorAtAddress(1));
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));
    auto* field = rig.child<QLineEdit>("levelLineEdit");
    auto* status = rig.child<QLabel>("replyStatusLine");
    QVERIFY(field->isEnabled() && status->isHidden());

    sim::FaultSettings silent;
    silent.noReply = 1.0;
    rig.sim.line().setFaults(silent, 1);
    const auto& samples = rig.view->queue();
    QVERIFY(waitUntil([&] { return samples[samples.size() - 1].error; }, kWaitMs));
    // Time runs on to well past three polls and two seconds.
    ReplyWatch* watch = rig.view->replyWatch();
    const qint64 later = QDateTime::currentMSecsSinceEpoch() + 60000;
    watch->setClock([later] { return later; });
    watch->slotCheck();
    QVERIFY(!field->isEnabled() && !rig.child<QWidget>("progressBar")->isEnabled());
    QVERIFY(!status->isHidden());
    QCOMPARE(status->text(),
             QStringLiteral("no reply since %1")
                 .arg(QDateTime::fromMSecsSinceEpoch(watch->lastHeard()).toString("HH:mm:ss")));
    QVERIFY(watch->lastHeard() < samples[samples.size() - 1].time);

    watch->setClock(&QDateTime::currentMSecsSinceEpoch);
    rig.sim.line().setFaults(sim::FaultSettings(), 1);
    QVERIFY(waitUntil([&] { return field->isEnabled(); }, kWaitMs));
    QVERIFY(status->isHidden() && rig.field() == QLatin1String("5000"));
}

void TestSensorViewsLine::tBusViewCalibratesTheSensor()
{
    sim::LineOptions options = SimulatedLine::options("ZT-35", {10});
    options.uncalibrated = true;
    ViewRig<TBusEngine, TBusSensorWidget> rig(options, EngineFactory::FeatureCalibration);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    rig.open(rig.engine.addSensorAtAddress(10));
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("20000"); }, kWaitMs));

    for (const char* name : {"setMinimumButton", "setMaximumButton"}) {
        auto* button = rig.child<CommandButton>(name);
        button->click();
        QVERIFY(waitUntil([&] { return button->state() == CommandButton::StateOk; }, kWaitMs));
    }
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));
    const auto& samples = rig.view->queue();
    QVERIFY(samples[0].error);
    QVERIFY(!samples[samples.size() - 1].error);
}

QTEST_MAIN(TestSensorViewsLine)
#include "tst_sensorviewsline.moc"

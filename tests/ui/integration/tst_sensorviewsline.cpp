// The three sensor views on the real serial port against a simulated line: what
// the engineer does in a tab reaches the simulated sensor and comes back.
#include "parameters/commandbutton.h"
#include "parameters/parameterwidget.h"
#include "protocols/modbus/modbusengine.h"
#include "protocols/modbus/modbussensor.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "session/enginefactory.h"
#include "support/answermodal.h"
#include "support/enginerig.h"
#include "support/waituntil.h"
#include "views/addressdialog.h"
#include "views/modbussensorwidget.h"
#include "views/omnicommsensorwidget.h"
#include "views/profileactions.h"
#include "views/profileapplydialog.h"
#include "views/sensorviewregistry.h"
#include "views/sensorviews.h"
#include "views/tbussensorwidget.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

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
        view = static_cast<View*>(SensorViewRegistry::create(sensor));
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
    void omniCommViewShowsASelfSendingSensor();
    void modBusViewChangesTheAddress();
    void silentSensorKeepsItsLastReadingGreyed_data();
    void silentSensorKeepsItsLastReadingGreyed();
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

// A sensor found sending by itself: its configuration is read, not made up, and
// its readings reach the percent field, the bar and the plot as a polled one's do.
void TestSensorViewsLine::omniCommViewShowsASelfSendingSensor()
{
    sim::LineOptions options = SimulatedLine::options("ZT-42", {3});
    options.autonomous = {3};
    options.autoIntervalUnitMs = 20;
    ViewRig<OmniCommEngine, OmniCommSensorWidget> rig(
        options,
        EngineFactory::FeatureAutonomousMode | EngineFactory::FeatureExtendedConfiguration);
    QString firstFMin;
    QString firstWhy;
    QObject::connect(&rig.engine, &SerialEngine::sensorDetected, [&](BaseSensor* found) {
        rig.open(static_cast<OmniCommSensor*>(found));
        const auto* fMin = rig.template child<ParameterWidget>("frequencyMinWidget");
        firstFMin = fMin->displayText();
        firstWhy = fMin->findChild<QLineEdit*>(QStringLiteral("display"))->toolTip();
    });
    QVERIFY2(rig.start(), qPrintable(rig.error));
    QVERIFY(waitUntil([&] { return !rig.view.isNull(); }, kWaitMs));
    // Before the sensor has said anything of its configuration, nothing is made up.
    QCOMPARE(firstFMin, QStringLiteral("\u2014"));
    QVERIFY2(firstWhy.startsWith(QLatin1String("Not read yet")), qPrintable(firstWhy));

    const QString expected = QString::number(4096.0 / 8191.0 * 100.0, 'f', 2);
    QVERIFY(waitUntil([&] { return rig.field() == expected; }, kWaitMs));
    const sim::OmnicommConfig& simulated = rig.sim.sensorAt(3)->omnicomm();
    QCOMPARE(rig.child<ParameterWidget>("frequencyMinWidget")->displayText(),
             QString::number(simulated.fMin));
    QCOMPARE(rig.child<ParameterWidget>("frequencyMaxWidget")->displayText(),
             QString::number(simulated.fMax));
    QCOMPARE(rig.child<ParameterWidget>("sampleCountWidget")->displayText(),
             QString::number(simulated.sampleCount));
    QCOMPARE(rig.child<ParameterWidget>("dataFormatWidget")->displayText(),
             QStringLiteral("8192 (13 bits)"));
    QVERIFY(rig.child<QCheckBox>("autoModeCheckBox")->isChecked());
    QCOMPARE(rig.child<QProgressBar>("progressBar")->value(),
             rig.child<QProgressBar>("progressBar")->maximum() * 4096 / 8191);

    // Frame after frame reaches the plot, in percent and in hertz.
    const QwtSeriesData<QPointF>* level = rig.view->levelCurve()->data();
    QVERIFY(waitUntil([&] { return level->size() >= 3; }, kWaitMs));
    QCOMPARE(qRound(level->sample(level->size() - 1).y() * 100), qRound(expected.toDouble() * 100));
    const QwtPlotCurve* curve = nullptr;
    for (const QwtPlotItem* item : rig.view->plot()->itemList(QwtPlotItem::Rtti_PlotCurve)) {
        if (item->title().text() == QLatin1String("Frequency, Hz"))
            curve = static_cast<const QwtPlotCurve*>(item);
    }
    QVERIFY(curve && curve->yAxis() == QwtPlot::yRight);
    QCOMPARE(QString::number(curve->sample(int(curve->dataSize()) - 1).y()),
             rig.child<QLineEdit>("frequencyLineEdit")->text());
    QVERIFY(rig.sim.sensorAt(3)->isAutonomous());
}

void TestSensorViewsLine::modBusViewChangesTheAddress()
{
    ViewRig<ModBusEngine, ModBusSensorWidget> rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    sim::SimSensor* simSensor = rig.sim.sensorAt(1);
    ModBusSensor* sensor = rig.open(static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(1)));
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

// A missing reply and a lost line look the same: the last reading stays, greyed,
// with since when; the bar never drops to an empty tank.
void TestSensorViewsLine::silentSensorKeepsItsLastReadingGreyed_data()
{
    QTest::addColumn<bool>("lineLost");
    QTest::newRow("sensor stops answering") << false;
    QTest::newRow("line lost") << true;
}

void TestSensorViewsLine::silentSensorKeepsItsLastReadingGreyed()
{
    QFETCH(bool, lineLost);
    ViewRig<ModBusEngine, ModBusSensorWidget> rig(SimulatedLine::options("ZT-32", {1}));
    QVERIFY2(rig.start(), qPrintable(rig.error));
    rig.open(static_cast<ModBusSensor*>(rig.engine.addSensorAtAddress(1)));
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));
    auto* field = rig.child<QLineEdit>("levelLineEdit");
    auto* bar = rig.child<QProgressBar>("progressBar");
    auto* status = rig.child<QLabel>("replyStatusLine");
    QVERIFY(field->isEnabled() && status->isHidden());
    const int level = bar->value();
    QVERIFY(level > 0);
    QSignalSpy told(rig.view.data(), &SensorWidget::silenceChanged);

    sim::FaultSettings silent;
    silent.noReply = 1.0;
    rig.sim.line().setFaults(silent, 1);
    if (lineLost)
        rig.view->slotLineLost(QStringLiteral("The port is gone"));
    const auto& samples = rig.view->queue();
    QVERIFY(waitUntil([&] { return samples[samples.size() - 1].error; }, kWaitMs));
    // Time runs on to well past three polls and two seconds.
    ReplyWatch* watch = rig.view->replyWatch();
    const qint64 later = QDateTime::currentMSecsSinceEpoch() + 60000;
    watch->setClock([later] { return later; });
    watch->slotCheck();
    QVERIFY(!field->isEnabled() && !bar->isEnabled());
    QCOMPARE(rig.field(), QStringLiteral("5000"));
    QCOMPARE(bar->value(), level);
    const QString since =
        QStringLiteral("no reply since %1")
            .arg(QDateTime::fromMSecsSinceEpoch(watch->lastHeard()).toString("HH:mm:ss"));
    QVERIFY2(!status->isHidden() &&
                 status->text().endsWith(since + QLatin1String("; the values shown are from then")),
             qPrintable(status->text()));
    QCOMPARE(status->text().startsWith(QLatin1String("The port is gone")), lineLost);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.last().at(0).toString(), QStringLiteral("Sensor 1: ") + since);
    QVERIFY(watch->lastHeard() < samples[samples.size() - 1].time);

    watch->setClock(&QDateTime::currentMSecsSinceEpoch);
    rig.sim.line().setFaults(sim::FaultSettings(), 1);
    if (lineLost)
        rig.view->slotLineRestored();
    QVERIFY(waitUntil([&] { return field->isEnabled(); }, kWaitMs));
    QVERIFY(status->isHidden() && rig.field() == QLatin1String("5000"));
    QCOMPARE(told.last().at(0).toString(), QString());
}

void TestSensorViewsLine::tBusViewCalibratesTheSensor()
{
    sim::LineOptions options = SimulatedLine::options("ZT-35", {10});
    options.uncalibrated = true;
    ViewRig<TBusEngine, TBusSensorWidget> rig(options, EngineFactory::FeatureCalibration);
    QVERIFY2(rig.start(), qPrintable(rig.error));
    rig.open(static_cast<TBusSensor*>(rig.engine.addSensorAtAddress(10)));
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("20000"); }, kWaitMs));

    // Each asks first, and says what it did.
    const auto* status = rig.child<QLabel>("statusLine");
    for (const char* name : {"setMinimumButton", "setMaximumButton"}) {
        auto* button = rig.child<CommandButton>(name);
        button->click();
        QCOMPARE(button->state(), CommandButton::StateIdle);
        auto* box = button->findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        box->button(QMessageBox::Yes)->click();
        QVERIFY(waitUntil([&] { return button->state() == CommandButton::StateOk; }, kWaitMs));
        QCOMPARE(status->text(), QLatin1String(name) == QLatin1String("setMinimumButton")
                                     ? QStringLiteral("Minimum set at the present level")
                                     : QStringLiteral("Maximum set at the present level"));
    }
    QVERIFY(waitUntil([&] { return rig.field() == QLatin1String("5000"); }, kWaitMs));
    // The session's log has both points with the converter values the sensor stored.
    const QList<CalibrationLog::Entry>& log =
        static_cast<TBusSensor*>(rig.view->baseSensor())->calibrationLog().entries();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0].point, CalibrationLog::Minimum);
    QCOMPARE(log[0].value, rig.sim.sensorAt(10)->adcMinimum());
    QCOMPARE(log[1].point, CalibrationLog::Maximum);
    QCOMPARE(log[1].value, rig.sim.sensorAt(10)->adcMaximum());
    const auto& samples = rig.view->queue();
    QVERIFY(samples[0].error);
    QVERIFY(!samples[samples.size() - 1].error);
}

QTEST_MAIN(TestSensorViewsLine)
#include "tst_sensorviewsline.moc"

#include "engine/readingcsv.h"
#include "engine/readingrecorder.h"
#include "parameters/parameterwidget.h"
#include "port/scriptedserialport.h"
#include "protocols/omnicomm/omnicommengine.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "session/enginefactory.h"
#include "support/logcapture.h"
#include "views/addressdialog.h"
#include "views/failurestatusline.h"
#include "views/omnicommsensorwidget.h"
#include "views/sensorviewregistry.h"
#include "views/sensorviews.h"
#include "views/servicecontrols.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_scaleitem.h>
#include <qwt_scale_widget.h>

namespace {

QByteArray withCrc(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    return bytes + char(OmniCommEngine::crc8(data, bytes.size()));
}

// A data frame of address 1: raw level 2048, frequency 10000.
QByteArray dataFrame(qint8 temperature)
{
    QByteArray frame = QByteArray::fromHex("3E 01 06 00 00 08 10 27");
    frame[3] = char(temperature);
    return withCrc(frame);
}

// A 22-byte configuration reply of address 1 with the given data format.
QByteArray configurationReply(int dataFormat)
{
    QByteArray frame = QByteArray::fromHex("3E 01 F5") + QByteArray(18, 0);
    frame[7] = char(0x50); // FMax 0x4650 = 18000
    frame[8] = char(0x46);
    frame[19] = char(dataFormat);
    return withCrc(frame);
}

// The argument list the view looks at for "-t": the test adds it to the
// application's own argv while a row needs it.
int g_argc = 0;
char** g_argv = nullptr;
char g_serviceFlag[] = "-t";

// One Omnicomm sensor at address 1 on an idle scripted line, with its view.
struct Bench
{
    LogCapture log{false};
    ScriptedSerialPort port;
    OmniCommEngine engine;
    QPointer<OmniCommSensor> sensor;
    QPointer<OmniCommSensorWidget> view;

    explicit Bench(quint32 features = 0)
        : engine(features)
    {
        port.open();
        engine.setPort(&port);
        engine.setAutoDetectSensorsEnabled(false);
        sensor = new OmniCommSensor(&engine);
        sensor->setAddress(1);
        sensor->invokeCoolDown();
        engine.resetStateMachine();
        engine.slotOnStateCheckTimeout();
        view = static_cast<OmniCommSensorWidget*>(SensorViewRegistry::create(sensor));
        port.writes.clear();
    }

    ~Bench()
    {
        engine.deinit();
        delete sensor;
        delete view;
    }

    template <typename T>
    T* child(const char* name) const
    {
        return view->findChild<T*>(QLatin1String(name));
    }

    void feed(const QByteArray& frame)
    {
        sensor->parseData(reinterpret_cast<const unsigned char*>(frame.constData()),
                          OmniCommSensor::NetworkMode, QDateTime::currentMSecsSinceEpoch());
    }

    // Answers the command in flight and lets the engine go on.
    void answer(const QByteArray& reply)
    {
        port.feed(reply);
        engine.slotOnStateCheckTimeout();
    }

    QString csv() const
    {
        QString text;
        QTextStream stream(&text);
        view->savePlotDataImpl(stream);
        stream.flush();
        return text;
    }
};

} // namespace

class TestOmniCommSensorWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerSensorViews(); }
    void serviceControls_data();
    void serviceControls();
    void featuresEnableControls_data();
    void featuresEnableControls();
    void configurationReadSetsRawMaximum();
    void negativeTemperatureStaysSigned();
    void exportWritesEveryReadingAsReported();
    void addressDialogOutlivedBySensorSendsNothing();
    void addressOfAnotherSensorIsRefusedUnsent();
    void wrongModelIsNamed();
    void failedCommandsAreShown();
    void editingKeepsTheWindowWidth();
};

void TestOmniCommSensorWidget::serviceControls_data()
{
    QTest::addColumn<bool>("flag");
    QTest::addColumn<bool>("setting");
    QTest::newRow("field") << false << false;
    QTest::newRow("-t") << true << false;
    QTest::newRow("Settings menu") << false << true;
}

// Off, calibration stays in sight, greyed, and says how to turn it on; no single
// key writes to the sensor.
void TestOmniCommSensorWidget::serviceControls()
{
    QFETCH(bool, flag);
    QFETCH(bool, setting);
    QSettings().setValue(QStringLiteral("ServiceControls"), setting);
    const int argc = g_argc;
    if (flag)
        g_argv[g_argc++] = g_serviceFlag;
    Bench bench;
    g_argc = argc;
    const bool service = flag || setting;

    auto* setEmpty = bench.child<QPushButton>("setEmptyButton");
    QCOMPARE(setEmpty->isEnabled(), service);
    QCOMPARE(bench.child<QPushButton>("setFullButton")->isEnabled(), service);
    QCOMPARE(bench.child<QWidget>("normalTemperatureWidget")->isVisibleTo(bench.view), service);
    QStringList actions;
    for (const QAction* action : bench.view->sensorActions()) {
        actions.append(action->text());
        QVERIFY(action->shortcut().isEmpty() || action->shortcut()[0] & Qt::KeyboardModifierMask);
        if (action->text().startsWith(QLatin1String("Set "))) {
            QCOMPARE(action->isEnabled(), service);
            QCOMPARE(action->toolTip().contains(QStringLiteral("Settings \u2192 Service controls")),
                     !service);
        }
    }
    const QStringList ownActions = {
        "Set Empty",        "Set Full",         "Refresh Configuration",
        "Save profile...",  "Apply profile...", "Clear",
        "Compact",          "Follow",           "Save..",
        "Plot settings...", "Reset statistics", "Commissioning record..."};
    QCOMPARE(actions, ownActions);
    if (!service) {
        // The switch in the Settings menu reaches the tabs already open.
        ServiceControls::instance()->setOn(true);
        QVERIFY(setEmpty->isEnabled() && setEmpty->toolTip().isEmpty());
        ServiceControls::instance()->setOn(false);
        QVERIFY(!setEmpty->isEnabled());
        return;
    }

    // The empty point is the current frequency, written as FMax once confirmed,
    // and the status line says so.
    bench.feed(dataFrame(20));
    const int written = bench.port.writes.size();
    const auto answer = [&](QMessageBox::StandardButton button) {
        bench.child<QPushButton>("setEmptyButton")->click();
        auto* box = bench.view->findChild<QMessageBox*>();
        QVERIFY(box && box->text().contains(QStringLiteral("10000")));
        QCOMPARE(bench.port.writes.size(), written);
        box->button(button)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    answer(QMessageBox::No);
    QCOMPARE(bench.port.writes.size(), written);
    answer(QMessageBox::Yes);
    QCOMPARE(bench.port.writes.last().bytes, withCrc(QByteArray::fromHex("31 01 0C 10 27")));
    bench.answer(withCrc(QByteArray::fromHex("3E 01 0C 00")));
    auto* status = bench.child<FailureStatusLine>("statusLine");
    QCOMPARE(status->text(), QStringLiteral("Set Empty: FMax 10000 written"));
}

void TestOmniCommSensorWidget::featuresEnableControls_data()
{
    QTest::addColumn<quint32>("features");
    QTest::newRow("none") << quint32(0);
    QTest::newRow("autonomous") << quint32(EngineFactory::FeatureAutonomousMode);
    QTest::newRow("control and PWM")
        << quint32(EngineFactory::FeatureControlOutput | EngineFactory::FeaturePwmOutput);
    QTest::newRow("analogue") << quint32(EngineFactory::FeatureAnalogueOutput);
}

void TestOmniCommSensorWidget::featuresEnableControls()
{
    QFETCH(quint32, features);
    Bench bench(features);
    const auto enabled = [&](const char* name) {
        return bench.view->findChild<QWidget*>(QLatin1String(name))->isEnabled();
    };
    const bool autonomous = features & EngineFactory::FeatureAutonomousMode;
    QCOMPARE(enabled("autoModeCheckBox"), autonomous);
    QCOMPARE(enabled("autonomousIntervalWidget"), autonomous);
    QCOMPARE(enabled("pwmMaxWidget"), bool(features & EngineFactory::FeaturePwmOutput));
    QCOMPARE(enabled("controlOutputWidget"), bool(features & EngineFactory::FeatureControlOutput));
    for (const char* name : {"analogueOutputRangeWidget", "analogueOutputRatioWidget"})
        QCOMPARE(enabled(name), bool(features & EngineFactory::FeatureAnalogueOutput));
    // A control that is off says why.
    for (const char* name :
         {"autoModeCheckBox", "autonomousIntervalWidget", "pwmMaxWidget", "controlOutputWidget",
          "analogueOutputRangeWidget", "analogueOutputRatioWidget"}) {
        const QString tip = bench.view->findChild<QWidget*>(QLatin1String(name))->toolTip();
        QCOMPARE(tip.startsWith(QLatin1String("This sensor model")), !enabled(name));
    }

    // The check box waits for the switch, then follows the model again.
    auto* autoMode = bench.child<QCheckBox>("autoModeCheckBox");
    QMetaObject::invokeMethod(bench.view, "on_autoModeCheckBox_clicked", Q_ARG(bool, true));
    QVERIFY(!autoMode->isEnabled());
    QCOMPARE(bench.port.writes.last().bytes, withCrc(QByteArray::fromHex("31 01 07")));
    bench.answer(withCrc(QByteArray::fromHex("3E 01 07 00")));
    QCOMPARE(autoMode->isEnabled(), autonomous);
    QVERIFY(autoMode->isChecked());
}

// Before the configuration names the data format, a reading's level would be a
// guess (2048 / 1023 is twice full scale): only the raw level is shown.
void TestOmniCommSensorWidget::configurationReadSetsRawMaximum()
{
    Bench bench;
    // Nothing read yet: every configuration field says so rather than show a made-up 0.
    auto* fMax = bench.child<IntSpinBoxParameterWidget>("frequencyMaxWidget");
    const auto why = [fMax] {
        return fMax->findChild<QLineEdit*>(QStringLiteral("display"))->toolTip();
    };
    QCOMPARE(fMax->displayText(), QStringLiteral("\u2014"));
    QCOMPARE(bench.child<ParameterWidget>("dataFormatWidget")->displayText(),
             QStringLiteral("\u2014"));
    QVERIFY2(why().startsWith(QLatin1String("Not read yet")), qPrintable(why()));
    bench.feed(dataFrame(20));
    QCOMPARE(bench.child<QLineEdit>("rawLevelLineEdit")->text(), QStringLiteral("2048"));
    QCOMPARE(bench.child<QLineEdit>("levelLineEdit")->text(), QStringLiteral("\u2014"));
    QCOMPARE(bench.view->queue().size(), 0);
    bench.sensor->requestConfigurationUpdate();
    bench.engine.slotOnStateCheckTimeout(); // no reply
    QCOMPARE(fMax->displayText(), QStringLiteral("\u2014"));
    QVERIFY2(why().startsWith(QLatin1String("Not known: the configuration read failed")),
             qPrintable(why()));
    bench.engine.slotOnStateCheckTimeout(); // the cool-down after the time-out
    bench.sensor->requestConfigurationUpdate();
    bench.answer(configurationReply(1));
    QCOMPARE(bench.view->levelSeries()->rawMaximum(), 4095.0f);
    bench.feed(dataFrame(20));
    QCOMPARE(bench.child<QLineEdit>("levelLineEdit")->text(), QStringLiteral("50.01"));
    QCOMPARE(bench.view->queue().size(), 1);
    QCOMPARE(fMax->editVariantValue().toInt(), 18000);
    QCOMPARE(fMax->displayText(), QStringLiteral("18000"));
    QCOMPARE(why(), QString());
    // The frequency axis reaches FMax, in hertz.
    bench.view->plot()->updateAxes();
    QCOMPARE(bench.view->plot()->axisInterval(QwtPlot::yRight).maxValue(), 19000.0);
}

// A sensor below zero reports a negative temperature, which stays negative in
// the field, the sample, the tooltip, the CSV file and on the plot.
void TestOmniCommSensorWidget::negativeTemperatureStaysSigned()
{
    Bench bench;
    QCOMPARE(bench.view->plotToolTipText(0), QStringLiteral("VOID"));
    bench.sensor->slotResetCoolDown();
    bench.engine.slotOnStateCheckTimeout(); // no reply
    QVERIFY(bench.view->plotToolTipText(0).endsWith("<br/>Error"));
    bench.view->clearPlot();
    bench.sensor->intParameter(OmniCommSensor::DataFormatIndex)->setValue(2);
    bench.feed(dataFrame(-15));
    QCOMPARE(bench.child<QLineEdit>("temperatureLineEdit")->text(), QStringLiteral("-15"));
    QCOMPARE(bench.child<QLineEdit>("rawLevelLineEdit")->text(), QStringLiteral("2048"));

    const OmniCommSamplePoint& sample = bench.view->queue()[0];
    const QString square =
        QStringLiteral("<span style=\"color: %1; float: left; min-width:10px;\">&#9632;</span>");
    QCOMPARE(bench.view->plotToolTipText(double(sample.time) - 1),
             QStringLiteral("Time=%1<br/>%2 <span>LVL=%3</span><br/>%4 RawLevel=2048<br/>"
                            "%5 Temperature=-15<br/>%6 Frequency=10000")
                 .arg(bench.view->timeToString(double(sample.time)),
                      square.arg(QStringLiteral("#00ff00")),
                      QString::number(double(sample.level), 'g', 6),
                      square.arg(QStringLiteral("transparent")),
                      square.arg(QStringLiteral("#ff0000")),
                      square.arg(QStringLiteral("#0000ff"))));
    QCOMPARE(bench.view->plotToolTipText(double(sample.time)), QStringLiteral("VOID"));

    // Frequency and temperature each read in their own unit where they are drawn.
    QwtPlot* plot = bench.view->plot();
    const auto* scale =
        static_cast<const QwtPlotScaleItem*>(plot->itemList(QwtPlotItem::Rtti_PlotScale).value(0));
    QVERIFY(scale);
    const auto curveNamed = [plot](const QString& title) {
        for (const QwtPlotItem* item : plot->itemList(QwtPlotItem::Rtti_PlotCurve)) {
            if (item->title().text() == title)
                return static_cast<const QwtPlotCurve*>(item);
        }
        return static_cast<const QwtPlotCurve*>(nullptr);
    };
    const QwtPlotCurve* temperature = curveNamed(QStringLiteral("Temperature, °C"));
    const QwtPlotCurve* frequency = curveNamed(QStringLiteral("Frequency, Hz"));
    QVERIFY(temperature && frequency);
    QCOMPARE(frequency->sample(0).y(), 10000.0);
    const QString degree = QStringLiteral("\u202F\u00B0C");
    QCOMPARE(scale->scaleDraw()->label(temperature->sample(0).y()).text(), "-15" + degree);
    const auto ticks = [scale, degree] {
        QStringList labels;
        for (double tick : scale->scaleDiv().ticks(QwtScaleDiv::MajorTick))
            labels << scale->scaleDraw()->label(tick).text().remove(degree);
        return labels;
    };
    QCOMPARE(ticks().constFirst(), QStringLiteral("-20"));
    QCOMPARE(ticks().constLast(), QStringLiteral("40"));
    plot->updateAxes();
    QVERIFY(temperature->sample(0).y() >= plot->axisInterval(QwtPlot::yRight).minValue());

    const QStringList rows = bench.csv().split('\n');
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0], QStringLiteral("Time,Level,RawLevel,Frequency,Temperature,Error,TimeMs"));
    QVERIFY(rows[1].contains(QStringLiteral(",2048,10000,-15,0,")));

    // A warmer sensor keeps the scale down; clearing the plot brings it back.
    bench.feed(dataFrame(20));
    QCOMPARE(ticks().constFirst(), QStringLiteral("-20"));
    bench.view->slotClearPlot();
    QCOMPARE(ticks().constFirst(), QStringLiteral("-10"));
}

// The export writes the readings as the sensor reported them, the rows
// nivelon-cli poll writes: the answer whose scale was not known yet, which the
// plot leaves out, is there, and a failed reading keeps why it failed.
void TestOmniCommSensorWidget::exportWritesEveryReadingAsReported()
{
    Bench bench;
    QList<SensorReading> reported;
    connect(bench.sensor, &BaseSensor::reported,
            [&reported](const SensorReading& reading) { reported << reading; });
    bench.feed(dataFrame(5));
    bench.sensor->slotResetCoolDown();
    bench.engine.slotOnStateCheckTimeout(); // no reply
    bench.sensor->intParameter(OmniCommSensor::DataFormatIndex)->setValue(2);
    bench.feed(dataFrame(6));
    QCOMPARE(reported.size(), 3);
    QCOMPARE(bench.view->queue().size(), 2);

    const ReadingCsv cli(true, nullptr);
    QStringList rows{cli.header()};
    for (const SensorReading& reading : reported)
        rows << cli.row(reading);
    QCOMPARE(bench.csv(), rows.join('\n') + '\n');
    QVERIFY2(rows[1].contains(QStringLiteral(",,2048,10000,5,0,")), qPrintable(rows[1]));
    QCOMPARE(bench.view->recorder()->readings().at(1).error, SensorReading::NoReply);
}

// A modal question runs while the line goes on: the sensor, and with it the
// view, may go before it is answered.
void TestOmniCommSensorWidget::addressDialogOutlivedBySensorSendsNothing()
{
    Bench bench;
    bench.child<QPushButton>("changeAddressButton")->click();
    QPointer<AddressDialog> dialog = bench.view->window()->findChild<AddressDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->labelText().endsWith(QStringLiteral("Allowed: from 0 to 255")));
    QCOMPARE(dialog->intValue(), 1);

    bench.engine.removeSensor(bench.sensor);
    delete bench.sensor;
    QVERIFY(bench.view);
    dialog->setIntValue(7);
    dialog->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!bench.view);
    QVERIFY(!dialog);
    QVERIFY(bench.port.writes.isEmpty());
}

void TestOmniCommSensorWidget::addressOfAnotherSensorIsRefusedUnsent()
{
    Bench bench;
    auto* other = new OmniCommSensor(&bench.engine);
    other->setAddress(2);
    bench.child<QPushButton>("changeAddressButton")->click();
    QPointer<AddressDialog> dialog = bench.view->window()->findChild<AddressDialog*>();
    dialog->setIntValue(2);
    dialog->accept();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->labelText(),
             QStringLiteral("A sensor on this line already has address 2 (0x02).\n"
                            "Choose a free address, or first give that sensor another one.\n"
                            "Address: 2 (0x02)\n"
                            "Allowed: from 0 to 255"));
    QVERIFY(bench.port.writes.isEmpty());

    // A free address goes out.
    dialog->setIntValue(20);
    QCOMPARE(dialog->labelText(), QStringLiteral("Address: 20 (0x14)\nAllowed: from 0 to 255"));
    dialog->setIntValue(3);
    dialog->accept();
    QCOMPARE(bench.port.writes.last().bytes, withCrc(QByteArray::fromHex("31 01 03 03")));
    bench.engine.removeSensor(other);
    delete other;
}

// A basic model's configuration read answered with the extended reply.
void TestOmniCommSensorWidget::wrongModelIsNamed()
{
    Bench bench;
    bench.sensor->requestConfigurationUpdate();
    bench.answer(withCrc(QByteArray::fromHex("3E 01 F5") + QByteArray(20, 0)));
    QCOMPARE(bench.child<FailureStatusLine>("statusLine")->text(),
             QStringLiteral("Configuration read: the sensor at address 1 answers as ZT-41, ZT-42, "
                            "ZT-43 (extended configuration); choose one of those models"));
    bench.feed(dataFrame(20));
    QCOMPARE(bench.child<QLineEdit>("levelLineEdit")->text(), QStringLiteral("\u2014"));
}

void TestOmniCommSensorWidget::failedCommandsAreShown()
{
    Bench bench;
    auto* status = bench.child<FailureStatusLine>("statusLine");
    QVERIFY(status->isHidden());
    bench.sensor->requestSetAddress(7);
    QCOMPARE(bench.port.writes.last().bytes, withCrc(QByteArray::fromHex("31 01 03 07")));
    bench.engine.slotOnStateCheckTimeout();
    QVERIFY(!status->isHidden());
    QCOMPARE(status->text(), QStringLiteral("Address change: Timeout"));
    QVERIFY(bench.log.lines.contains(
        QStringLiteral("Sensors: Sensor 1 (0x01): Address change: Timeout")));

    bench.engine.slotOnStateCheckTimeout();
    bench.sensor->requestConfigurationUpdate();
    bench.engine.slotOnStateCheckTimeout();
    QCOMPARE(status->text(), QStringLiteral("Configuration read: Timeout"));

    // A write the sensor never answers.
    auto* fMax = bench.child<IntSpinBoxParameterWidget>("frequencyMaxWidget");
    bench.engine.slotOnStateCheckTimeout();
    fMax->setEditVariantValue(17000);
    fMax->slotAcceptClicked();
    bench.engine.slotOnStateCheckTimeout();
    QCOMPARE(status->text(), QStringLiteral("FMax 17000 not written: Timeout"));
}

// Each editor is wider than the display it replaces; the window, shown at its
// smallest, must not grow with them.
void TestOmniCommSensorWidget::editingKeepsTheWindowWidth()
{
    Bench bench;
    bench.view->show();
    bench.view->resize(bench.view->minimumSizeHint());
    QVERIFY(QTest::qWaitForWindowExposed(bench.view));
    // Small enough for a small screen with the window around it (the readings
    // carry their units), and nothing is squeezed below its own least size.
    QVERIFY2(bench.view->width() <= 850, qPrintable(QString::number(bench.view->width())));
    // The editors hold one digit beyond their range, so that a number typed one
    // digit too long is refused as typed rather than cut.
    // The plot lays its right axis out itself, a little inside the axis's own
    // hint once that reads in hertz; its labels still show whole.
    const QWidget* rightAxis = bench.view->plot()->axisWidget(QwtPlot::yRight);
    for (const QWidget* field : bench.view->findChildren<QWidget*>()) {
        if (field != rightAxis && field->isVisible() &&
            field->width() < field->minimumSizeHint().width())
            QFAIL(qPrintable(field->objectName() + QStringLiteral(" is cut: %1 of %2")
                                                       .arg(field->width())
                                                       .arg(field->minimumSizeHint().width())));
    }
    // The readings keep room for their widest values ("Не опре", "476" were seen).
    const QList<QPair<const char*, QString>> widest{{"rawLevelLineEdit", "8191"},
                                                    {"frequencyLineEdit", "65535"},
                                                    {"levelLineEdit", "100.00"},
                                                    {"temperatureLineEdit", "-128"}};
    for (const auto& [name, text] : widest) {
        auto* value = bench.child<QLineEdit>(name);
        QVERIFY2(value->width() >= value->fontMetrics().horizontalAdvance(text), name);
    }
    const int width = bench.view->window()->width();
    for (int round = 0; round < 3; ++round) {
        for (ParameterWidget* widget : bench.view->findChildren<ParameterWidget*>()) {
            QMetaObject::invokeMethod(widget, "slotEditClicked");
            QCoreApplication::processEvents();
            QCOMPARE(bench.view->window()->width(), width);
            QMetaObject::invokeMethod(widget, "slotRevertClicked");
        }
    }
}

int main(int argc, char* argv[])
{
    // Room for the service flag after the arguments given.
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    arguments.push_back(nullptr);
    g_argc = argc;
    g_argv = arguments.data();
    QApplication app(g_argc, g_argv);
    TestOmniCommSensorWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_omnicommsensorwidget.moc"

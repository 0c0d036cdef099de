#include "engine/basesensor.h"
#include "plot/samplepoints.h"
#include "plot/timescaledraw.h"
#include "port/scriptedserialport.h"
#include "protocols/tbus/tbusengine.h"
#include "protocols/tbus/tbussensor.h"
#include "settings/settingskeys.h"
#include "support/fakeprotocol.h"
#include "views/lastfolder.h"
#include "views/plotsensorwidget.h"
#include "views/plotsettingsdialog.h"
#include "views/sensorviewregistry.h"
#include "views/sensorviews.h"
#include "views/tbussensorwidget.h"

#include <QAction>
#include <QComboBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>
#include <csignal>
#include <qwt_abstract_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class LevelSensor;

SensorReading levelReading(qint64 timeMs, float level, bool failed = false)
{
    SensorReading reading;
    reading.timeMs = timeMs;
    reading.error = failed ? SensorReading::NoReply : SensorReading::NoError;
    reading.level = level;
    reading.rawLevel = failed ? 0 : int(level * 100);
    return reading;
}

// The smallest concrete view: a level plot over level samples.
class LevelView : public PlotSensorWidget<LevelSamplePoint>
{
public:
    explicit LevelView(BaseSensor* sensor)
        : PlotSensorWidget(sensor, nullptr, 10000)
        , plotWidget(new QwtPlot(this))
        , bar(new QProgressBar(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(plotWidget);
        layout->addWidget(bar);
        initPlot(plotWidget);
        initLevelCurve(levelSeries());
        initErrorCurve(errorSeries());
        applyLevelStyle(bar);
    }

    void updateFeatures() override {}
    void showReading(const SensorReading&) override
    {
        const KtParameter* level = baseSensor()->parameter(0);
        appendSample({nextTime, level->variantValue().toFloat(), 0, !level->isValid()});
        nextTime += 20;
    }
    QString plotToolTipText(double time) override
    {
        const LevelSamplePoint* s = sampleAfter(time);
        return s ? QString::number(s->time) : QStringLiteral("VOID");
    }
    void savePlotDataImpl(QTextStream& stream) override { recorder()->writeCsv(stream, false); }
    void append(qint64 time, float level, bool error = false)
    {
        appendSample({time, level, quint16(level * 100), error});
    }

    QwtPlot* plotWidget;
    QProgressBar* bar;
    qint64 nextTime = 1000000;
};

// Gets the view of the class it derives from.
class CustomTBusSensor : public TBusSensor
{
    Q_OBJECT
public:
    using TBusSensor::TBusSensor;
};

class LevelSensor : public BaseSensor
{
    Q_OBJECT
public:
    LevelSensor()
        : BaseSensor(nullptr)
    {}
    void deinit() override {}
    void reportReading(const SensorReading& reading = SensorReading()) { report(reading); }
};

// Counts the canvas redraws.
class DrawCounter : public QwtPlotItem
{
public:
    void draw(QPainter*, const QwtScaleMap&, const QwtScaleMap&, const QRectF&) const override
    {
        ++draws;
    }
    mutable int draws = 0;
};

QString readAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& fileName, const QByteArray& data)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

class TestSensorWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        registerSensorViews();
        SensorViewRegistry::add(LevelSensor::staticMetaObject,
                                [](BaseSensor* sensor) { return new LevelView(sensor); });
    }
    void init() { QSettings().clear(); }
    void settingsDefaultsAndLimits();
    void viewsComeFromTheRegistry();
    void storedPlotSettingsAreChecked_data();
    void storedPlotSettingsAreChecked();
    void compactRestoresTheRecordedAxes();
    void updatesAreCoalescedAndFollowed();
    void hiddenTabsWaitUntilShown();
    void lineStatisticsLineAndReset();
    void tooltipAndFollowing();
    void timeLabelsDoNotOverlap_data();
    void timeLabelsDoNotOverlap();
    void csvExport();
    void failedExportKeepsTheEarlierFile();
};

void TestSensorWidget::settingsDefaultsAndLimits()
{
    LevelSensor sensor;
    std::unique_ptr<SensorWidget> created(SensorViewRegistry::create(&sensor));
    auto* view = static_cast<LevelView*>(created.get());
    QCOMPARE(view->maximumPlotSize(), 0);
    QCOMPARE(view->timeScaleDraw()->format(), QStringLiteral("mm:ss"));
    QCOMPARE(view->levelCurve()->style(), QwtPlotCurve::Steps);
    QCOMPARE(view->levelCurve()->pen(),
             QPen(QBrush(Qt::green), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    QCOMPARE(view->errorCurve()->pen(),
             QPen(QBrush(Qt::magenta), 2, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    QCOMPARE(view->plotWidget->canvasBackground().color(), view->palette().color(QPalette::Window));
    QVERIFY(!view->levelSeries()->rawFormat());

    for (int i = 0; i < 1000; ++i)
        view->append(i, 1);
    QSettings settings;
    settings.setValue("Plot/MaximumSize", 100);
    settings.setValue("Plot/LevelFormat", 1);
    settings.setValue("Plot/LevelColor", "not a colour");
    view->updatePlotSettings();
    QCOMPARE(view->queue().size(), 100);
    QCOMPARE(view->queue().at(0).time, qint64(900));
    QVERIFY(view->levelSeries()->rawFormat());
    QVERIFY(!view->errorSeries()->rawFormat());
    QVERIFY(!view->levelCurve()->pen().color().isValid());
}

void TestSensorWidget::viewsComeFromTheRegistry()
{
    FakeEngine fakeEngine;
    FakeSensor unregistered(&fakeEngine, 1);
    QVERIFY(!SensorViewRegistry::create(&unregistered));

    TBusEngine engine(0);
    CustomTBusSensor derived(&engine);
    std::unique_ptr<SensorWidget> view(SensorViewRegistry::create(&derived));
    QVERIFY(qobject_cast<TBusSensorWidget*>(view.get()));
}

void TestSensorWidget::storedPlotSettingsAreChecked_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("maximumSize");
    QTest::addColumn<QString>("timeFormat");
    QTest::addColumn<int>("levelStyle");
    QTest::addColumn<int>("levelWidth");
    const QString f = QStringLiteral("mm:ss");
    QTest::newRow("limit") << "MaximumSize" << QVariant(50) << 50 << f << 2 << 2;
    QTest::newRow("negative limit") << "MaximumSize" << QVariant(-5) << 0 << f << 2 << 2;
    QTest::newRow("limit not a number") << "MaximumSize" << QVariant("many") << 0 << f << 2 << 2;
    QTest::newRow("format") << "TimeFormat" << QVariant("hh:mm") << 0 << "hh:mm" << 2 << 2;
    QTest::newRow("empty format") << "TimeFormat" << QVariant("") << 0 << f << 2 << 2;
    QTest::newRow("no curve") << "LevelStyle" << QVariant(-1) << 0 << f << -1 << 2;
    QTest::newRow("unknown style") << "LevelStyle" << QVariant(9) << 0 << f << 2 << 2;
    QTest::newRow("width") << "LevelWidth" << QVariant(7) << 0 << f << 2 << 7;
    QTest::newRow("negative width") << "LevelWidth" << QVariant(-1) << 0 << f << 2 << 2;
    QTest::newRow("huge width") << "LevelWidth" << QVariant(500) << 0 << f << 2 << 2;
}

void TestSensorWidget::storedPlotSettingsAreChecked()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QSettings().setValue(QStringLiteral("Plot/") + key, stored);
    LevelSensor sensor;
    std::unique_ptr<SensorWidget> view(SensorViewRegistry::create(&sensor));
    QTEST(view->maximumPlotSize(), "maximumSize");
    QTEST(view->timeScaleDraw()->format(), "timeFormat");
    QTEST(int(view->levelCurve()->style()), "levelStyle");
    QTEST(view->levelCurve()->pen().width(), "levelWidth");
}

void TestSensorWidget::compactRestoresTheRecordedAxes()
{
    LevelSensor sensor;
    LevelView view(&sensor);
    view.plotWidget->enableAxis(QwtPlot::yRight);
    view.updatePlotSettings();
    view.plotWidget->enableAxis(QwtPlot::xTop);
    view.setCompactPlot(true);
    for (int axis = 0; axis < QwtPlot::axisCnt; ++axis)
        QVERIFY(!view.plotWidget->axisEnabled(axis));
    QVERIFY(view.plotWidget->legend()->isHidden());
    view.setCompactPlot(false);
    QVERIFY(!view.plotWidget->legend()->isHidden());
    QVERIFY(view.plotWidget->axisEnabled(QwtPlot::yLeft));
    QVERIFY(view.plotWidget->axisEnabled(QwtPlot::yRight));
    QVERIFY(view.plotWidget->axisEnabled(QwtPlot::xBottom));
    QVERIFY(!view.plotWidget->axisEnabled(QwtPlot::xTop));

    QSettings().setValue("Plot/CompactPlot", true);
    view.updatePlotSettings();
    QVERIFY(!view.plotWidget->axisEnabled(QwtPlot::yLeft));
}

void TestSensorWidget::updatesAreCoalescedAndFollowed()
{
    LevelSensor sensor;
    LevelView view(&sensor);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* counter = new DrawCounter;
    counter->attach(view.plotWidget);
    view.plotWidget->setAxisScale(QwtPlot::xBottom, 0, 5000);
    view.plotWidget->replot();
    QCoreApplication::processEvents();
    counter->draws = 0;

    for (int i = 0; i < 10; ++i) {
        sensor.floatParameter(0)->setValue(10.0f * i);
        sensor.reportReading();
    }
    QCOMPARE(view.queue().size(), 10);
    QVERIFY(view.replotTimer()->isActive());
    QCOMPARE(counter->draws, 0);
    view.slotReplot();
    QCoreApplication::processEvents();
    QCOMPARE(counter->draws, 1);
    QVERIFY(!view.replotTimer()->isActive());
    // The width stays, the newest sample sits at the right edge.
    const QwtInterval shown = view.plotWidget->axisInterval(QwtPlot::xBottom);
    QCOMPARE(shown.maxValue(), 1000180.0);
    QCOMPARE(shown.width(), 5000.0);
}

// A tab behind another draws nothing until it is shown; the plot still lays
// itself out anew where the axes need more room.
void TestSensorWidget::hiddenTabsWaitUntilShown()
{
    ScriptedSerialPort port;
    FakeEngine engine;
    engine.setPort(&port);
    engine.setAutoDetectSensorsEnabled(false);
    FakeSensor sensor(&engine, 1);
    QTabWidget tabs;
    auto* view = new LevelView(&sensor);
    tabs.addTab(new QWidget, QStringLiteral("front"));
    tabs.addTab(view, QStringLiteral("view"));
    tabs.resize(600, 400);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    auto* counter = new DrawCounter;
    counter->attach(view->plotWidget);
    counter->draws = 0;

    view->append(2000000, 50);
    sensor.update();
    // Its readings arm no timer that would wake the window for nothing.
    QVERIFY(!view->replotTimer()->isActive());
    QVERIFY(!view->statisticsTimer()->isActive());
    view->slotReplot();
    view->slotShowLineStatistics();
    QCoreApplication::processEvents();
    QCOMPARE(counter->draws, 0);
    QVERIFY(view->plotWidget->footer().isEmpty());

    tabs.setCurrentWidget(view);
    QCoreApplication::processEvents();
    QVERIFY(counter->draws >= 1);
    QCOMPARE(view->plotWidget->axisInterval(QwtPlot::xBottom).maxValue(), 2000000.0);
    QVERIFY(!view->plotWidget->footer().isEmpty());

    const int canvasLeft = view->plotWidget->canvas()->x();
    view->plotWidget->setAxisScale(QwtPlot::yLeft, 0, 1e9);
    view->plotWidget->replot();
    QCoreApplication::sendPostedEvents();
    QVERIFY(view->plotWidget->canvas()->x() > canvasLeft);
}

// The status line follows the exchanges at most once a second.
void TestSensorWidget::lineStatisticsLineAndReset()
{
    ScriptedSerialPort port;
    FakeEngine engine;
    engine.setPort(&port);
    engine.setAutoDetectSensorsEnabled(false);
    FakeSensor sensor(&engine, 1);
    LevelView view(&sensor);
    engine.resetStateMachine();
    engine.slotOnStateCheckTimeout();
    port.feed(port.writes.last().bytes);
    engine.slotOnStateCheckTimeout();
    sensor.slotResetCoolDown();       // polls again at once
    engine.slotOnStateCheckTimeout(); // no reply this time
    sensor.update();
    QVERIFY(view.statisticsTimer()->isActive());
    QCOMPARE(view.statisticsTimer()->interval(), 1000);
    QVERIFY(view.plotWidget->footer().isEmpty());
    view.slotShowLineStatistics();
    QVERIFY2(view.plotWidget->footer().text().startsWith("Exchanges 2, ok 1, time-outs 1,"),
             qPrintable(view.plotWidget->footer().text()));

    QAction* reset = view.plotWidget->actions().last();
    QCOMPARE(reset->text(), QString("Reset statistics"));
    reset->trigger();
    QCOMPARE(sensor.lineStatistics().exchanges, 0u);
    QVERIFY(view.plotWidget->footer().text().startsWith("Exchanges 0,"));
    engine.deinit();
}

void TestSensorWidget::tooltipAndFollowing()
{
    LevelSensor sensor;
    LevelView view(&sensor);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.plotToolTip(QPoint(10, 10)).isEmpty());
    for (int i = 0; i < 20; ++i)
        view.append(10000 + i * 1000, 50);
    view.plotWidget->setAxisScale(QwtPlot::xBottom, 0, 40000);
    view.plotWidget->replot();
    const QwtScaleMap map = view.plotWidget->canvasMap(QwtPlot::xBottom);
    QVERIFY(view.plotToolTip(QPoint(int(map.transform(9000)), 10)).isEmpty());
    QCOMPARE(view.plotToolTip(QPoint(int(map.transform(12500)), 10)), QStringLiteral("13000"));
    QCOMPARE(view.plotToolTip(QPoint(int(map.transform(35000)), 10)), QStringLiteral("VOID"));

    // Not following is said on the canvas.
    const auto followOffShown = [&view] {
        return !view.plotWidget->itemList(QwtPlotItem::Rtti_PlotTextLabel).isEmpty();
    };
    QVERIFY(!followOffShown());
    QTest::mousePress(view.plotWidget->canvas(), Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(!view.followPlotEnabled());
    QVERIFY(followOffShown());
    view.slotReplot();
    QCOMPARE(view.plotWidget->axisInterval(QwtPlot::xBottom).maxValue(), 40000.0);
    view.setFollowPlotEnabled(true);
    QVERIFY(!followOffShown());
    view.slotReplot();
    QCOMPARE(view.plotWidget->axisInterval(QwtPlot::xBottom).maxValue(), 29000.0);
}

void TestSensorWidget::timeLabelsDoNotOverlap_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("span");
    PlotSettingsDialog dialog(nullptr);
    const auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("timeFormatEdit"));
    QVERIFY(formats->count() > 0);
    for (int i = 0; i < formats->count(); ++i) {
        for (double seconds : {2.0, 60.0, 3600.0, 3 * 86400.0})
            QTest::addRow("%s over %.0f s", qPrintable(formats->itemText(i)), seconds)
                << formats->itemText(i) << seconds * 1000;
    }
}

// Each label of the time axis keeps clear of the next, and there are at least
// two to read the scale by.
void TestSensorWidget::timeLabelsDoNotOverlap()
{
    QFETCH(QString, format);
    QFETCH(double, span);
    QSettings().setValue(QStringLiteral("Plot/TimeFormat"), format);
    LevelSensor sensor;
    std::unique_ptr<SensorWidget> view(SensorViewRegistry::create(&sensor));
    view->resize(600, 400);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    QwtPlot* plot = view->plot();
    const double end =
        double(QDateTime(QDate(2026, 3, 7), QTime(18, 41, 17, 345)).toMSecsSinceEpoch());
    plot->setAxisScale(QwtPlot::xBottom, end - span, end);
    plot->replot();

    const QwtScaleDraw* draw = plot->axisScaleDraw(QwtPlot::xBottom);
    const QFont font = plot->axisWidget(QwtPlot::xBottom)->font();
    const QList<double> ticks = plot->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick);
    QVERIFY2(ticks.size() >= 2, qPrintable(QString::number(ticks.size())));
    double previousEnd = -1e9;
    for (double tick : ticks) {
        const double half = draw->labelSize(font, tick).width() / 2;
        const double centre = draw->scaleMap().transform(tick);
        QVERIFY2(centre - half > previousEnd,
                 qPrintable(draw->label(tick).text() + QStringLiteral(" overlaps its neighbour")));
        previousEnd = centre + half;
    }
}

void TestSensorWidget::csvExport()
{
    QTemporaryDir dir;
    LevelSensor sensor;
    sensor.setAddress(20);
    LevelView view(&sensor);
    view.setModelName(QStringLiteral("ZT-32"));
    const QString fileName = dir.filePath("plot.csv");
    QString error;
    QVERIFY(view.savePlotData(fileName, &error));
    QCOMPARE(readAll(fileName), QStringLiteral("Time,Level,RawLevel,Error,TimeMs\n"));
    // The next save starts where this one went, with a name of its own.
    QCOMPARE(LastFolder::of(SettingsKeys::PlotDataFolder), dir.path());
    const QRegularExpression suggested(R"(^ZT-32_20_\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.csv$)");
    QVERIFY2(suggested.match(view.suggestedFileName()).hasMatch(),
             qPrintable(view.suggestedFileName()));

    const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9, 450));
    sensor.reportReading(levelReading(at.toMSecsSinceEpoch(), 42.5f));
    sensor.reportReading(levelReading(at.toMSecsSinceEpoch() + 20, 0, true));
    QVERIFY(view.savePlotData(fileName, &error));
    const QString ms = QString::number(at.toMSecsSinceEpoch());
    QCOMPARE(readAll(fileName), QStringLiteral("Time,Level,RawLevel,Error,TimeMs\n"
                                               "2024-05-06T07:08:09,4250,4250,0,%1\n"
                                               "2024-05-06T07:08:09,0,0,1,%2\n")
                                    .arg(ms, QString::number(at.toMSecsSinceEpoch() + 20)));
    // It keeps what the plot keeps: as many of the newest, nothing once cleared.
    view.setMaximumPlotSize(1);
    QVERIFY(view.savePlotData(fileName, &error));
    QCOMPARE(readAll(fileName).count('\n'), 2);
    const QString last = ",1," + QString::number(at.toMSecsSinceEpoch() + 20) + '\n';
    QVERIFY(readAll(fileName).endsWith(last));
    view.slotClearPlot();
    QVERIFY(view.savePlotData(fileName, &error));
    QCOMPARE(readAll(fileName), QStringLiteral("Time,Level,RawLevel,Error,TimeMs\n"));

    QVERIFY(!view.savePlotData(dir.filePath("missing/plot.csv"), &error));
    QCOMPARE(error, "cannot write " + dir.filePath("missing/plot.csv") +
                        ": No such file or directory");
    // A device is never replaced by a file.
    QVERIFY(!view.savePlotData("/dev/full", &error));
    QCOMPARE(error, QStringLiteral("cannot write /dev/full: not a regular file (a device or a pipe)"));
    QVERIFY(!QFileInfo("/dev/full").isFile());
}

void TestSensorWidget::failedExportKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    LevelSensor sensor;
    LevelView view(&sensor);
    for (int i = 0; i < 5000; ++i)
        sensor.reportReading(levelReading(1700000000000 + i, 12.5));
    const QString fileName = dir.filePath("plot.csv");
    writeFile(fileName, "earlier\n");
    QString error;

    // A file size limit makes the disk "full" after 4 KiB.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = view.savePlotData(fileName, &error);
    setrlimit(RLIMIT_FSIZE, &limit);
    QVERIFY(!saved);
    QCOMPARE(error, "cannot write " + fileName + ": File too large");
    QCOMPARE(readAll(fileName), QStringLiteral("earlier\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"plot.csv"});

    if (geteuid() == 0)
        QSKIP("Permissions do not bind the superuser");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(!view.savePlotData(fileName, &error));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(error, "cannot write " + fileName + ": Permission denied");
    QCOMPARE(readAll(fileName), QStringLiteral("earlier\n"));
}

QTEST_MAIN(TestSensorWidget)
#include "tst_sensorwidget.moc"

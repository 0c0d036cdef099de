#include "views/sensorwidget.h"

#include "engine/basesensor.h"
#include "engine/readingrecorder.h"
#include "engine/serialsensor.h"
#include "files/wholefile.h"
#include "log/logger.h"
#include "log/sensorevents.h"
#include "parameters/parameterwidget.h"
#include "plot/plotsettings.h"
#include "plot/timescaledraw.h"
#include "plot/timescaleengine.h"
#include "record/commissioningrecord.h"
#include "settings/settingskeys.h"
#include "views/failurestatusline.h"
#include "views/lastfolder.h"
#include "views/tanklitresfield.h"

#include <QAction>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStyle>
#include <QTextStream>
#include <QToolTip>
#include <algorithm>
#include <memory>
#include <utility>
#include <qwt_abstract_legend.h>
#include <qwt_legend.h>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_magnifier.h>
#include <qwt_plot_panner.h>
#include <qwt_scale_widget.h>
#include <qwt_text_label.h>

namespace {

constexpr int ReplotIntervalMs = 200;
constexpr int StatisticsIntervalMs = 1000;
// Readings come faster than anyone reads a number: the fields change with the
// plot's frame, and both are painted in one pass.
constexpr int FrameIntervalMs = ReplotIntervalMs;
// Polls of several sensors and detection probes share the line, so a sensor
// may wait some polls of others between two of its own.
constexpr int SilentPolls = 3;
constexpr int MinimumSilenceMs = 2000;
constexpr qint64 DefaultVisibleMs = 60000;
const int Axes[] = {QwtPlot::yLeft, QwtPlot::yRight, QwtPlot::xBottom, QwtPlot::xTop};

} // namespace

SensorWidget::SensorWidget(BaseSensor* sensor, QWidget* parent)
    : QWidget(parent)
    , m_sensor(sensor)
    , m_recorder(new ReadingRecorder(sensor, this))
    , m_timeScaleDraw(new TimeScaleDraw)
    , m_recordAction(new QAction(tr("Commissioning record..."), this))
{
    connect(m_recordAction, &QAction::triggered, this, &SensorWidget::recordRequested);
    m_sensorActions.append(m_recordAction);
    connect(sensor, &BaseSensor::reported, this, &SensorWidget::showReading);
    connect(sensor, &BaseSensor::addressChanged, this, &SensorWidget::addressChanged);
    connect(sensor, &QObject::destroyed, this, &QObject::deleteLater);
    m_replotTimer.setInterval(ReplotIntervalMs);
    connect(&m_replotTimer, &QTimer::timeout, this, &SensorWidget::slotReplot);
    m_fieldsTimer.setSingleShot(true);
    m_fieldsTimer.setInterval(FrameIntervalMs);
    connect(&m_fieldsTimer, &QTimer::timeout, this, &SensorWidget::slotShowFields);
    // Every exchange ends in an update; the status line follows at most once a second.
    m_statisticsTimer.setSingleShot(true);
    m_statisticsTimer.setInterval(StatisticsIntervalMs);
    connect(&m_statisticsTimer, &QTimer::timeout, this, &SensorWidget::slotShowLineStatistics);
    connect(sensor, &BaseSensor::updated, &m_statisticsTimer, [this] {
        if (isHiddenTab())
            m_redrawWhenShown = true;
        else if (!m_statisticsTimer.isActive())
            m_statisticsTimer.start();
    });
    m_replyWatch.setHeardSource([this] {
        const auto* serial = qobject_cast<const SerialSensor*>(m_sensor.data());
        return serial ? serial->lineStatistics().lastHeardMs : 0;
    });
    connect(&m_replyWatch, &ReplyWatch::staleChanged, this, &SensorWidget::showReplyStatus);
    connect(&m_replyWatch, &ReplyWatch::staleChanged, this, &SensorWidget::recordReplyChange);
    connect(sensor, &BaseSensor::updated, this, &SensorWidget::slotCheckReplies);
    slotCheckReplies();
}

SensorWidget::~SensorWidget()
{
    Logger::debug("Destruction", "SensorWidget %s", objectName().toLocal8Bit().constData());
    if (!m_plot)
        delete m_timeScaleDraw;
}

QString SensorWidget::plotToolTipText(double)
{
    return tr("STUB");
}

QList<ShownValue> SensorWidget::shownConfiguration() const
{
    return {};
}

int SensorWidget::replyIntervalMs() const
{
    const auto* sensor = qobject_cast<const SerialSensor*>(m_sensor.data());
    return sensor ? sensor->queryInterval() : 0;
}

int SensorWidget::silenceMs() const
{
    return std::max(MinimumSilenceMs, SilentPolls * replyIntervalMs());
}

void SensorWidget::bindParameterWidget(ParameterWidget* widget, int id)
{
    widget->bindSensorParameter(m_sensor, id);
}

void SensorWidget::clearPlot() {}

void SensorWidget::updatePlotSettingsImpl(const PlotSettings&) {}

void SensorWidget::savePlotDataImpl(QTextStream&)
{
    qDebug("TODO");
}

void SensorWidget::initPlot(QwtPlot* plot)
{
    m_plot = plot;
    QWidget* canvas = plot->canvas();
    auto* magnifier = new QwtPlotMagnifier(canvas);
    auto* panner = new QwtPlotPanner(canvas);
    panner->setOrientations(Qt::Horizontal);
    for (int axis : {QwtPlot::yLeft, QwtPlot::yRight}) {
        magnifier->setAxisEnabled(axis, false);
        panner->setAxisEnabled(axis, false);
    }
    canvas->installEventFilter(this);
    canvas->setMouseTracking(true);
    plot->installEventFilter(this);

    QwtText timeTitle(tr("Time"), QwtText::PlainText);
    timeTitle.setRenderFlags(Qt::AlignRight | Qt::AlignVCenter);
    plot->setAxisTitle(QwtPlot::xBottom, timeTitle);
    plot->setAxisTitle(QwtPlot::yLeft, tr("Level %"));
    plot->setAxisScale(QwtPlot::yLeft, 0, 100);

    m_grid.setAxes(QwtPlot::xBottom, QwtPlot::yLeft);
    m_grid.setMajorPen(QPen(Qt::gray));
    m_grid.attach(plot);

    plot->setAxisScaleDraw(QwtPlot::xBottom, m_timeScaleDraw);
    plot->setAxisScaleEngine(QwtPlot::xBottom, new TimeScaleEngine);
    const double now = double(QDateTime::currentMSecsSinceEpoch());
    plot->setAxisScale(QwtPlot::xBottom, now - DefaultVisibleMs, now);
    setTimeAxisEndDistance(plot->axisWidget(QwtPlot::xBottom)
                               ->fontMetrics()
                               .horizontalAdvance(m_timeScaleDraw->format()));
    plot->insertLegend(new QwtLegend, QwtPlot::TopLegend);
    QwtText followOff(tr("Follow is off"));
    followOff.setRenderFlags(Qt::AlignTop | Qt::AlignRight);
    followOff.setColor(Qt::darkGray);
    m_followOffLabel.setText(followOff);
    m_followOffLabel.setMargin(4);
    m_followOffLabel.setZ(100);
    addPlotActions();
}

void SensorWidget::addPlotActions()
{
    m_plot->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clear = new QAction(tr("Clear"), this);
    connect(clear, &QAction::triggered, this, &SensorWidget::slotClearPlot);
    auto* compact = new QAction(tr("Compact"), this);
    compact->setCheckable(true);
    connect(compact, &QAction::triggered, this, &SensorWidget::setCompactPlot);
    m_followAction = new QAction(tr("Follow"), this);
    m_followAction->setCheckable(true);
    m_followAction->setChecked(true);
    connect(m_followAction, &QAction::triggered, this, &SensorWidget::setFollowPlotEnabled);
    auto* save = new QAction(tr("Save.."), this);
    connect(save, &QAction::triggered, this, &SensorWidget::slotSavePlotData);
    auto* resetStatistics = new QAction(tr("Reset statistics"), this);
    connect(resetStatistics, &QAction::triggered, this, &SensorWidget::slotResetLineStatistics);
    auto* settings = new QAction(tr("Plot settings..."), this);
    connect(settings, &QAction::triggered, this, &SensorWidget::plotSettingsRequested);
    m_plot->addActions({clear, compact, m_followAction, save, settings, resetStatistics});
}

void SensorWidget::setSensorActions(const QList<QAction*>& actions)
{
    m_sensorActions = actions + QList<QAction*>{m_recordAction};
}

void SensorWidget::slotShowLineStatistics()
{
    if (isHiddenTab()) {
        m_redrawWhenShown = true;
        return;
    }
    const auto* sensor = qobject_cast<const SerialSensor*>(m_sensor.data());
    if (!m_plot || !sensor)
        return;
    const QString text = sensor->lineStatistics().toString(QLocale());
    // A footer that only changes its words keeps its line: no new layout.
    if (m_plot->footer().isEmpty() || text.isEmpty())
        m_plot->setFooter(text);
    else if (m_plot->footer().text() != text)
        m_plot->footerLabel()->setText(text);
}

void SensorWidget::slotResetLineStatistics()
{
    if (auto* sensor = qobject_cast<SerialSensor*>(m_sensor.data()))
        sensor->resetLineStatistics();
    slotShowLineStatistics();
}

void SensorWidget::initReplyStatus(QLabel* line, const QList<QWidget*>& valueFields)
{
    m_replyStatus = line;
    m_valueFields = valueFields;
    line->setStyleSheet(QStringLiteral("color: #a05a00;"));
    line->setWordWrap(true);
    showReplyStatus();
}

void SensorWidget::slotLineLost(const QString& message)
{
    m_lineLost = message;
    showReplyStatus();
}

void SensorWidget::slotLineRestored()
{
    m_lineLost.clear();
    showReplyStatus();
}

void SensorWidget::slotCheckReplies()
{
    m_replyWatch.setSilenceMs(silenceMs());
    m_replyWatch.slotCheck();
}

void SensorWidget::recordReplyChange(bool stale)
{
    if (!m_sensor)
        return;
    SensorEvents::record(m_sensor->address(),
                         stale ? tr("lost: %1").arg(noReplyText()) : tr("answers again"));
    emit silenceChanged(stale ? tr("Sensor %1: %2").arg(m_sensor->address()).arg(noReplyText())
                              : QString());
}

QString SensorWidget::noReplyText() const
{
    if (m_replyWatch.lastHeard() <= 0)
        return tr("no reply yet");
    return tr("no reply since %1")
        .arg(QDateTime::fromMSecsSinceEpoch(m_replyWatch.lastHeard())
                 .toString(QStringLiteral("HH:mm:ss")));
}

void SensorWidget::showReplyStatus()
{
    const bool stale = m_replyWatch.isStale();
    // A lost line and a silent sensor look alike: nothing shown is fresh.
    for (QWidget* field : qAsConst(m_valueFields))
        field->setEnabled(!stale && m_lineLost.isEmpty());
    if (!m_replyStatus)
        return;
    QStringList lines;
    if (!m_lineLost.isEmpty())
        lines.append(m_lineLost);
    if (stale)
        lines.append(tr("%1; the values shown are from then").arg(noReplyText()));
    m_replyStatus->setText(lines.join(QLatin1Char('\n')));
    m_replyStatus->setVisible(!lines.isEmpty());
}

void SensorWidget::setTimeAxisEndDistance(int distance)
{
    m_plot->axisWidget(QwtPlot::xBottom)->setMinBorderDist(0, distance);
}

// As many major steps as labels of the stored format fit side by side, with
// two characters between them; the time scale engine rounds the step up.
void SensorWidget::fitTimeLabels()
{
    if (!m_plot)
        return;
    const QFont font = m_plot->axisWidget(QwtPlot::xBottom)->font();
    const int room = m_timeScaleDraw->widestLabel(font) + 2 * QFontMetrics(font).averageCharWidth();
    const int steps = std::max(1, m_plot->canvas()->contentsRect().width() / std::max(1, room));
    if (m_plot->axisMaxMajor(QwtPlot::xBottom) != steps)
        m_plot->setAxisMaxMajor(QwtPlot::xBottom, steps);
}

QwtPlotCurve* SensorWidget::initLevelCurve(QwtSeriesData<QPointF>* series)
{
    m_levelCurve.setTitle(tr("Level"));
    return initCurve(&m_levelCurve, series);
}

QwtPlotCurve* SensorWidget::initErrorCurve(QwtSeriesData<QPointF>* series)
{
    m_errorCurve.setTitle(tr("Error"));
    return initCurve(&m_errorCurve, series);
}

QwtPlotCurve* SensorWidget::initCurve(QwtPlotCurve* curve, QwtSeriesData<QPointF>* series)
{
    if (curve->data() != series) {
        curve->setData(series);
        curve->itemChanged();
    }
    curve->setLegendAttribute(QwtPlotCurve::LegendShowLine);
    curve->attach(m_plot);
    return curve;
}

void SensorWidget::applyLevelStyle(QProgressBar* bar)
{
    // Grey while the sensor is silent, as the value fields are. A chunk without
    // a size is one rectangle: the same pixels as chunks of one pixel each,
    // without painting every pixel column on its own at each reading.
    bar->setStyleSheet(
        QStringLiteral("QProgressBar::chunk { background-color: blue; } "
                       "QProgressBar::chunk:disabled { background-color: gray; } "
                       "QProgressBar { background-color:white; border: 1px solid black; }"));
    bar->setFormat(QString());
    bar->setValue(0);
    m_levelBar = bar;
}

// The level is in percent; a bar may count finer.
void SensorWidget::showLevel(QProgressBar* bar, float level)
{
    bar->setValue(int(level * float(bar->maximum()) / 100.0f));
}

QString SensorWidget::rawLevelText(const SensorReading& reading)
{
    return reading.answered() ? QString::number(reading.rawLevel) : QString();
}

void SensorWidget::fitValueField(QLineEdit* field, const QString& widest)
{
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    const QMargins margins = field->textMargins();
    // A line edit keeps 2 px of its own either side of the text, inside the frame.
    const int innerMargin = 2;
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) +
                           2 * (frame + innerMargin) + margins.left() + margins.right());
}

void SensorWidget::addUnit(QLineEdit* field, const QString& unit)
{
    QWidget* parent = field->parentWidget();
    if (!parent)
        return;
    for (QBoxLayout* row : parent->findChildren<QBoxLayout*>()) {
        const int at = row->indexOf(field);
        if (at >= 0) {
            row->insertWidget(at + 1, new QLabel(unit, parent));
            return;
        }
    }
}

void SensorWidget::initLevelFields(QGridLayout* form, QLineEdit* raw, QLineEdit* percent)
{
    fitValueField(raw, QStringLiteral("65535"));
    fitValueField(percent, QStringLiteral("100.00"));
    form->addWidget(new TankLitresField(m_sensor, this), form->rowCount(), 0, 1, -1);
}

void SensorWidget::showLevelTexts(const SensorReading& reading, QLineEdit* raw, QLineEdit* percent)
{
    showText(raw, rawLevelText(reading));
    showText(percent, levelText(reading));
}

// Setting a line edit's text repaints it and what lies under it even when
// nothing changed, as a slowly drifting temperature does at most readings.
void SensorWidget::showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void SensorWidget::showFields(const SensorReading&) {}

void SensorWidget::paceFields(const SensorReading& reading)
{
    // Without a reply the last reading stays, greyed once the sensor counts as silent.
    if (!reading.answered())
        return;
    m_fieldsReading = reading;
    m_fieldsPending = true;
    // The bar keeps the last level known, which a later failed answer leaves be.
    if (reading.hasLevel()) {
        m_barLevel = reading.level;
        m_barPending = true;
    }
    if (!window()->isVisible())
        slotShowFields();
    else if (isHiddenTab())
        m_redrawWhenShown = true;
    else if (!m_fieldsTimer.isActive())
        m_fieldsTimer.start();
}

void SensorWidget::slotShowFields()
{
    m_fieldsTimer.stop();
    if (!m_fieldsPending)
        return;
    if (isHiddenTab()) {
        m_redrawWhenShown = true;
        return;
    }
    m_fieldsPending = false;
    showFields(m_fieldsReading);
    if (std::exchange(m_barPending, false) && m_levelBar)
        showLevel(m_levelBar, m_barLevel);
}

// An answer whose scale is not known yet shows a dash, not a guessed number.
QString SensorWidget::levelText(const SensorReading& reading)
{
    if (reading.hasLevel())
        return QLocale().toString(double(reading.level), 'f', 2);
    return reading.failed() ? QString() : QStringLiteral("\u2014");
}

// A tab behind another keeps its samples and draws them when it is shown:
// no timer of its own wakes the window at every reading meanwhile.
void SensorWidget::replot()
{
    if (isHiddenTab())
        m_redrawWhenShown = true;
    else if (!m_replotTimer.isActive())
        m_replotTimer.start();
}

void SensorWidget::setFollowPlotEnabled(bool enabled)
{
    m_followPlotEnabled = enabled;
    if (enabled)
        m_followOffLabel.detach();
    else if (m_plot)
        m_followOffLabel.attach(m_plot);
    replot();
}

void SensorWidget::slotClearPlot()
{
    clearPlot();
    replot();
}

void SensorWidget::setCompactPlot(bool compact)
{
    m_compact = compact;
    applyAxisStates();
}

void SensorWidget::applyAxisStates()
{
    if (!m_plot)
        return;
    for (int i = 0; i < 4; ++i)
        m_plot->enableAxis(Axes[i],
                           !m_compact && m_axisStates.value(i, m_plot->axisEnabled(Axes[i])));
    // Compact leaves the curves alone on the canvas; their names go with the axes.
    if (QwtAbstractLegend* legend = m_plot->legend())
        legend->setVisible(!m_compact);
}

bool SensorWidget::isHiddenTab() const
{
    return !isVisible() && window()->isVisible();
}

void SensorWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!std::exchange(m_redrawWhenShown, false))
        return;
    slotShowFields();
    slotShowLineStatistics();
    slotReplot();
}

void SensorWidget::slotReplot()
{
    m_replotTimer.stop();
    if (!m_plot)
        return;
    if (isHiddenTab()) {
        m_redrawWhenShown = true;
        return;
    }
    if (m_followPlotEnabled) {
        const QwtSeriesData<QPointF>* series = m_levelCurve.data();
        const double newest = series && series->size() > 0
                                  ? series->sample(series->size() - 1).x()
                                  : double(QDateTime::currentMSecsSinceEpoch());
        const QwtInterval shown = m_plot->axisInterval(QwtPlot::xBottom);
        m_plot->setAxisScale(QwtPlot::xBottom, newest - shown.width(), newest);
    }
    slotShowFields();
    m_plot->replot();
}

QVector<double> SensorWidget::layoutKey() const
{
    QVector<double> key{double(m_plot->width()), double(m_plot->height()),
                        double(!m_plot->footer().isEmpty())};
    if (const QwtAbstractLegend* legend = m_plot->legend())
        key << double(legend->isVisible()) << legend->sizeHint().width()
            << legend->sizeHint().height();
    for (int axis : Axes) {
        key << double(m_plot->axisEnabled(axis));
        if (axis != QwtPlot::xBottom)
            key << m_plot->axisInterval(axis).minValue() << m_plot->axisInterval(axis).maxValue();
    }
    return key;
}

bool SensorWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Following the newest sample moves the time axis at every redraw, which
    // asks the plot to lay itself out again, measuring every text in it; only
    // what changes the layout gets that.
    if (m_plot && watched == m_plot && event->type() == QEvent::LayoutRequest) {
        QVector<double> key = layoutKey();
        if (key == m_laidOutKey)
            return true;
        m_laidOutKey = std::move(key);
        return QWidget::eventFilter(watched, event);
    }
    if (m_plot && watched == m_plot->canvas()) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_followAction->setChecked(false);
            setFollowPlotEnabled(false);
        } else if (event->type() == QEvent::MouseMove) {
            const QPoint pos = static_cast<QMouseEvent*>(event)->pos();
            QToolTip::showText(m_plot->canvas()->mapToGlobal(pos), plotToolTip(pos),
                               m_plot->canvas());
        } else if (event->type() == QEvent::Resize) {
            fitTimeLabels();
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString SensorWidget::plotToolTip(const QPoint& pos)
{
    const QwtSeriesData<QPointF>* series = m_levelCurve.data();
    if (!m_plot || !m_plot->axisScaleDraw(QwtPlot::xBottom) || !series || series->size() == 0 ||
        m_plot->axisInterval(QwtPlot::xBottom).width() <= 0)
        return QString();
    const QwtScaleMap map = m_plot->canvasMap(QwtPlot::xBottom);
    if (map.transform(series->sample(0).x()) > pos.x())
        return QString();
    return plotToolTipText(map.invTransform(pos.x()));
}

QString SensorWidget::timeToString(double time) const
{
    return QDateTime::fromMSecsSinceEpoch(qint64(time)).toString(m_timeScaleDraw->format());
}

void SensorWidget::updatePlotSettings()
{
    if (m_axisStates.isEmpty() && m_plot) {
        for (int axis : Axes)
            m_axisStates.append(m_plot->axisEnabled(axis));
    }
    const PlotSettings settings = PlotSettings::read(palette().color(QPalette::Window));
    // New fonts, formats or border distances: the next layout request is honoured.
    m_laidOutKey.clear();
    setMaximumPlotSize(settings.maximumSize);
    m_timeScaleDraw->setFormat(settings.timeFormat);
    if (m_plot) {
        const QFontMetrics metrics = m_plot->axisWidget(QwtPlot::xBottom)->fontMetrics();
        setTimeAxisEndDistance(metrics.horizontalAdvance(m_timeScaleDraw->format()) / 2 + 1);
        fitTimeLabels();
    }
    settings.level.applyTo(&m_levelCurve, Qt::SolidLine);
    settings.error.applyTo(&m_errorCurve, Qt::DashLine);
    m_compact = settings.compact;
    if (m_plot) {
        m_plot->setCanvasBackground(QBrush(settings.background));
        applyAxisStates();
    }
    updatePlotSettingsImpl(settings);
    if (m_plot)
        m_plot->replot();
}

void SensorWidget::slotSavePlotData()
{
    const QString fileName =
        LastFolder::askSave(this, tr("Plot data save.."), SettingsKeys::PlotDataFolder,
                            suggestedFileName(), tr("Plot data (*.csv)"), QStringLiteral("csv"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!savePlotData(fileName, &error))
        QMessageBox::warning(nullptr, tr("Unable to save plot data"), error, QMessageBox::Ok);
}

bool SensorWidget::savePlotData(const QString& fileName, QString* error)
{
    QByteArray csv;
    QTextStream stream(&csv);
    savePlotDataImpl(stream);
    stream.flush();
    if (!WholeFile::write(fileName, csv, error))
        return false;
    const QFileInfo saved(fileName);
    LastFolder::remember(SettingsKeys::PlotDataFolder, fileName);
    if (m_statusLine && m_sensor)
        m_statusLine->tell(m_sensor->address(), tr("Plot data saved to %1").arg(saved.fileName()));
    return true;
}

QString SensorWidget::suggestedFileName() const
{
    QStringList parts;
    if (!m_modelName.isEmpty())
        parts.append(m_modelName);
    if (m_sensor)
        parts.append(QString::number(m_sensor->address()));
    parts.append(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
    return parts.join(QLatin1Char('_')) + QStringLiteral(".csv");
}

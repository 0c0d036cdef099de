#include "views/omnicommsensorwidget.h"

#include "parameters/confirmation.h"
#include "parameters/parameterwidget.h"
#include "plot/mappedscaledraw.h"
#include "profiles/configurationparameters.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "record/commissioningrecord.h"
#include "session/enginefactory.h"
#include "session/omnicommmodels.h"
#include "ui_omnicommsensorwidget.h"
#include "views/addressdialog.h"
#include "views/disabledreason.h"
#include "views/profileactions.h"
#include "views/servicecontrols.h"
#include "views/tanklitresfield.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <qwt_scale_engine.h>

namespace {

const float kRawMaximum = 8191.0f;
const int kUnsignedMaximum = 65535;
const int kByteMaximum = 255;
// The 13-bit format is listed for the sensors that report it, but none can be
// switched to it.
const int kUnselectableDataFormat = 2;
// The frequency axis ends on a whole step of this many hertz, and at least one.
const int kFrequencyStep = 1000;
// The temperature scale covers at least this range and ends on tens of degrees.
const int kColdest = -10;
const int kWarmest = 40;
const int kTemperatureStep = 10;

} // namespace

OmniCommSensorWidget::OmniCommSensorWidget(OmniCommSensor* sensor, QWidget* parent)
    : PlotSensorWidget<OmniCommSamplePoint>(sensor, parent, kRawMaximum)
    , ui(new Ui::OmniCommSensorWidget)
    , m_temperatureSeries(new OmniCommTemperatureSeriesData(&queue()))
    , m_frequencySeries(new OmniCommFrequencySeriesData(&queue()))
    , m_temperatureScale(QwtScaleDraw::LeftScale)
    , m_temperatureScaleDraw(new MappedScaleDraw(QStringLiteral("\u00B0C")))
    , m_modeCallback(this, &OmniCommSensorWidget::setModeCallback)
{
    ui->setupUi(this);
    fitValueField(ui->rawLevelLineEdit, QStringLiteral("8191"));
    fitValueField(ui->frequencyLineEdit, QStringLiteral("65535"));
    fitValueField(ui->levelLineEdit, QStringLiteral("100.00"));
    fitValueField(ui->temperatureLineEdit, QStringLiteral("-128"));
    // Under the values: that row has no room to spare.
    ui->verticalLayout->insertWidget(1, new TankLitresField(sensor, this));
    bindParameterWidgets();
    connect(sensor, &OmniCommSensor::modeChanged, this, &OmniCommSensorWidget::slotModeChanged);
    connect(sensor, &OmniCommSensor::configurationUpdated, this,
            &OmniCommSensorWidget::slotConfigurationUpdated);
    connect(sensor, &OmniCommSensor::configurationReadFailed, this,
            &OmniCommSensorWidget::slotConfigurationReadFailed);
    connect(sensor, &OmniCommSensor::addressChangeFailed, this,
            &OmniCommSensorWidget::slotAddressChangeFailed);
    initPlot(ui->plot);
    ui->plot->enableAxis(QwtPlot::yRight);
    initLevelCurve(levelSeries());
    initErrorCurve(errorSeries());
    initRightAxis();
    applyLevelStyle(ui->progressBar);
    setStatusLine(ui->statusLine);
    initReplyStatus(ui->replyStatusLine,
                    {ui->levelLineEdit, ui->rawLevelLineEdit, ui->temperatureLineEdit,
                     ui->frequencyLineEdit, ui->progressBar});
    addUnit(ui->frequencyLineEdit, tr("Hz"));
    addUnit(ui->temperatureLineEdit, QStringLiteral("\u00B0C"));
    updateFeatures();
    showConfiguration();
    showServiceControls(ServiceControls::instance()->isOn());
    connect(ServiceControls::instance(), &ServiceControls::switched, this,
            &OmniCommSensorWidget::showServiceControls);

    const QList<QAction*> actions{ui->actionSet_Empty, ui->actionSet_Full,
                                  ui->actionRefresh_Configuration};
    const auto* profiles = new ProfileActions(sensor, ui->statusLine, this);
    setSensorActions(actions + profiles->actions() + ui->plot->actions());
}

OmniCommSensorWidget::~OmniCommSensorWidget() = default;

OmniCommSensor* OmniCommSensorWidget::sensor() const
{
    return static_cast<OmniCommSensor*>(baseSensor());
}

// Calibration and the normal temperature are for the workshop, not the field:
// while off, calibration stays in sight, greyed, saying how to turn it on.
void OmniCommSensorWidget::showServiceControls(bool on)
{
    const QString why = ServiceControls::howToTurnOn();
    DisabledReason::setEnabled(ui->actionSet_Empty, on, why);
    DisabledReason::setEnabled(ui->actionSet_Full, on, why);
    DisabledReason::setEnabled(ui->setEmptyButton, on, why);
    DisabledReason::setEnabled(ui->setFullButton, on, why);
    ui->normalTemperatureWidget->setVisible(on);
    ui->normalTemperatureLabel->setVisible(on);
}

void OmniCommSensorWidget::bindParameterWidgets()
{
    // Before the range, which keeps the special text's place at its minimum.
    ui->autonomousIntervalWidget->spinBox()->setSpecialValueText(tr("Undefined"));
    ui->autonomousIntervalWidget->setRange(0, kByteMaximum);
    bindParameterWidget(ui->autonomousIntervalWidget, OmniCommSensor::AutoIntervalIndex);
    slotModeChanged();
    ui->frequencyMinWidget->setRange(0, kUnsignedMaximum);
    bindParameterWidget(ui->frequencyMinWidget, OmniCommSensor::FMinIndex);
    ui->frequencyMaxWidget->setRange(0, kUnsignedMaximum);
    bindParameterWidget(ui->frequencyMaxWidget, OmniCommSensor::FMaxIndex);
    ui->sampleCountWidget->setRange(1, kByteMaximum);
    bindParameterWidget(ui->sampleCountWidget, OmniCommSensor::SampleCountIndex);
    bindParameterWidget(ui->pwmMaxWidget, OmniCommSensor::PwmMaxIndex);
    ui->dataFormatWidget->setItems(
        {tr("1024 (10 bits)"), tr("4096 (12 bits)"), tr("8192 (13 bits)")});
    if (auto* model = qobject_cast<QStandardItemModel*>(ui->dataFormatWidget->comboBox()->model()))
        model->item(kUnselectableDataFormat)->setEnabled(false);
    bindParameterWidget(ui->dataFormatWidget, OmniCommSensor::DataFormatIndex);
    ui->normalTemperatureWidget->setRange(0, kByteMaximum);
    bindParameterWidget(ui->normalTemperatureWidget, OmniCommSensor::NormalTemperatureIndex);
    ui->controlOutputWidget->setRange(0, kUnsignedMaximum);
    bindParameterWidget(ui->controlOutputWidget, OmniCommSensor::ControlOutputIndex);
    ui->analogueOutputRatioWidget->setRange(0, kUnsignedMaximum);
    bindParameterWidget(ui->analogueOutputRatioWidget, OmniCommSensor::AnalogueOutputRatioIndex);
    ui->analogueOutputRangeWidget->setItems({tr("0.5-4.5V"), tr("0.5-9.5V")});
    bindParameterWidget(ui->analogueOutputRangeWidget, OmniCommSensor::AnalogueOutputRangeIndex);
}

void OmniCommSensorWidget::bindParameterWidget(ParameterWidget* widget, int id)
{
    PlotSensorWidget<OmniCommSamplePoint>::bindParameterWidget(widget, id);
    m_parameterWidgets.append(widget);
    widget->setCheck([this, id](const QVariant& value) { return refusal(id, value); });
    connect(widget, &ParameterWidget::writeFailed, this, [this, widget](const QString& text) {
        if (widget == m_calibrated)
            m_calibrated = nullptr;
        if (const OmniCommSensor* sensor = this->sensor())
            ui->statusLine->report(sensor->address(), text);
    });
    connect(widget, &ParameterWidget::written, this, [this, widget](const QString& what) {
        const QString text = widget == m_calibrated ? tr("%1: %2 written").arg(m_calibration, what)
                                                    : tr("%1 written").arg(what);
        m_calibrated = nullptr;
        if (const OmniCommSensor* sensor = this->sensor())
            ui->statusLine->tell(sensor->address(), text);
    });
}

// What the sensor would refuse, said before anything is sent. The full tank
// gives the lowest frequency, so FMin must stay below FMax.
QString OmniCommSensorWidget::refusal(int index, const QVariant& value) const
{
    const OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return QString();
    int lowest = 0;
    int highest = 0;
    if (sensor->parameterRange(index, &lowest, &highest) &&
        (value.toInt() < lowest || value.toInt() > highest))
        return tr("it must be from %1 to %2").arg(lowest).arg(highest);
    if (index != OmniCommSensor::FMinIndex && index != OmniCommSensor::FMaxIndex)
        return QString();
    const bool isMinimum = index == OmniCommSensor::FMinIndex;
    const KtIntParameter* other =
        sensor->intParameter(isMinimum ? OmniCommSensor::FMaxIndex : OmniCommSensor::FMinIndex);
    if (!other->isValid())
        return QString();
    if (isMinimum && value.toInt() >= other->value())
        return tr("it must be below %1 (%2)").arg(other->title()).arg(other->value());
    if (!isMinimum && value.toInt() <= other->value())
        return tr("it must be above %1 (%2)").arg(other->title()).arg(other->value());
    return QString();
}

void OmniCommSensorWidget::initRightAxis()
{
    m_frequencyCurve.setTitle(tr("Frequency, Hz"));
    m_frequencyCurve.setLegendAttribute(QwtPlotCurve::LegendShowLine);
    m_frequencyCurve.setSamples(m_frequencySeries);
    m_frequencyCurve.setPen(QPen(Qt::blue));
    m_frequencyCurve.setStyle(QwtPlotCurve::Steps);
    m_frequencyCurve.setYAxis(QwtPlot::yRight);
    m_frequencyCurve.attach(ui->plot);
    m_temperatureCurve.setTitle(tr("Temperature, °C"));
    m_temperatureCurve.setLegendAttribute(QwtPlotCurve::LegendShowLine);
    m_temperatureCurve.setSamples(m_temperatureSeries);
    m_temperatureCurve.setPen(QPen(Qt::red));
    m_temperatureCurve.setStyle(QwtPlotCurve::Steps);
    m_temperatureCurve.setYAxis(QwtPlot::yRight);
    m_temperatureCurve.attach(ui->plot);

    // Against the canvas's right edge, its labels inside: Qwt has one right axis.
    m_temperatureScale.setScaleDraw(m_temperatureScaleDraw);
    m_temperatureScale.setAlignment(QwtScaleDraw::LeftScale);
    m_temperatureScale.setAxes(QwtPlot::xBottom, QwtPlot::yRight);
    m_temperatureScale.setScaleDivFromAxis(false);
    m_temperatureScale.setBorderDistance(0);
    m_temperatureScale.setZ(m_temperatureCurve.z() + 1);
    colourTemperatureScale();
    m_temperatureScale.attach(ui->plot);

    ui->plot->setAxisTitle(QwtPlot::yRight, tr("Frequency, Hz"));
    fitRightAxis();
}

// The axis reaches the sensor's Fmax or any higher frequency plotted, and the
// temperature scale every temperature plotted. Only the newest sample can
// widen them: scanning the whole queue at every reading would cost more the
// longer the plot runs. Both shrink back when the plot is cleared.
void OmniCommSensorWidget::fitRightAxis()
{
    const LimitedQueue<OmniCommSamplePoint>& samples = queue();
    if (samples.size() > 0 && !samples[samples.size() - 1].error) {
        const OmniCommSamplePoint& newest = samples[samples.size() - 1];
        m_lowestTemperature = std::min(m_lowestTemperature, newest.temperature);
        m_highestTemperature = std::max(m_highestTemperature, newest.temperature);
        m_highestFrequency = std::max(m_highestFrequency, newest.frequency);
    }
    int highest = m_highestFrequency;
    const OmniCommSensor* sensor = this->sensor();
    const KtIntParameter* fmax = sensor ? sensor->intParameter(OmniCommSensor::FMaxIndex) : nullptr;
    if (fmax && fmax->isValid())
        highest = std::max(highest, fmax->value());
    const double top = std::max(1, (highest * 21 / 20 + kFrequencyStep - 1) / kFrequencyStep) *
                       double(kFrequencyStep);
    // Only a new range relays the axis out: not once per reading.
    if (ui->plot->axisInterval(QwtPlot::yRight) != QwtInterval(0, top)) {
        ui->plot->setAxisScale(QwtPlot::yRight, 0, top);
        ui->plot->updateAxes();
    }
    fitTemperatureScale(top);
}

void OmniCommSensorWidget::fitTemperatureScale(double top)
{
    const auto roundDown = [](int degrees) {
        return int(std::floor(degrees / double(kTemperatureStep))) * kTemperatureStep;
    };
    const double coldest = std::min(kColdest, roundDown(m_lowestTemperature));
    const double warmest = std::max(kWarmest, roundDown(m_highestTemperature) + kTemperatureStep);
    const double factor = top / (warmest - coldest);
    const double offset = -coldest * factor;
    const QwtScaleDiv degrees = QwtLinearScaleEngine().divideScale(coldest, warmest, 6, 0);
    QList<double> ticks;
    for (double tick : degrees.ticks(QwtScaleDiv::MajorTick))
        ticks.append(offset + tick * factor);
    const QwtScaleDiv mapped(0, top, QList<double>(), QList<double>(), ticks);
    if (m_temperatureScale.scaleDiv().ticks(QwtScaleDiv::MajorTick) == ticks &&
        m_temperatureScale.scaleDiv().upperBound() == top)
        return;
    m_temperatureSeries->setMapping(offset, factor);
    m_temperatureScaleDraw->setMapping(offset, factor);
    m_temperatureScale.setScaleDiv(mapped);
}

void OmniCommSensorWidget::clearPlot()
{
    PlotSensorWidget::clearPlot();
    m_lowestTemperature = 0;
    m_highestTemperature = 0;
    m_highestFrequency = 0;
    fitRightAxis();
}

void OmniCommSensorWidget::showReading(const SensorReading& reading)
{
    // A missing reply is marked on the plot; the fields keep the last reading,
    // greyed once the sensor counts as silent.
    if (!reading.answered()) {
        appendSample(sampleOf(reading));
        return;
    }
    paceFields(reading);
    // Until the configuration names the data format the level is scaled by a
    // guess and can read several times full scale: plot only then.
    if (reading.levelKnown)
        appendSample(sampleOf(reading));
    fitRightAxis();
}

void OmniCommSensorWidget::showFields(const SensorReading& reading)
{
    showText(ui->levelLineEdit, levelText(reading));
    showText(ui->rawLevelLineEdit, rawLevelText(reading));
    showText(ui->temperatureLineEdit, QString::number(reading.temperature));
    showText(ui->frequencyLineEdit, QString::number(reading.frequency));
}

OmniCommSamplePoint OmniCommSensorWidget::sampleOf(const SensorReading& reading)
{
    OmniCommSamplePoint sample = levelSample(reading);
    sample.temperature = qint16(reading.temperature);
    sample.frequency = quint16(reading.frequency);
    return sample;
}

QList<ShownValue> OmniCommSensorWidget::shownConfiguration() const
{
    QList<ShownValue> shown;
    for (const ParameterWidget* widget : m_parameterWidgets) {
        const auto* label = qobject_cast<const QLabel*>(
            ui->formLayout->labelForField(const_cast<ParameterWidget*>(widget)));
        if (!label)
            continue;
        shown << ShownValue{ConfigurationParameters::name(widget->parameterIndex()), label->text(),
                            widget->displayText().trimmed()};
    }
    const OmniCommSensor* sensor = this->sensor();
    const OmniCommSensor::Mode mode = sensor ? sensor->mode() : OmniCommSensor::UnknownMode;
    shown << ShownValue{QStringLiteral("Mode"), tr("Mode"), modeText(mode)};
    return shown;
}

// The record's words for the mode first, so that its JSON and its page agree.
QString OmniCommSensorWidget::modeText(int mode)
{
    switch (mode) {
    case OmniCommSensor::NetworkMode:
        return tr("network (polled)");
    case OmniCommSensor::AutonomousMode:
        return tr("autonomous (sends by itself)");
    default:
        return QString(QChar(0x2014));
    }
}

// A sensor that sends by itself is heard once per its own interval, in seconds.
int OmniCommSensorWidget::replyIntervalMs() const
{
    const OmniCommSensor* sensor = this->sensor();
    if (!sensor || sensor->mode() != OmniCommSensor::AutonomousMode)
        return PlotSensorWidget<OmniCommSamplePoint>::replyIntervalMs();
    const KtIntParameter* interval = sensor->intParameter(OmniCommSensor::AutoIntervalIndex);
    return interval->isValid() && interval->value() > 0
               ? interval->value() * 1000
               : PlotSensorWidget<OmniCommSamplePoint>::replyIntervalMs();
}

void OmniCommSensorWidget::updateFeatures()
{
    const OmniCommSensor* sensor = this->sensor();
    const quint32 features = sensor ? sensor->features() : 0;
    const bool autonomous = features & EngineFactory::FeatureAutonomousMode;
    const QString noAutonomous = tr("This sensor model does not send by itself");
    DisabledReason::setEnabled(ui->autoModeCheckBox, autonomous, noAutonomous);
    DisabledReason::setEnabled(ui->autonomousIntervalWidget, autonomous, noAutonomous);
    DisabledReason::setEnabled(ui->pwmMaxWidget, features & EngineFactory::FeaturePwmOutput,
                               tr("This sensor model has no PWM output"));
    DisabledReason::setEnabled(ui->controlOutputWidget,
                               features & EngineFactory::FeatureControlOutput,
                               tr("This sensor model has no control output"));
    const bool analogue = features & EngineFactory::FeatureAnalogueOutput;
    const QString noAnalogue = tr("This sensor model has no analogue output");
    DisabledReason::setEnabled(ui->analogueOutputRangeWidget, analogue, noAnalogue);
    DisabledReason::setEnabled(ui->analogueOutputRatioWidget, analogue, noAnalogue);
}

void OmniCommSensorWidget::slotModeChanged()
{
    const OmniCommSensor* sensor = this->sensor();
    ui->autoModeCheckBox->setChecked(sensor && sensor->mode() == OmniCommSensor::AutonomousMode);
    // Whether the sensor sends by itself is part of why a value is not known.
    if (ui->frequencyMinWidget->showsUnknown())
        showConfiguration();
}

void OmniCommSensorWidget::slotConfigurationUpdated()
{
    const OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return;
    showConfiguration();
    levelSeries()->setRawMaximum(sensor->dataFormatDivisor());
    fitRightAxis();
}

void OmniCommSensorWidget::showConfiguration()
{
    const QString why = unknownReason();
    for (ParameterWidget* widget : qAsConst(m_parameterWidgets))
        widget->updateFromSensor(why);
}

QString OmniCommSensorWidget::unknownReason() const
{
    const OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return QString();
    const bool sending = sensor->mode() == OmniCommSensor::AutonomousMode;
    switch (sensor->configurationState()) {
    case OmniCommSensor::ConfigurationNotRead:
    case OmniCommSensor::ConfigurationReading:
        return sending ? tr("Not read yet: the sensor sends by itself; its configuration is "
                            "being read")
                       : tr("Not read yet: the configuration is being read");
    case OmniCommSensor::ConfigurationRead:
        return tr("Not known: this model does not report it");
    case OmniCommSensor::ConfigurationFailed:
        break;
    }
    const QString failure = callbackResultToString(sensor->configurationFailure());
    if (sensor->configurationGivenUp())
        return tr("Not known: the sensor sends by itself and does not answer configuration reads "
                  "(%1). Clear Auto mode to read it.")
            .arg(failure);
    return tr("Not known: the configuration read failed (%1). Refresh configuration to try "
              "again.")
        .arg(failure);
}

void OmniCommSensorWidget::on_settingsButton_clicked()
{
    if (OmniCommSensor* sensor = this->sensor())
        sensor->requestConfigurationUpdate();
}

void OmniCommSensorWidget::on_actionRefresh_Configuration_triggered()
{
    on_settingsButton_clicked();
}

void OmniCommSensorWidget::on_changeAddressButton_clicked()
{
    OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return;
    auto* dialog = new AddressDialog(sensor, 0, OmniCommEngine::AddressCount - 1, this);
    connect(dialog, &QInputDialog::intValueSelected, this,
            &OmniCommSensorWidget::slotAddressChosen);
    dialog->open();
}

// The sensor may have gone while the dialog was open.
void OmniCommSensorWidget::slotAddressChosen(int address)
{
    if (OmniCommSensor* sensor = this->sensor())
        sensor->requestSetAddress(address);
}

void OmniCommSensorWidget::on_autoModeCheckBox_clicked(bool checked)
{
    OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return;
    DisabledReason::setEnabled(ui->autoModeCheckBox, false, tr("Switching the mode..."));
    sensor->requestSetMode(checked ? OmniCommSensor::AutonomousMode : OmniCommSensor::NetworkMode,
                           &m_modeCallback);
}

// A failed switch leaves the sensor where it was, and the check box says so.
void OmniCommSensorWidget::setModeCallback(CommandCallback::Result result, const EngineCommand&)
{
    updateFeatures();
    const OmniCommSensor* sensor = this->sensor();
    if (result == CommandCallback::Ok || !sensor)
        return;
    slotModeChanged();
    ui->statusLine->reportResult(sensor->address(), tr("Mode switch"), result);
}

void OmniCommSensorWidget::slotConfigurationReadFailed(CommandCallback::Result result)
{
    const OmniCommSensor* sensor = this->sensor();
    if (sensor && sensor->isWrongModel())
        ui->statusLine->report(
            sensor->address(),
            tr("Configuration read: %1").arg(OmniCommModels::wrongModelText(*sensor)));
    else if (sensor)
        ui->statusLine->reportResult(sensor->address(), tr("Configuration read"), result);
}

void OmniCommSensorWidget::slotAddressChangeFailed(CommandCallback::Result result)
{
    if (const OmniCommSensor* sensor = this->sensor())
        ui->statusLine->reportResult(sensor->address(), tr("Address change"), result);
}

void OmniCommSensorWidget::on_setEmptyButton_clicked()
{
    calibrateFrom(ui->frequencyMaxWidget, tr("Set Empty"),
                  tr("Take the present frequency, %1, as the empty tank's (Fmax)?"));
}

void OmniCommSensorWidget::on_actionSet_Empty_triggered()
{
    on_setEmptyButton_clicked();
}

// The full tank gives the lowest frequency.
void OmniCommSensorWidget::on_setFullButton_clicked()
{
    calibrateFrom(ui->frequencyMinWidget, tr("Set Full"),
                  tr("Take the present frequency, %1, as the full tank's (Fmin)?"));
}

void OmniCommSensorWidget::on_actionSet_Full_triggered()
{
    on_setFullButton_clicked();
}

// Without a frequency reading there is nothing to calibrate from: writing the
// invalid value would set the point to 0. The frequency written is the one the
// question showed, whatever the sensor reads by the time the user answers.
void OmniCommSensorWidget::calibrateFrom(IntSpinBoxParameterWidget* widget, const QString& what,
                                         const QString& question)
{
    const OmniCommSensor* sensor = this->sensor();
    if (!sensor)
        return;
    const KtParameter* frequency = sensor->parameter(OmniCommSensor::FrequencyIndex);
    if (!frequency->isValid()) {
        ui->statusLine->report(sensor->address(), tr("No frequency reading to calibrate from"));
        return;
    }
    const QVariant value = frequency->variantValue();
    Confirmation::ask(this, what, question.arg(frequency->toString()), [this, widget, what, value] {
        m_calibrated = widget;
        m_calibration = what;
        widget->setEditVariantValue(value);
        widget->slotAcceptClicked();
    });
}

QString OmniCommSensorWidget::colorSquare(const QColor& color)
{
    if (!color.isValid())
        return QStringLiteral("<span style=\"color: transparent; float: left; "
                              "min-width:10px;\">&#9632;</span>");
    return QStringLiteral("<span style=\"color: #%1%2%3; float: left; "
                          "min-width:10px;\">&#9632;</span>")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'));
}

QString OmniCommSensorWidget::plotToolTipText(double time)
{
    const OmniCommSamplePoint* found = sampleAfter(time);
    if (!found)
        return tr("VOID");
    const OmniCommSamplePoint& sample = *found;
    QString text =
        QStringLiteral("Time=%1<br/>%6 <span>LVL=%2</span><br/>%7 RawLevel=%3<br/>"
                       "%8 Temperature=%4<br/>%9 Frequency=%5")
            .arg(timeToString(double(sample.time)), QString::number(double(sample.level), 'g', 6),
                 QString::number(sample.rawLevel), QString::number(sample.temperature),
                 QString::number(sample.frequency), colorSquare(levelCurve()->pen().color()),
                 colorSquare(QColor()), colorSquare(m_temperatureCurve.pen().color()),
                 colorSquare(m_frequencyCurve.pen().color()));
    if (sample.error)
        text += tr("<br/>Error");
    return text;
}

void OmniCommSensorWidget::savePlotDataImpl(QTextStream& stream)
{
    recorder()->writeCsv(stream, true);
}

void OmniCommSensorWidget::updatePlotSettingsImpl(const PlotSettings& settings)
{
    PlotSensorWidget<OmniCommSamplePoint>::updatePlotSettingsImpl(settings);
    settings.frequency.applyTo(&m_frequencyCurve, Qt::SolidLine);
    settings.temperature.applyTo(&m_temperatureCurve, Qt::SolidLine);
    colourTemperatureScale();
}

// In the temperature curve's colour, so that it is not read as the frequency's.
void OmniCommSensorWidget::colourTemperatureScale()
{
    QPalette palette = m_temperatureScale.palette();
    palette.setColor(QPalette::Text, m_temperatureCurve.pen().color());
    palette.setColor(QPalette::WindowText, m_temperatureCurve.pen().color());
    m_temperatureScale.setPalette(palette);
}

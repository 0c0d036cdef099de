#include "views/tbussensorwidget.h"

#include "engine/enginefactory.h"
#include "protocols/tbussensor.h"
#include "tank/tanklitresfield.h"
#include "ui_tbussensorwidget.h"
#include "views/levelsampletext.h"

namespace {

const float kRawMaximum = 10000.0f;
const int kCalibrationAttempts = 2;

} // namespace

TBusSensorWidget::TBusSensorWidget(TBusSensor* sensor, QWidget* parent)
    : PlotSensorWidget<TBusSamplePoint>(sensor, parent, kRawMaximum)
    , ui(new Ui::TBusSensorWidget)
{
    ui->setupUi(this);
    ui->formLayout->addRow(new TankLitresField(sensor, this));
    ui->setMinimumButton->setRequestCount(kCalibrationAttempts);
    ui->setMaximumButton->setRequestCount(kCalibrationAttempts);
    connect(ui->setMinimumButton, &CommandButton::triggered, sensor,
            &TBusSensor::requestSetMinimum);
    connect(ui->setMaximumButton, &CommandButton::triggered, sensor,
            &TBusSensor::requestSetMaximum);
    initPlot(ui->plot);
    initLevelCurve(levelSeries());
    initErrorCurve(errorSeries());
    applyLevelStyle(ui->progressBar);
    initReplyStatus(ui->replyStatusLine, {ui->levelLineEdit, ui->progressBar});
    updateFeatures();
}

TBusSensorWidget::~TBusSensorWidget() = default;

TBusSensor* TBusSensorWidget::sensor() const
{
    return static_cast<TBusSensor*>(baseSensor());
}

void TBusSensorWidget::updateFeatures()
{
    const TBusSensor* sensor = this->sensor();
    const bool calibration = sensor && (sensor->features() & EngineFactory::FeatureCalibration);
    ui->setMinimumButton->setEnabled(calibration);
    ui->setMaximumButton->setEnabled(calibration);
}

void TBusSensorWidget::updateWidgetValues()
{
    const TBusSensor* sensor = this->sensor();
    if (!sensor)
        return;
    const SensorReading& reading = sensor->lastReading();
    ui->levelLineEdit->setText(rawLevelText(reading));
    showLevel(ui->progressBar, reading.level);
    appendSample(levelSample(reading));
}

QString TBusSensorWidget::plotToolTipText(double time)
{
    const TBusSamplePoint* sample = sampleAfter(time);
    if (!sample)
        return tr("VOID");
    return LevelSampleText::toolTip(*sample, timeToString(double(sample->time)),
                                    QStringLiteral("\nError"));
}

void TBusSensorWidget::savePlotDataImpl(QTextStream& stream)
{
    writePlotData(stream, false, levelReading);
}

#include "views/tbussensorwidget.h"

#include "protocols/tbus/tbussensor.h"
#include "session/enginefactory.h"
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
    initLevelFields(ui->formLayout, ui->levelLineEdit, ui->levelPercentLineEdit);
    initCalibrationButton(ui->setMinimumButton, tr("Set minimum"),
                          tr("Make the sensor's present level its minimum (empty tank)?"),
                          tr("Minimum set at the present level"));
    initCalibrationButton(ui->setMaximumButton, tr("Set maximum"),
                          tr("Make the sensor's present level its maximum (full tank)?"),
                          tr("Maximum set at the present level"));
    connect(ui->setMinimumButton, &CommandButton::triggered, sensor,
            &TBusSensor::requestSetMinimum);
    connect(ui->setMaximumButton, &CommandButton::triggered, sensor,
            &TBusSensor::requestSetMaximum);
    initPlot(ui->plot);
    initLevelCurve(levelSeries());
    initErrorCurve(errorSeries());
    applyLevelStyle(ui->progressBar);
    setStatusLine(ui->statusLine);
    initReplyStatus(ui->replyStatusLine,
                    {ui->levelLineEdit, ui->levelPercentLineEdit, ui->progressBar});
    updateFeatures();
}

TBusSensorWidget::~TBusSensorWidget() = default;

// Calibration moves the sensor's scale for good: it is asked for, and what it
// did is said under the plot.
void TBusSensorWidget::initCalibrationButton(CommandButton* button, const QString& what,
                                             const QString& question, const QString& done)
{
    button->setRequestCount(kCalibrationAttempts);
    button->setConfirmation(what, question);
    connect(button, &CommandButton::finished, this,
            [this, what, done](CommandCallback::Result result) {
                const TBusSensor* sensor = this->sensor();
                if (!sensor)
                    return;
                if (result == CommandCallback::Ok)
                    ui->statusLine->tell(sensor->address(), done);
                else
                    ui->statusLine->reportResult(sensor->address(), what, result);
            });
}

TBusSensor* TBusSensorWidget::sensor() const
{
    return static_cast<TBusSensor*>(baseSensor());
}

void TBusSensorWidget::updateFeatures()
{
    const TBusSensor* sensor = this->sensor();
    const bool calibration = sensor && (sensor->features() & EngineFactory::FeatureCalibration);
    const QString why =
        calibration ? QString() : tr("This sensor model cannot be calibrated from here");
    for (CommandButton* button : {ui->setMinimumButton, ui->setMaximumButton}) {
        button->setEnabled(calibration);
        button->setToolTip(why);
    }
}

void TBusSensorWidget::showReading(const SensorReading& reading)
{
    paceFields(reading);
    appendSample(levelSample(reading));
}

void TBusSensorWidget::showFields(const SensorReading& reading)
{
    showLevelTexts(reading, ui->levelLineEdit, ui->levelPercentLineEdit);
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
    recorder()->writeCsv(stream, false);
}

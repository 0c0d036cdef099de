#include "views/levelsensorwidget.h"

#include "engine/basesensor.h"
#include "ui_levelsensorwidget.h"

namespace {

const float kRawMaximum = 10000.0f;

} // namespace

LevelSensorWidget::LevelSensorWidget(BaseSensor* sensor, QWidget* parent)
    : PlotSensorWidget<LevelSamplePoint>(sensor, parent, kRawMaximum)
    , ui(new Ui::LevelSensorWidget)
{
    ui->setupUi(this);
    initLevelFields(ui->formLayout, ui->levelLineEdit, ui->levelPercentLineEdit);
    initPlot(ui->plot);
    initLevelCurve(levelSeries());
    initErrorCurve(errorSeries());
    applyLevelStyle(ui->progressBar);
    setStatusLine(ui->statusLine);
    initReplyStatus(ui->replyStatusLine,
                    {ui->levelLineEdit, ui->levelPercentLineEdit, ui->progressBar});
}

LevelSensorWidget::~LevelSensorWidget() = default;

void LevelSensorWidget::setLevelTexts(const QString& label, const QString& toolTip,
                                      const QString& errorText)
{
    ui->label->setText(label);
    ui->label->setToolTip(toolTip);
    ui->levelLineEdit->setToolTip(toolTip);
    m_errorText = errorText;
}

QHBoxLayout* LevelSensorWidget::commandLayout() const
{
    return ui->commandLayout;
}

FailureStatusLine* LevelSensorWidget::statusLine() const
{
    return ui->statusLine;
}

void LevelSensorWidget::showReading(const SensorReading& reading)
{
    paceFields(reading);
    appendSample(levelSample(reading));
}

void LevelSensorWidget::showFields(const SensorReading& reading)
{
    showLevelTexts(reading, ui->levelLineEdit, ui->levelPercentLineEdit);
}

QString LevelSensorWidget::plotToolTipText(double time)
{
    const LevelSamplePoint* sample = sampleAfter(time);
    if (!sample)
        return tr("VOID");
    QString text =
        QStringLiteral("Time=%1\nLVL=%2\nRawLevel=%3")
            .arg(timeToString(double(sample->time)), QString::number(double(sample->level), 'g', 6),
                 QString::number(sample->rawLevel));
    if (sample->error)
        text += m_errorText;
    return text;
}

void LevelSensorWidget::savePlotDataImpl(QTextStream& stream)
{
    recorder()->writeCsv(stream, false);
}

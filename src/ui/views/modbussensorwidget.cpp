#include "views/modbussensorwidget.h"

#include "protocols/modbus/modbussensor.h"
#include "ui_modbussensorwidget.h"
#include "views/addressdialog.h"
#include "views/levelsampletext.h"

namespace {

const float kRawMaximum = 10000.0f;
// The unicast addresses of ModBus; the sensors take no other.
const int kFirstAddress = 1;
const int kLastAddress = 247;

} // namespace

ModBusSensorWidget::ModBusSensorWidget(ModBusSensor* sensor, QWidget* parent)
    : PlotSensorWidget<ModBusSamplePoint>(sensor, parent, kRawMaximum)
    , ui(new Ui::ModBusSensorWidget)
{
    ui->setupUi(this);
    initLevelFields(ui->formLayout, ui->levelLineEdit, ui->levelPercentLineEdit);
    connect(sensor, &ModBusSensor::addressChangeFailed, this,
            &ModBusSensorWidget::slotAddressChangeFailed);
    initPlot(ui->plot);
    initLevelCurve(levelSeries());
    initErrorCurve(errorSeries());
    applyLevelStyle(ui->progressBar);
    setStatusLine(ui->statusLine);
    initReplyStatus(ui->replyStatusLine,
                    {ui->levelLineEdit, ui->levelPercentLineEdit, ui->progressBar});
}

ModBusSensorWidget::~ModBusSensorWidget() = default;

ModBusSensor* ModBusSensorWidget::sensor() const
{
    return static_cast<ModBusSensor*>(baseSensor());
}

void ModBusSensorWidget::showReading(const SensorReading& reading)
{
    paceFields(reading);
    appendSample(levelSample(reading));
}

void ModBusSensorWidget::showFields(const SensorReading& reading)
{
    showLevelTexts(reading, ui->levelLineEdit, ui->levelPercentLineEdit);
}

void ModBusSensorWidget::on_setAddressButton_clicked()
{
    ModBusSensor* sensor = this->sensor();
    if (!sensor)
        return;
    auto* dialog = new AddressDialog(sensor, kFirstAddress, kLastAddress, this);
    connect(dialog, &QInputDialog::intValueSelected, this, &ModBusSensorWidget::slotAddressChosen);
    dialog->open();
}

// The sensor may have gone while the dialog was open.
void ModBusSensorWidget::slotAddressChosen(int address)
{
    if (ModBusSensor* sensor = this->sensor())
        sensor->requestSetAddress(quint8(address));
}

void ModBusSensorWidget::slotAddressChangeFailed(CommandCallback::Result result)
{
    if (const ModBusSensor* sensor = this->sensor())
        ui->statusLine->reportResult(sensor->address(), tr("Address change"), result);
}

QString ModBusSensorWidget::plotToolTipText(double time)
{
    const ModBusSamplePoint* sample = sampleAfter(time);
    if (!sample)
        return tr("VOID");
    return LevelSampleText::toolTip(*sample, timeToString(double(sample->time)), tr("\nError"));
}

void ModBusSensorWidget::savePlotDataImpl(QTextStream& stream)
{
    recorder()->writeCsv(stream, false);
}

#include "views/modbussensorwidget.h"

#include "protocols/modbus/modbussensor.h"
#include "views/addressdialog.h"
#include "views/failurestatusline.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

// The unicast addresses of ModBus; the sensors take no other.
const int kFirstAddress = 1;
const int kLastAddress = 247;

} // namespace

ModBusSensorWidget::ModBusSensorWidget(ModBusSensor* sensor, QWidget* parent)
    : LevelSensorWidget(sensor, parent)
{
    // The name the diagnostic log knows the view by.
    setObjectName(QStringLiteral("ModBusSensorWidget"));
    setLevelTexts(tr("%n"), tr("Уровень в процентах"), tr("\nError"));
    auto* button = new QPushButton(tr("Set address.."), this);
    button->setObjectName(QStringLiteral("setAddressButton"));
    commandLayout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, &ModBusSensorWidget::slotAskAddress);
    connect(sensor, &ModBusSensor::addressChangeFailed, this,
            &ModBusSensorWidget::slotAddressChangeFailed);
}

ModBusSensor* ModBusSensorWidget::sensor() const
{
    return static_cast<ModBusSensor*>(baseSensor());
}

void ModBusSensorWidget::slotAskAddress()
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
        statusLine()->reportResult(sensor->address(), tr("Address change"), result);
}

#include "views/addressdialog.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"

AddressDialog::AddressDialog(SerialSensor* sensor, int minimum, int maximum, QWidget* view)
    : QInputDialog(view->window())
    , m_sensor(sensor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("New address"));
    setLabelText(tr("Address"));
    setInputMode(QInputDialog::IntInput);
    setIntRange(minimum, maximum);
    setIntStep(1);
    setIntValue(sensor->address());
    connect(view, &QObject::destroyed, this, &QWidget::close);
}

// A refused address keeps the dialog open with the reason, for another choice.
void AddressDialog::done(int result)
{
    const QString taken = result == Accepted ? takenBy(intValue()) : QString();
    if (taken.isEmpty()) {
        QInputDialog::done(result);
        return;
    }
    setLabelText(taken + QLatin1Char('\n') + tr("Address"));
}

QString AddressDialog::takenBy(int address) const
{
    const SerialEngine* engine = m_sensor ? m_sensor->engine() : nullptr;
    const SerialSensor* holder = engine ? engine->sensorByAddress(quint8(address)) : nullptr;
    if (!holder || holder == m_sensor)
        return QString();
    return tr("Sensor 0x%1 on this line already has address %2.\n"
              "Choose a free address, or first give that sensor another one.")
        .arg(address, 2, 16, QLatin1Char('0'))
        .arg(address);
}

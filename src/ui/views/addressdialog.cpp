#include "views/addressdialog.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "log/addresstext.h"

AddressDialog::AddressDialog(SerialSensor* sensor, int minimum, int maximum, QWidget* view)
    : QInputDialog(view->window())
    , m_sensor(sensor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("New address"));
    setInputMode(QInputDialog::IntInput);
    setIntRange(minimum, maximum);
    setIntStep(1);
    setIntValue(sensor->address());
    showLabel();
    connect(this, &QInputDialog::intValueChanged, this, [this] {
        m_refusal.clear();
        showLabel();
    });
    connect(view, &QObject::destroyed, this, &QWidget::close);
}

void AddressDialog::showLabel()
{
    const QString question = AddressText::label(tr("Address"), intValue());
    setLabelText(m_refusal.isEmpty() ? question : m_refusal + QLatin1Char('\n') + question);
}

// A refused address keeps the dialog open with the reason, for another choice.
void AddressDialog::done(int result)
{
    const QString taken = result == Accepted ? takenBy(intValue()) : QString();
    if (taken.isEmpty()) {
        QInputDialog::done(result);
        return;
    }
    m_refusal = taken;
    showLabel();
}

QString AddressDialog::takenBy(int address) const
{
    const SerialEngine* engine = m_sensor ? m_sensor->engine() : nullptr;
    const SerialSensor* holder = engine ? engine->sensorByAddress(quint8(address)) : nullptr;
    if (!holder || holder == m_sensor)
        return QString();
    return tr("A sensor on this line already has address %1.\n"
              "Choose a free address, or first give that sensor another one.")
        .arg(AddressText::both(address));
}

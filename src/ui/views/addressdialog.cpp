#include "views/addressdialog.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "log/addresstext.h"

AddressDialog::AddressDialog(SerialSensor* sensor, int minimum, int maximum, QWidget* view)
    : NumberDialog(view->window(), minimum, maximum, sensor->address())
    , m_sensor(sensor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("New address"));
    setQuestion([](int address) { return AddressText::label(tr("Address"), address); });
    setCheck([this](int address) { return takenBy(address); });
    connect(view, &QObject::destroyed, this, &QWidget::close);
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

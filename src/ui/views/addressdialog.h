#pragma once

#include "parameters/numberdialog.h"

#include <QPointer>

class SerialSensor;

// The new-address question of a sensor view. It opens without blocking, so no
// nested event loop runs while the sensor (and with it the view) may go; it
// closes itself when the view goes. An address that another sensor known on
// the line holds is refused before anything is sent: two sensors at one
// address answer over each other, and the moved one is never polled again.
class AddressDialog : public NumberDialog
{
    Q_OBJECT
public:
    AddressDialog(SerialSensor* sensor, int minimum, int maximum, QWidget* view);

private:
    QString takenBy(int address) const;

    QPointer<SerialSensor> m_sensor;
};

#pragma once

#include <QInputDialog>
#include <QPointer>

class SerialSensor;

// The new-address question of a sensor view. It opens without blocking, so no
// nested event loop runs while the sensor (and with it the view) may go; it
// closes itself when the view goes. An address that another sensor known on
// the line holds is refused before anything is sent: two sensors at one
// address answer over each other, and the moved one is never polled again.
class AddressDialog : public QInputDialog
{
    Q_OBJECT
public:
    AddressDialog(SerialSensor* sensor, int minimum, int maximum, QWidget* view);

    void done(int result) override;

private:
    QString takenBy(int address) const;
    void showLabel();

    QPointer<SerialSensor> m_sensor;
    // Why the address last accepted was refused, until another is chosen.
    QString m_refusal;
};

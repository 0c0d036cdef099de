#pragma once

#include <QInputDialog>

// The new-address question of a sensor view. It opens without blocking, so no
// nested event loop runs while the sensor (and with it the view) may go; it
// closes itself when the view goes.
class AddressDialog : public QInputDialog
{
    Q_OBJECT
public:
    AddressDialog(int address, int minimum, int maximum, QWidget* view);
};

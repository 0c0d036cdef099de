#pragma once

#include <QInputDialog>

class SerialEngine;

// The question with which the user adds a sensor by address. The engine says which
// addresses its protocol carries and what it calls them. The dialog opens without
// a parent, deletes itself when closed, and an accepted address reaches the engine
// only while the engine is still there.
class AddSensorDialog : public QInputDialog
{
    Q_OBJECT
public:
    explicit AddSensorDialog(SerialEngine* engine);
};

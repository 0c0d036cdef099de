#pragma once

#include "engine/addsensorprompt.h"
#include "parameters/numberdialog.h"

#include <QPointer>

class SerialEngine;

// The question with which the user adds a sensor by address. The engine says which
// addresses its protocol carries and what it calls them. The dialog proposes the
// first free address, refuses one a sensor on the line already has, opens without
// a parent, deletes itself when closed, and an accepted address reaches the engine
// only while the engine is still there.
class AddSensorDialog : public NumberDialog
{
    Q_OBJECT
public:
    explicit AddSensorDialog(SerialEngine* engine);

    // The lowest address from 1 up that no sensor on the line has (0, where the
    // protocol has it, is the last choice: it is seldom a sensor's).
    static int firstFreeAddress(const SerialEngine* engine, int minimum, int maximum);

private:
    AddSensorDialog(SerialEngine* engine, const AddSensorPrompt& prompt);
    QString takenBy(int address) const;

    QPointer<SerialEngine> m_engine;
};

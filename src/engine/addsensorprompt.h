#pragma once

#include <QString>

// What the user is asked when adding a sensor by hand: the addresses the protocol
// carries and what it calls them. The engine knows these; the screen asks.
struct AddSensorPrompt
{
    QString label;
    int minimum;
    int maximum;
};

#pragma once

#include <QObject>

// Whether the Omnicomm service controls (empty and full calibration, the normal
// temperature) are on: for this run when started with -t, else as last switched
// in the Settings menu. Views follow the switch at once.
class ServiceControls : public QObject
{
    Q_OBJECT
public:
    static ServiceControls* instance();

    bool isOn() const;
    // On for this run whatever the setting says.
    static bool isForced();
    void setOn(bool on);
    // For a control that stays off: how to turn it on.
    static QString howToTurnOn();

signals:
    void switched(bool on);

private:
    using QObject::QObject;
};

#pragma once

#include "port/portenumerator.h"

// A port list that a test writes: plugging and unplugging change the list and
// signal it, as the system's notifications would.
class FakePortEnumerator : public PortEnumerator
{
    Q_OBJECT
public:
    explicit FakePortEnumerator(const QStringList& names = {}, QObject* parent = nullptr);

    QList<SerialPortInfo> getPorts() const override { return ports; }
    bool setUpNotifications() override { return true; }

    static SerialPortInfo info(const QString& name);
    void plug(const QString& name);
    void unplug(const QString& name);

    QList<SerialPortInfo> ports;
};

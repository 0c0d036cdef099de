#pragma once

#include "port/serialportinfo.h"

#include <QList>
#include <QObject>

// The system's list of serial ports and its changes. The port manager and the
// port panel read it; tests replace it with a scripted list.
class PortEnumerator : public QObject
{
    Q_OBJECT
public:
    explicit PortEnumerator(QObject* parent = nullptr);

    virtual QList<SerialPortInfo> getPorts() const = 0;
    // Starts reporting arrivals and removals; false when the system offers no
    // notifications (the list itself still works).
    virtual bool setUpNotifications() = 0;
    // Lists a port the system does not (a pseudo-terminal, a link, a line the
    // system misses) and announces it like an arrival; false when the path does
    // not exist or this enumerator takes no ports by hand.
    virtual bool addPort(const QString& path);

signals:
    void deviceDiscovered(const SerialPortInfo& info);
    void deviceRemoved(const SerialPortInfo& info);
};

// The one enumerator of the process, set at start-up.
extern PortEnumerator* globalPortEnumerator;

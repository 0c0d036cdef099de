#pragma once

#include "port/serialportinfo.h"

#include <QList>
#include <QString>

// The order in which the port search tries the ports: the port used last, then
// USB and ACM adapters, then the others, each group in the system's order. A PC's
// own serial ports list first and are seldom where a sensor line is plugged in.
class PortSearchOrder
{
public:
    static QList<SerialPortInfo> sorted(const QList<SerialPortInfo>& ports,
                                        const QString& lastUsed);
    // The port after current in the order, wrapping; the first when current is
    // not listed. Empty for an empty list.
    static QString after(const QList<SerialPortInfo>& ordered, const QString& current);
    static bool isAdapter(const SerialPortInfo& port);
};

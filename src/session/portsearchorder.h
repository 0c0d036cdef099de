#pragma once

#include "port/serialportinfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// The order in which the port search tries the ports: the port used last, then
// USB and ACM adapters, then the others, each group in the system's order. A PC's
// own serial ports list first and are seldom where a sensor line is plugged in.
class PortSearchOrder
{
public:
    static QList<SerialPortInfo> sorted(const QList<SerialPortInfo>& ports,
                                        const QString& lastUsed);
    // The first port after current in the order, wrapping, that is not skipped;
    // the plain next one when all others are. The first when current is not
    // listed; empty for an empty list.
    static QString after(const QList<SerialPortInfo>& ordered, const QString& current,
                         const QStringList& skipped = {});
    static bool isAdapter(const SerialPortInfo& port);
};

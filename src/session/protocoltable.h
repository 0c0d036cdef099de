#pragma once

#include "session/protocolrow.h"

#include <QByteArrayList>
#include <QList>

class Logger;

// The protocols the program speaks, one row each, in the order a line of unknown
// protocol is tried.
class ProtocolTable
{
public:
    static QList<const ProtocolRow*> rows();
    // The row whose bus bits are bus, or null.
    static const ProtocolRow* ofBus(quint32 bus);
    // Every protocol's diagnostic log sections, in row order.
    static QByteArrayList logSections();
    // Registers them with the logger when the program runs with its diagnostic log.
    static void registerLogSections(Logger& logger);
};

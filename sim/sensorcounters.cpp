#include "sensorcounters.h"

namespace sim {

QString SensorCounters::toString() const
{
    return QStringLiteral("requests=%1 replies=%2 unsolicited=%3 writes=%4 faults=%5")
        .arg(requests)
        .arg(replies)
        .arg(unsolicited)
        .arg(writesApplied)
        .arg(faults);
}

} // namespace sim

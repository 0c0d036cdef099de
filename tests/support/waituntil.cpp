#include "support/waituntil.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>
#include <algorithm>

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the loop at the deadline when nothing else happens.
    QTimer alarm;
    alarm.setSingleShot(true);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        // A coarse timer may fire a little before the deadline: then nothing would wake
        // the loop again on a quiet line.
        if (!alarm.isActive())
            alarm.start(std::max<qint64>(1, deadline.remainingTime()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

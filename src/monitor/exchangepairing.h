#pragma once

#include "monitor/monitorexchange.h"

#include <QVector>

// Pairs the frames of a line into exchanges. A line has one master, so at most
// one request is in flight: a reply of its address answers it, and the next
// request, to whatever address, means it timed out.
class ExchangePairing
{
public:
    // The exchanges the frame ends, appended.
    void take(const PassiveFrame& frame, QVector<MonitorExchange>* exchanges);
    // At the end of listening: a request still waiting after this long is a
    // time-out; one younger may still have had its reply on the way.
    QVector<MonitorExchange> finish(qint64 nowMs);
    void reset() { m_hasPending = false; }

    static constexpr int LongestReplyWaitMs = 1000;

private:
    MonitorExchange pendingTimedOut() const;
    MonitorExchange answer(const PassiveFrame& reply);
    static MonitorExchange alone(const PassiveFrame& frame, MonitorExchange::Result result);

    bool m_hasPending = false;
    PassiveFrame m_pending;
};

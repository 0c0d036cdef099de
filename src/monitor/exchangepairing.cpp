#include "monitor/exchangepairing.h"

void ExchangePairing::take(const PassiveFrame& frame, QVector<MonitorExchange>* exchanges)
{
    const bool answers = m_hasPending && m_pending.address == frame.address;
    switch (frame.kind) {
    case PassiveFrame::Request:
        if (m_hasPending)
            *exchanges << pendingTimedOut();
        m_pending = frame;
        m_hasPending = true;
        break;
    case PassiveFrame::ChecksumFailure:
        if (answers) {
            MonitorExchange exchange = pendingTimedOut();
            exchange.result = MonitorExchange::ChecksumFailed;
            exchange.timeMs = frame.timeMs;
            *exchanges << exchange;
            m_hasPending = false;
        } else {
            *exchanges << alone(frame, MonitorExchange::ChecksumFailed);
        }
        break;
    case PassiveFrame::Reply:
        if (answers && m_pending.function == frame.function)
            *exchanges << answer(frame);
        else
            *exchanges << alone(frame, frame.maySendUnasked ? MonitorExchange::SentUnasked
                                                            : MonitorExchange::Unpaired);
        break;
    }
}

QVector<MonitorExchange> ExchangePairing::finish(qint64 nowMs)
{
    QVector<MonitorExchange> exchanges;
    if (m_hasPending && nowMs - m_pending.timeMs >= LongestReplyWaitMs)
        exchanges << pendingTimedOut();
    m_hasPending = false;
    return exchanges;
}

MonitorExchange ExchangePairing::pendingTimedOut() const
{
    MonitorExchange exchange;
    exchange.address = m_pending.address;
    exchange.function = m_pending.function;
    exchange.result = MonitorExchange::TimedOut;
    exchange.hasRequest = true;
    exchange.request = m_pending;
    exchange.timeMs = m_pending.timeMs;
    return exchange;
}

MonitorExchange ExchangePairing::answer(const PassiveFrame& reply)
{
    MonitorExchange exchange = pendingTimedOut();
    exchange.hasReply = true;
    exchange.reply = reply;
    exchange.timeMs = reply.timeMs;
    exchange.latencyMs = reply.timeMs - m_pending.timeMs;
    if (reply.exceptionCode != 0)
        exchange.result = MonitorExchange::Refused;
    else if (reply.status >= 0)
        exchange.result = MonitorExchange::SensorStatus;
    else
        exchange.result = MonitorExchange::Answered;
    m_hasPending = false;
    return exchange;
}

MonitorExchange ExchangePairing::alone(const PassiveFrame& frame, MonitorExchange::Result result)
{
    MonitorExchange exchange;
    exchange.address = frame.address;
    exchange.function = frame.function;
    exchange.result = result;
    exchange.hasReply = frame.kind == PassiveFrame::Reply;
    exchange.reply = frame;
    exchange.timeMs = frame.timeMs;
    return exchange;
}

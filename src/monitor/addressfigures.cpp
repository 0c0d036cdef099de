#include "monitor/addressfigures.h"

double AddressFigures::pollPeriodMs() const
{
    if (requests < 2)
        return -1;
    return double(lastRequestMs - firstRequestMs) / (requests - 1);
}

double AddressFigures::latencyMeanMs() const
{
    return latencyCount > 0 ? double(latencySumMs) / latencyCount : -1;
}

void AddressFigures::record(const MonitorExchange& exchange)
{
    if (exchange.hasRequest) {
        ++requests;
        if (firstRequestMs < 0)
            firstRequestMs = exchange.request.timeMs;
        lastRequestMs = exchange.request.timeMs;
    }
    if (exchange.hasReply)
        ++replies;
    if (exchange.latencyMs >= 0) {
        ++latencyCount;
        latencySumMs += exchange.latencyMs;
        latencyMaxMs = qMax(latencyMaxMs, exchange.latencyMs);
    }
    switch (exchange.result) {
    case MonitorExchange::TimedOut:
        ++timeouts;
        break;
    case MonitorExchange::ChecksumFailed:
        ++checksumFailures;
        break;
    case MonitorExchange::Refused:
        ++exceptions;
        ++exceptionNames[exchange.reply.exceptionName];
        break;
    case MonitorExchange::SentUnasked:
        ++sentUnasked;
        break;
    case MonitorExchange::Unpaired:
        ++unpaired;
        break;
    case MonitorExchange::Answered:
    case MonitorExchange::SensorStatus:
        break;
    }
    if (!exchange.hasReply)
        return;
    if (exchange.reply.status >= 0)
        ++statusCodes[exchange.reply.status];
    if (exchange.reply.hasReading) {
        hasReading = true;
        lastReading = exchange.reply.reading;
        lastReading.timeMs = exchange.reply.timeMs;
    }
}

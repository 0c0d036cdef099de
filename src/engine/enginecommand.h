#pragma once

#include "engine/commandcallback.h"

#include <QString>
#include <QtGlobal>

// One exchange on the line: the request as it goes on the wire, room for the
// reply, and the callbacks to complete. A plain value: queues keep copies, and the
// callbacks are never owned.
struct EngineCommand
{
    enum Kind : quint8 { None, Plain, LevelPoll, Service, Autonomous };

    static constexpr int RequestCapacity = 16;
    static constexpr int ReplyCapacity = 32;

    unsigned char request[RequestCapacity] = {};
    unsigned char reply[ReplyCapacity] = {};
    quint8 requestLength = 0;
    quint8 replyLength = 0;
    quint8 receivedLength = 0;
    quint8 kind = None;
    CommandCallback* callback = nullptr;
    CommandCallback* userCallback = nullptr;
    // When the exchange ended (the reply complete, the time-out, the failure),
    // in milliseconds since the epoch: a reading taken from the reply bears
    // this time, however late someone looks at it.
    qint64 endedMs = 0;

    void executeCallback(CommandCallback::Result result, qint64 endedAtMs);
    void clear();
    QString toString() const;
};

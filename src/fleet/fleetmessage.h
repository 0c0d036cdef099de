#pragma once

#include <QByteArray>
#include <QString>

// One message for the broker: where it goes, what it says, and whether the
// broker keeps it as the topic's latest. Those that pass the outbox have a name
// there, which orders them.
struct FleetMessage
{
    QString name;
    QString topic;
    QByteArray payload;
    bool retain = false;
};

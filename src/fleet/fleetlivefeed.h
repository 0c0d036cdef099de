#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>

class FleetClient;

// Live readings to the fleet: at most one a second for each sensor, however
// fast the line polls, and none while the broker is out of reach.
class FleetLiveFeed
{
public:
    explicit FleetLiveFeed(FleetClient* client);

    // Whether a reading of this sensor would go out now, so that a reading
    // that would not need not be made into JSON.
    bool due(const QString& port, int address, qint64 nowMs) const;
    // True when this reading went out; false when it came too soon after the
    // last one of its sensor or no broker is connected.
    bool offer(const QString& port, int address, const QJsonObject& reading, qint64 nowMs);

    static constexpr qint64 IntervalMs = 1000;

private:
    static QString sensorKey(const QString& port, int address);

    FleetClient* const m_client;
    QHash<QString, qint64> m_lastSentMs; // port and address -> when
};

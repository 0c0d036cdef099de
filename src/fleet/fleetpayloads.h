#pragma once

#include "fleet/fleetmessage.h"
#include "fleet/fleetserver.h"

#include <QJsonObject>
#include <QList>

class TankTable;

// The messages Nivelon puts on the fleet's broker, and where under the
// user's prefix each goes:
//   PREFIX/records/CLIENT          every record, QoS 1, with an id of its own
//   PREFIX/vehicles/VEHICLE/record the vehicle's latest record, retained
//   PREFIX/tanks/MODEL             a tank model's table, retained (the tank library)
//   PREFIX/live/CLIENT/PORT/ADDRESS readings of open sensors, QoS 0
class FleetPayloads
{
public:
    // A record's messages: the one every record gets and, when it names a
    // vehicle, the retained latest of that vehicle.
    static QList<FleetMessage> record(const FleetServer& server, const QJsonObject& record);
    static FleetMessage tankTable(const FleetServer& server, const QString& model,
                                  const TankTable& table);
    // A reading published live; the port by its file name.
    static FleetMessage reading(const FleetServer& server, const QString& port, int address,
                                const QJsonObject& reading);

    // The tank model a library topic names; empty when the topic is not one.
    static QString tankModelOf(const FleetServer& server, const QString& topic);
    // The table of a library message; false with the reason when it holds none.
    static bool tableOf(const QByteArray& payload, TankTable* table, QString* error);
    static QString libraryPattern(const FleetServer& server);
    static QString recordsPattern(const FleetServer& server);
};

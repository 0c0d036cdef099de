#pragma once

#include <QString>
#include <QStringList>

namespace sim {

enum class Protocol { Omnicomm, ModBus, TBus };

// One row of the sensor model table as the simulator needs it: which protocol
// the sensor speaks and which optional behaviour it has.
struct SensorModel
{
    QString code;
    Protocol protocol = Protocol::Omnicomm;
    bool extendedConfiguration = false;
    bool calibration = false;
    bool autonomousMode = false;

    // The model with that code (case-insensitive), or false when there is none.
    static bool byCode(const QString& code, SensorModel* model);
    static QStringList codes();
};

// The only rate at which a sensor of the protocol understands the line.
int protocolBaudRate(Protocol protocol);
QString protocolName(Protocol protocol);

} // namespace sim

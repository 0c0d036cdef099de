#pragma once

#include "port/portsettings.h"

#include <QMetaType>
#include <QString>

// The port's name and line settings as the port panel shows them.
struct SerialPortSettings
{
    QString portName;
    PortSettings settings;
};

Q_DECLARE_METATYPE(SerialPortSettings)

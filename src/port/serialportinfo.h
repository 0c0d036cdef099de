#pragma once

#include <QMetaType>
#include <QString>

// One serial port as the enumerator lists it. The manager goes by the port name;
// the friendly name is what the user is shown.
struct SerialPortInfo
{
    QString portName;
    QString physName;
    QString friendName;
    QString enumName;
    int vendorID = 0;
    int productID = 0;
};

bool operator==(const SerialPortInfo& a, const SerialPortInfo& b);

Q_DECLARE_METATYPE(SerialPortInfo)

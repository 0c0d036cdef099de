#include "port/serialportinfo.h"

bool operator==(const SerialPortInfo& a, const SerialPortInfo& b)
{
    return a.portName == b.portName && a.physName == b.physName && a.friendName == b.friendName &&
           a.enumName == b.enumName && a.vendorID == b.vendorID && a.productID == b.productID;
}

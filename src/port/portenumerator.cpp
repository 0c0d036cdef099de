#include "port/portenumerator.h"

PortEnumerator* globalPortEnumerator = nullptr;

PortEnumerator::PortEnumerator(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<SerialPortInfo>("SerialPortInfo");
}

bool PortEnumerator::addPort(const QString&)
{
    return false;
}

#include "support/fakeportenumerator.h"

FakePortEnumerator::FakePortEnumerator(const QStringList& names, QObject* parent)
    : PortEnumerator(parent)
{
    for (const QString& name : names)
        ports.append(info(name));
}

SerialPortInfo FakePortEnumerator::info(const QString& name)
{
    SerialPortInfo info;
    info.portName = name;
    info.physName = QStringLiteral("/dev/") + name;
    info.friendName = QStringLiteral("Fake line (%1)").arg(name);
    info.enumName = QStringLiteral("fake");
    return info;
}

void FakePortEnumerator::plug(const QString& name)
{
    ports.append(info(name));
    emit deviceDiscovered(ports.last());
}

void FakePortEnumerator::unplug(const QString& name)
{
    for (int i = 0; i < ports.size(); ++i) {
        if (ports.at(i).portName == name) {
            const SerialPortInfo gone = ports.takeAt(i);
            emit deviceRemoved(gone);
            return;
        }
    }
}

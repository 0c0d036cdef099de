#include "session/portsearchorder.h"

#include <QRegularExpression>
#include <algorithm>

QList<SerialPortInfo> PortSearchOrder::sorted(const QList<SerialPortInfo>& ports,
                                              const QString& lastUsed)
{
    auto rank = [&lastUsed](const SerialPortInfo& port) {
        if (!lastUsed.isEmpty() && port.portName == lastUsed)
            return 0;
        return isAdapter(port) ? 1 : 2;
    };
    QList<SerialPortInfo> ordered = ports;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [&rank](const SerialPortInfo& a, const SerialPortInfo& b) { return rank(a) < rank(b); });
    return ordered;
}

QString PortSearchOrder::after(const QList<SerialPortInfo>& ordered, const QString& current,
                               const QStringList& skipped)
{
    if (ordered.isEmpty())
        return QString();
    int position = -1;
    for (int i = 0; i < ordered.size() && position < 0; ++i) {
        if (ordered.at(i).portName == current)
            position = i;
    }
    // Every other port once; every port when current is not among them.
    const int others = position < 0 ? ordered.size() : ordered.size() - 1;
    for (int step = 1; step <= others; ++step) {
        const QString& name = ordered.at((position + step) % ordered.size()).portName;
        if (!skipped.contains(name))
            return name;
    }
    return ordered.at((position + 1) % ordered.size()).portName;
}

bool PortSearchOrder::isAdapter(const SerialPortInfo& port)
{
    static const QRegularExpression adapterName(QStringLiteral("(^|/)tty(USB|ACM)[0-9]+$"));
    return port.vendorID != 0 || adapterName.match(port.portName).hasMatch() ||
           adapterName.match(port.physName).hasMatch();
}

#include "portscommand.h"

#include "port/systemportenumerator.h"

#include <QJsonArray>

void PortsCommand::start()
{
    const QList<SerialPortInfo> ports = SystemPortEnumerator().getPorts();
    QJsonArray list;
    for (const SerialPortInfo& port : ports) {
        m_output->text(QStringLiteral("%1\t%2").arg(port.portName, port.friendName));
        list.append(QJsonObject{{"port", port.portName},
                                {"name", port.friendName},
                                {"physical", port.physName},
                                {"enumerator", port.enumName}});
    }
    m_output->json(QJsonObject{{"ports", list}});
    finish(ExitDone);
}

#include "port/systemportenumerator.h"

#include "settings/settingskeys.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>
#include <QSocketNotifier>
#include <QtDebug>
#include <libudev.h>
#include <utility>

namespace {

const char kExtraPortsVariable[] = "NIVELON_PORTS";
const char kAddedPortsEnumName[] = "added";

QStringList existingPaths(const QStringList& paths)
{
    QStringList existing;
    for (const QString& path : paths) {
        if (QFileInfo::exists(path))
            existing.append(path);
    }
    return existing;
}

QString udevProperty(udev_device* device, const char* name)
{
    return QString::fromLocal8Bit(udev_device_get_property_value(device, name));
}

int hexProperty(udev_device* device, const char* name)
{
    return udevProperty(device, name).toInt(nullptr, 16);
}

// Virtual consoles and pseudo-terminal masters share the "tty" subsystem with
// real serial lines; a line that can be plugged in always hangs off a bus.
bool isPhysicalLine(udev_device* device)
{
    const char* devPath = udev_device_get_devpath(device);
    return devPath && !QByteArray(devPath).contains("/virtual/");
}

SerialPortInfo infoFromSystem(const QSerialPortInfo& port)
{
    SerialPortInfo info;
    info.portName = port.portName();
    info.physName = port.systemLocation();
    info.friendName = SystemPortEnumerator::friendlyName(port.description(), port.portName());
    info.enumName = QStringLiteral("system");
    info.vendorID = port.vendorIdentifier();
    info.productID = port.productIdentifier();
    return info;
}

} // namespace

SystemPortEnumerator::SystemPortEnumerator(QObject* parent)
    : PortEnumerator(parent)
    , m_addedPaths(QSettings().value(SettingsKeys::ExtraPorts).toStringList())
{
    m_addedPaths.removeAll(QString());
}

SystemPortEnumerator::~SystemPortEnumerator()
{
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

QList<SerialPortInfo> SystemPortEnumerator::getPorts() const
{
    QList<SerialPortInfo> ports = systemAndVariablePorts();
    ports.append(
        pathPorts(existingPaths(m_addedPaths), QString::fromLatin1(kAddedPortsEnumName), ports));
    return ports;
}

QList<SerialPortInfo> SystemPortEnumerator::systemAndVariablePorts()
{
    QList<SerialPortInfo> ports;
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : available)
        ports.append(infoFromSystem(port));
    ports.append(extraPorts(qgetenv(kExtraPortsVariable), ports));
    return ports;
}

bool SystemPortEnumerator::addPort(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const QList<SerialPortInfo> added =
        pathPorts({path}, QString::fromLatin1(kAddedPortsEnumName), getPorts());
    if (added.isEmpty())
        return true;
    m_addedPaths.append(path);
    QSettings().setValue(SettingsKeys::ExtraPorts, m_addedPaths);
    emit deviceDiscovered(added.first());
    return true;
}

QList<SerialPortInfo> SystemPortEnumerator::extraPorts(const QByteArray& variable,
                                                       const QList<SerialPortInfo>& systemPorts)
{
    const QStringList paths =
        QString::fromLocal8Bit(variable).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return pathPorts(paths, QString::fromLatin1(kExtraPortsVariable), systemPorts);
}

// One entry per path, skipping repeats and those already listed by name or device.
QList<SerialPortInfo> SystemPortEnumerator::pathPorts(const QStringList& paths,
                                                      const QString& enumName,
                                                      const QList<SerialPortInfo>& listed)
{
    QList<SerialPortInfo> extra;
    auto isListed = [&](const QString& path) {
        for (const QList<SerialPortInfo>* list : {&listed, &std::as_const(extra)}) {
            for (const SerialPortInfo& info : *list) {
                if (info.portName == path || info.physName == path)
                    return true;
            }
        }
        return false;
    };
    for (const QString& path : paths) {
        if (isListed(path))
            continue;
        SerialPortInfo info;
        info.portName = path;
        info.physName = path;
        info.friendName = path;
        info.enumName = enumName;
        extra.append(info);
    }
    return extra;
}

QString SystemPortEnumerator::friendlyName(const QString& description, const QString& portName)
{
    return description.isEmpty() ? portName : QStringLiteral("%1 (%2)").arg(description, portName);
}

bool SystemPortEnumerator::setUpNotifications()
{
    if (m_notifier)
        return true;
    m_udev = m_udev ? m_udev : udev_new();
    if (!m_udev)
        return false;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qWarning("Serial port hot-plug notifications are not available");
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return false;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this,
            &SystemPortEnumerator::slotOnMonitorReadable);
    return true;
}

void SystemPortEnumerator::slotOnMonitorReadable()
{
    // The monitor's socket does not block, so this drains what is queued and stops.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const QByteArray action = udev_device_get_action(device);
        if (isPhysicalLine(device)) {
            if (action == "add")
                emit deviceDiscovered(infoFromDevice(device));
            else if (action == "remove")
                emit deviceRemoved(infoFromDevice(device));
        }
        udev_device_unref(device);
    }
}

SerialPortInfo SystemPortEnumerator::infoFromDevice(udev_device* device)
{
    SerialPortInfo info;
    info.portName = QString::fromLocal8Bit(udev_device_get_sysname(device));
    info.physName = QString::fromLocal8Bit(udev_device_get_devnode(device));
    QString model = udevProperty(device, "ID_MODEL_FROM_DATABASE");
    if (model.isEmpty())
        model = udevProperty(device, "ID_MODEL").replace(QLatin1Char('_'), QLatin1Char(' '));
    info.friendName = friendlyName(model, info.portName);
    info.enumName = QStringLiteral("system");
    info.vendorID = hexProperty(device, "ID_VENDOR_ID");
    info.productID = hexProperty(device, "ID_MODEL_ID");
    return info;
}

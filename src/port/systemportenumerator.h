#pragma once

#include "port/portenumerator.h"

#include <QByteArray>
#include <QStringList>

class QSocketNotifier;
struct udev;
struct udev_device;
struct udev_monitor;

// The ports of this machine: what the serial library finds, plus the paths in
// NIVELON_PORTS and those the user added (pseudo-terminals and symlinks, which
// the system list never shows). Arrivals and removals come from a udev monitor,
// so nothing polls.
class SystemPortEnumerator : public PortEnumerator
{
    Q_OBJECT
public:
    explicit SystemPortEnumerator(QObject* parent = nullptr);
    ~SystemPortEnumerator() override;

    QList<SerialPortInfo> getPorts() const override;
    bool setUpNotifications() override;
    // Remembered for later runs; listed while the path exists.
    bool addPort(const QString& path) override;

    // The entries a NIVELON_PORTS value adds: colon-separated paths, empty ones
    // and repeats skipped, and none that the system list already has.
    static QList<SerialPortInfo> extraPorts(const QByteArray& variable,
                                            const QList<SerialPortInfo>& systemPorts);
    static QList<SerialPortInfo> pathPorts(const QStringList& paths, const QString& enumName,
                                           const QList<SerialPortInfo>& listed);
    static QString friendlyName(const QString& description, const QString& portName);

private:
    static QList<SerialPortInfo> systemAndVariablePorts();
    void slotOnMonitorReadable();
    static SerialPortInfo infoFromDevice(udev_device* device);

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QStringList m_addedPaths;
};

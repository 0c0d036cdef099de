#include "port/hardwareserialport.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The only place that looks at QSerialPort's error codes.
SerialPort::Error mapError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
        return SerialPort::NoError;
    case QSerialPort::DeviceNotFoundError:
        return SerialPort::NotFoundError;
    case QSerialPort::PermissionError:
        return SerialPort::PermissionError;
    case QSerialPort::OpenError:
        return SerialPort::OpenError;
    case QSerialPort::WriteError:
        return SerialPort::WriteError;
    case QSerialPort::ReadError:
        return SerialPort::ReadError;
    case QSerialPort::ResourceError:
        return SerialPort::DeviceRemovedError;
    case QSerialPort::TimeoutError:
        return SerialPort::TimeoutError;
    default:
        return SerialPort::UnknownError;
    }
}

QSerialPort::Parity toQtParity(ParityType parity)
{
    switch (parity) {
    case PAR_ODD:
        return QSerialPort::OddParity;
    case PAR_EVEN:
        return QSerialPort::EvenParity;
    case PAR_MARK:
        return QSerialPort::MarkParity;
    case PAR_SPACE:
        return QSerialPort::SpaceParity;
    case PAR_NONE:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQtStopBits(StopBitsType bits)
{
    switch (bits) {
    case STOP_1_5:
        return QSerialPort::OneAndHalfStop;
    case STOP_2:
        return QSerialPort::TwoStop;
    case STOP_1:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl toQtFlow(FlowType flow)
{
    switch (flow) {
    case FLOW_HARDWARE:
        return QSerialPort::HardwareControl;
    case FLOW_XONXOFF:
        return QSerialPort::SoftwareControl;
    case FLOW_OFF:
        break;
    }
    return QSerialPort::NoFlowControl;
}

// The device a name stands for, symlinks resolved; QSerialPort takes a bare name
// as one under /dev. A name that leads nowhere stays as it is, for the error.
QString devicePath(const QString& name)
{
    const QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
    const QString device = QFileInfo(path).canonicalFilePath();
    return device.isEmpty() ? name : device;
}

QString ownerName(uid_t uid)
{
    const passwd* user = getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group* entry = getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

} // namespace

HardwareSerialPort::HardwareSerialPort(QObject* parent)
    : SerialPort(parent)
    , m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    // A line whose far end is gone wakes the event loop without end until the
    // port is closed: the reader must hear of it now, not at its next tick.
    connect(m_port, &QSerialPort::errorOccurred, this, [this] {
        if (lineFailed())
            emit readyRead();
    });
}

QString HardwareSerialPort::portName() const
{
    return m_name;
}

void HardwareSerialPort::setPortName(const QString& name)
{
    // QSerialPort shortens "/dev/pts/3" to "pts/3" and gets the resolved device
    // anyway; the name must stay the one the port list gave, or the manager no
    // longer finds its port in the list.
    m_name = name;
}

// QSerialPort locks a device by the name it was opened under, so one line
// reached by a symlink and by its target would be opened twice and the two
// programs would garble each other's exchanges: it is opened by its device.
bool HardwareSerialPort::open()
{
    m_port->clearError();
    m_device = devicePath(m_name);
    m_port->setPortName(m_device);
    m_inUse = false;
    if (m_port->open(QIODevice::ReadWrite)) {
        applySettings();
        return true;
    }
    // QSerialPort reports another program's lock as a permission error; with
    // read and write access to the device it can only be the lock.
    m_inUse = mapError(m_port->error()) == PermissionError &&
              ::access(QFile::encodeName(m_device).constData(), R_OK | W_OK) == 0;
    return false;
}

void HardwareSerialPort::close()
{
    m_port->close();
}

bool HardwareSerialPort::isOpen() const
{
    return m_port->isOpen();
}

qint64 HardwareSerialPort::read(char* data, qint64 maxSize)
{
    const qint64 count = m_port->read(data, maxSize);
    // A line whose other end is gone stays open and only ever reads nothing; the
    // failure must reach the reader, or it waits on a dead line for ever.
    if (count == 0 && lineFailed())
        return -1;
    return count;
}

bool HardwareSerialPort::lineFailed() const
{
    const int error = lastError();
    return error == ReadError || error == DeviceRemovedError;
}

qint64 HardwareSerialPort::write(const char* data, qint64 size)
{
    const qint64 written = m_port->write(data, size);
    // QSerialPort keeps the bytes until the event loop comes round again: the
    // request would leave later than the line is free. A failure to hand them on
    // is the port's error, as it would be from the later write.
    if (written > 0)
        m_port->flush();
    return written;
}

int HardwareSerialPort::lastError() const
{
    return m_inUse ? InUseError : mapError(m_port->error());
}

QString HardwareSerialPort::errorString() const
{
    const int error = lastError();
    if (error == InUseError)
        return explained(error, tr("%1 is in use by another program").arg(m_device));
    if (error == PermissionError)
        return deniedText();
    if (readByAnother())
        return tr("another program may be using the port: bytes announced on it were gone when "
                  "read (%1)")
            .arg(m_port->errorString());
    return explained(error, m_port->errorString());
}

// Two programs reading one port: the bytes the system announced to one were
// taken by the other.
bool HardwareSerialPort::readByAnother() const
{
    return lastError() == ReadError && m_port->errorString() == qt_error_string(EAGAIN);
}

// The dialout group helps only where the device belongs to it.
QString HardwareSerialPort::deniedText() const
{
    struct stat status;
    if (::stat(QFile::encodeName(m_device).constData(), &status) != 0 ||
        (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return tr("%1; nobody may write %2: it is no serial port, check the name")
            .arg(m_port->errorString(), m_device);
    const QString group = groupName(status.st_gid);
    if (group == QLatin1String("dialout") && (status.st_mode & S_IWGRP))
        return explained(PermissionError, m_port->errorString());
    return tr("%1; %2 is for %3 only (group %4, mode %5): run as %3, or have the administrator "
              "give it to the dialout group (a udev rule)")
        .arg(m_port->errorString(), m_device, ownerName(status.st_uid), group)
        .arg(status.st_mode & 07777, 4, 8, QLatin1Char('0'));
}

void HardwareSerialPort::applySettings()
{
    if (!m_port->isOpen())
        return;
    const PortSettings& s = settings();
    // A LIN master switches parity within one frame: the byte written under the
    // old parity must have left the UART before the line changes, or it goes out
    // with the new one. That is about a millisecond per byte at 9600 baud.
    m_port->flush();
    if (toQtParity(s.Parity) != m_port->parity())
        tcdrain(int(m_port->handle()));
    m_port->setBaudRate(baudRateValue(s.BaudRate));
    m_port->setDataBits(QSerialPort::DataBits(s.DataBits));
    m_port->setParity(toQtParity(s.Parity));
    m_port->setStopBits(toQtStopBits(s.StopBits));
    m_port->setFlowControl(toQtFlow(s.FlowControl));
}

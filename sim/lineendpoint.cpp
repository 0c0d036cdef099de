#include "lineendpoint.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

struct SpeedRow
{
    speed_t code;
    int rate;
};

const SpeedRow speedTable[] = {
    {B300, 300},       {B600, 600},       {B1200, 1200},     {B2400, 2400},   {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600}, {B115200, 115200},
    {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

int rateOf(speed_t code)
{
    for (const SpeedRow& row : speedTable) {
        if (row.code == code)
            return row.rate;
    }
    return 0;
}

speed_t codeOf(int rate)
{
    for (const SpeedRow& row : speedTable) {
        if (row.rate == rate)
            return row.code;
    }
    return B9600;
}

int dataBits(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

double LineSettings::wireMs(int bytes) const
{
    return baudRate > 0 ? bytes * bitsPerCharacter * 1000.0 / baudRate : 0.0;
}

LineEndpoint::LineEndpoint(QObject* parent)
    : QObject(parent)
{}

LineEndpoint::~LineEndpoint()
{
    close();
}

bool LineEndpoint::openPseudoTerminal(QString* error)
{
    close();
    // Not inherited: a tool the tests start must see the line go when it stops.
    fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        *error = systemError("cannot create a pseudo-terminal");
        close();
        return false;
    }
    portPath = QString::fromLocal8Bit(ptsname(fd));
    if (!openSlaveRaw(error))
        return false;
    watch();
    return true;
}

bool LineEndpoint::openSlaveRaw(QString* error)
{
    // Holding the slave open keeps the master from seeing a hang-up whenever the
    // program closes its port, and lets the line be raw before anyone opens it, so
    // the terminal layer never echoes or rewrites the first bytes.
    slaveFd =
        ::open(portPath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings;
    if (slaveFd < 0 || tcgetattr(slaveFd, &settings) != 0) {
        *error = systemError("cannot open the pseudo-terminal's slave side");
        close();
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    tcsetattr(slaveFd, TCSANOW, &settings);
    return true;
}

bool LineEndpoint::openDevice(const QString& path, int baudRate, QString* error)
{
    close();
    fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings;
    if (fd < 0 || tcgetattr(fd, &settings) != 0) {
        *error = systemError("cannot open the serial device");
        close();
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&settings, codeOf(baudRate));
    cfsetospeed(&settings, codeOf(baudRate));
    tcsetattr(fd, TCSANOW, &settings);
    portPath = path;
    watch();
    return true;
}

void LineEndpoint::watch()
{
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &LineEndpoint::readyRead);
}

void LineEndpoint::close()
{
    delete notifier;
    notifier = nullptr;
    if (slaveFd >= 0)
        ::close(slaveFd);
    if (fd >= 0)
        ::close(fd);
    slaveFd = -1;
    fd = -1;
}

bool LineEndpoint::makeLink(const QString& linkPath, QString* error)
{
    if (linkPath.isEmpty())
        return true;
    // Replace only an old link; a real file in the way is the user's, not ours.
    if (QFileInfo(linkPath).isSymLink())
        QFile::remove(linkPath);
    if (QFile::link(portPath, linkPath))
        return true;
    *error = QStringLiteral("cannot create the link %1").arg(linkPath);
    return false;
}

void LineEndpoint::removeLink(const QString& linkPath)
{
    if (!linkPath.isEmpty() && QFileInfo(linkPath).isSymLink())
        QFile::remove(linkPath);
}

QByteArray LineEndpoint::readAll()
{
    QByteArray bytes;
    char chunk[512];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count <= 0)
            break;
        bytes.append(chunk, int(count));
    }
    return bytes;
}

bool LineEndpoint::write(const QByteArray& bytes)
{
    // Nobody reading the far side fills the buffer; a sensor talking into a line
    // nobody listens to loses its frames, it does not wait.
    return fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

LineSettings LineEndpoint::settings() const
{
    // On a pseudo-terminal master Linux reports the slave's settings, which are
    // the ones the program has set on its port.
    LineSettings line;
    termios current;
    if (fd < 0 || tcgetattr(fd, &current) != 0)
        return line;
    line.baudRate = rateOf(cfgetospeed(&current));
    line.bitsPerCharacter = 1 + dataBits(current.c_cflag) + ((current.c_cflag & PARENB) ? 1 : 0) +
                            ((current.c_cflag & CSTOPB) ? 2 : 1);
    return line;
}

} // namespace sim

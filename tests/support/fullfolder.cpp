#include "support/fullfolder.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

FullFolder::FullFolder(Kind kind)
    : m_kind(kind)
{
    // The limit is told by a signal that would end the process; a tool started
    // from here on ignores it too.
    if (kind == WriteLimit)
        std::signal(SIGXFSZ, SIG_IGN);
    if (kind != FullFileSystem)
        return;
    // Room for a few small files, and little else.
    const QByteArray path = QFile::encodeName(m_folder.path());
    if (::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0)
        m_mounted = true;
    else
        m_unavailable = QStringLiteral("no tmpfs can be mounted here: %1")
                            .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

FullFolder::~FullFolder()
{
    release();
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
}

QString FullFolder::reason() const
{
    return QString::fromLocal8Bit(std::strerror(m_kind == FullFileSystem ? ENOSPC : EFBIG));
}

void FullFolder::fill(qint64 process)
{
    if (m_kind == WriteLimit) {
        getrlimit(RLIMIT_FSIZE, &m_limit);
        const rlimit none{0, m_limit.rlim_max};
        if (process != 0)
            prlimit(pid_t(process), RLIMIT_FSIZE, &none, nullptr);
        else
            m_limited = setrlimit(RLIMIT_FSIZE, &none) == 0;
        return;
    }
    const int descriptor = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                                  O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const QByteArray block(512, '\0');
    while (descriptor >= 0 && ::write(descriptor, block.constData(), size_t(block.size())) > 0) {
    }
    if (descriptor >= 0)
        ::close(descriptor);
}

void FullFolder::release()
{
    if (m_limited)
        setrlimit(RLIMIT_FSIZE, &m_limit);
    m_limited = false;
}

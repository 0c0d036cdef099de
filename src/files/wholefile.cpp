#include "files/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Deeper than any sane chain of links; a loop ends here.
const int kMaximumLinks = 40;

QString systemReason(int error)
{
    return qt_error_string(error);
}

bool writeAll(int descriptor, const QByteArray& content)
{
    const char* data = content.constData();
    qint64 left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing without an error would loop for ever.
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// A new file gets what the umask allows, an existing one keeps its permissions.
mode_t modeFor(const QByteArray& target)
{
    struct stat status;
    if (::stat(target.constData(), &status) == 0)
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The rename is only durable once the folder is; a folder that cannot be synced
// (some file systems refuse) still holds the renamed file.
void syncFolder(const QByteArray& folder)
{
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// Hidden beside the target: a rename within one folder is atomic.
QByteArray temporaryTemplate(const QFileInfo& target)
{
    return QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName()) +
           ".XXXXXX";
}

// Why a path that exists is not a file to write or read, or an empty text.
QString notRegular(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return QString();
    return S_ISDIR(status.st_mode) ? WholeFile::tr("it is a folder")
                                   : WholeFile::tr("not a regular file (a device or a pipe)");
}

} // namespace

QString WholeFile::writeFailure(const QString& path, const QString& reason)
{
    return tr("cannot write %1: %2").arg(path, reason);
}

QString WholeFile::target(const QString& path, QString* error)
{
    QString target = QFileInfo(path).absoluteFilePath();
    // A link that leads nowhere yet names the file to create.
    for (int links = 0; QFileInfo(target).isSymLink(); ++links) {
        if (links == kMaximumLinks) {
            *error = writeFailure(path, systemReason(ELOOP));
            return QString();
        }
        target = QFileInfo(target).symLinkTarget();
    }
    const QString reason = notRegular(target);
    if (reason.isEmpty())
        return target;
    *error = writeFailure(path, reason);
    return QString();
}

bool WholeFile::write(const QString& path, const QByteArray& content, QString* error)
{
    const QString target = WholeFile::target(path, error);
    if (target.isEmpty())
        return false;
    const QFileInfo info(target);
    const QByteArray name = QFile::encodeName(target);
    QByteArray temporary = temporaryTemplate(info);
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        *error = writeFailure(path, systemReason(errno));
        return false;
    }
    // Each step is checked, the last write's data included: a full disk may
    // only show at the sync.
    bool written = ::fchmod(descriptor, modeFor(name)) == 0 && writeAll(descriptor, content) &&
                   ::fsync(descriptor) == 0;
    int failure = errno;
    if (::close(descriptor) != 0 && written) {
        written = false;
        failure = errno;
    }
    if (written && ::rename(temporary.constData(), name.constData()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written) {
        ::unlink(temporary.constData());
        *error = writeFailure(path, systemReason(failure));
        return false;
    }
    syncFolder(QFile::encodeName(info.absolutePath()));
    return true;
}

bool WholeFile::writable(const QString& path, QString* error)
{
    const QString target = WholeFile::target(path, error);
    if (target.isEmpty())
        return false;
    QByteArray probe = temporaryTemplate(QFileInfo(target));
    const int descriptor = ::mkostemp(probe.data(), O_CLOEXEC);
    if (descriptor < 0) {
        *error = writeFailure(path, systemReason(errno));
        return false;
    }
    ::close(descriptor);
    ::unlink(probe.constData());
    return true;
}

bool WholeFile::read(const QString& path, qint64 maxBytes, QByteArray* content, QString* error)
{
    const auto fail = [&](const QString& reason) {
        *error = tr("cannot read %1: %2").arg(path, reason);
        return false;
    };
    QString reason = notRegular(path);
    if (!reason.isEmpty())
        return fail(reason);
    // Not blocking: a pipe put there since the check opens at once instead of
    // waiting for a writer, and is refused below.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return fail(systemReason(errno));
    const auto tooLarge = [maxBytes](qint64 bytes) {
        return tr("%1 bytes, more than the %2 such a file can have").arg(bytes).arg(maxBytes);
    };
    struct stat status;
    QFile file;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        reason = tr("not a regular file (a device or a pipe)");
    else if (status.st_size > maxBytes)
        reason = tooLarge(status.st_size);
    else if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        reason = file.errorString();
    if (!reason.isEmpty()) {
        if (!file.isOpen())
            ::close(descriptor);
        return fail(reason);
    }
    // Read no further than the limit, should the file have grown since.
    *content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (content->size() > maxBytes)
        return fail(tooLarge(content->size()));
    return true;
}

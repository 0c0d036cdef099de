#include "stdinlines.h"

#include <QSocketNotifier>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A line longer than any answer is cut here rather than held in memory.
const int kLongestLine = 4096;
} // namespace

StdinLines::StdinLines(QObject* parent)
    : QObject(parent)
    , m_notifier(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &StdinLines::readAvailable);
}

void StdinLines::holdClosedInput()
{
    // The lowest free descriptor is the one open() returns: 0 here.
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1 && errno == EBADF)
        ::open("/dev/null", O_RDONLY);
}

// One read per notification: it cannot block, since the notifier saw data or the end.
void StdinLines::readAvailable()
{
    char buffer[1024];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (count <= 0) {
        end();
        return;
    }
    m_pending.append(buffer, int(count));
    int newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(newline);
        m_pending.remove(0, newline + 1);
        emit lineRead(QString::fromLocal8Bit(line).trimmed());
    }
    if (m_pending.size() > kLongestLine) {
        emit lineRead(QString::fromLocal8Bit(m_pending.left(kLongestLine)).trimmed());
        m_pending.clear();
    }
}

void StdinLines::end()
{
    m_notifier->setEnabled(false);
    // A last line without its line feed is still an answer.
    if (!m_pending.trimmed().isEmpty())
        emit lineRead(QString::fromLocal8Bit(m_pending).trimmed());
    m_pending.clear();
    emit ended();
}

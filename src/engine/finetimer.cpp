#include "engine/finetimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <sys/timerfd.h>
#include <unistd.h>

FineTimer::FineTimer(QObject* parent)
    : QObject(parent)
    , m_fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FineTimer::expire);
}

FineTimer::~FineTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void FineTimer::start(qint64 nanoseconds)
{
    if (m_fd < 0)
        return;
    // A zero time would disarm the timer instead.
    m_intervalNs = std::max<qint64>(1, nanoseconds);
    itimerspec due{};
    due.it_value.tv_sec = time_t(m_intervalNs / 1000000000);
    due.it_value.tv_nsec = long(m_intervalNs % 1000000000);
    m_active = timerfd_settime(m_fd, 0, &due, nullptr) == 0;
}

void FineTimer::expire()
{
    quint64 expirations = 0;
    // Nothing to read: a start since the expiry moved the moment on.
    if (::read(m_fd, &expirations, sizeof expirations) <= 0)
        return;
    m_active = false;
    emit timeout();
}

#include "stopsignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

StopSignals::StopSignals(QObject* parent)
    : QObject(parent)
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    // Without a descriptor the signals keep their default: they end the tool.
    m_descriptor = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_descriptor < 0 || pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) != 0)
        return;
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignals);
}

StopSignals::~StopSignals()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void StopSignals::readSignals()
{
    signalfd_siginfo info;
    while (::read(m_descriptor, &info, sizeof info) == ssize_t(sizeof info))
        emit raised(int(info.ssi_signo));
}

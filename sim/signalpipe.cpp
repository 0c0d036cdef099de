#include "signalpipe.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sim {

int SignalPipe::writeEnd = -1;

SignalPipe::SignalPipe(const QList<int>& signalNumbers, QObject* parent)
    : QObject(parent)
{
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    readEnd = ends[0];
    writeEnd = ends[1];
    notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SignalPipe::drain);
    struct sigaction action = {};
    action.sa_handler = &SignalPipe::handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : signalNumbers)
        sigaction(number, &action, nullptr);
}

SignalPipe::~SignalPipe()
{
    if (readEnd < 0)
        return;
    ::close(writeEnd);
    ::close(readEnd);
    writeEnd = -1;
}

void SignalPipe::handler(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (writeEnd >= 0)
        (void)!::write(writeEnd, &byte, 1);
}

void SignalPipe::drain()
{
    unsigned char byte = 0;
    while (::read(readEnd, &byte, 1) == 1)
        emit raised(byte);
}

} // namespace sim

#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

namespace sim {

// Brings POSIX signals into the event loop: the handler only writes the signal
// number into a pipe, and a socket notifier reads it back as a Qt signal.
class SignalPipe : public QObject
{
    Q_OBJECT
public:
    explicit SignalPipe(const QList<int>& signalNumbers, QObject* parent = nullptr);
    ~SignalPipe() override;

signals:
    void raised(int signalNumber);

private:
    static void handler(int signalNumber);
    void drain();

    static int writeEnd;
    int readEnd = -1;
    QSocketNotifier* notifier = nullptr;
};

} // namespace sim

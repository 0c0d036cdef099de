#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM as events of the event loop. They are blocked and read from
// a signalfd, so no handler runs at all: a command ends in its own time, after
// the line it is writing, with what it has gathered.
class StopSignals : public QObject
{
    Q_OBJECT
public:
    // Blocks the signals in the calling thread and in the threads it starts
    // after this; nivelon-cli starts none.
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void raised(int signalNumber);

private:
    void readSignals();

    int m_descriptor = -1;
    QSocketNotifier* m_notifier = nullptr;
};

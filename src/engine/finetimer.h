#pragma once

#include <QObject>

class QSocketNotifier;

// A single-shot timer to the microsecond, on the event loop like a QTimer:
// QTimer counts whole milliseconds, and a gap of 3.65 ms kept with it lasts 4.
// Where the system gives no such timer it never fires; a QTimer must back it.
class FineTimer : public QObject
{
    Q_OBJECT
public:
    explicit FineTimer(QObject* parent = nullptr);
    ~FineTimer() override;

    // Fires once, nanoseconds from now; a later start replaces an earlier one.
    void start(qint64 nanoseconds);
    bool isActive() const { return m_active; }
    qint64 intervalNs() const { return m_intervalNs; }

signals:
    void timeout();

private:
    void expire();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    bool m_active = false;
    qint64 m_intervalNs = 0;
};

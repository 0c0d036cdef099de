#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Tells when a sensor has gone silent: nothing heard from it for longer than
// its silence limit. One single-shot timer, running only while the sensor is
// heard, fires when it would turn stale; a stale sensor needs no timer, since
// only a reply can end its silence.
class ReplyWatch : public QObject
{
    Q_OBJECT
public:
    // Milliseconds since the epoch.
    using Clock = std::function<qint64()>;

    explicit ReplyWatch(QObject* parent = nullptr);

    // Test aid: the time the watch reads.
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Where the watch reads, at every check, when something was last heard.
    void setHeardSource(Clock source) { m_heardSource = std::move(source); }
    void setSilenceMs(int milliseconds) { m_silenceMs = milliseconds; }
    // Something was heard at time; an earlier time than known changes nothing.
    void heard(qint64 time);
    bool isStale() const { return m_stale; }
    qint64 lastHeard() const { return m_lastHeard; }

signals:
    void staleChanged(bool stale);

public slots:
    // Decides from the time now; run by the timer and after every update.
    void slotCheck();

private:
    Clock m_clock;
    Clock m_heardSource;
    QTimer m_timer;
    qint64 m_lastHeard;
    int m_silenceMs = 0;
    bool m_stale = false;
};

#include "views/replywatch.h"

#include <QDateTime>
#include <algorithm>

// A sensor never heard is silent since the watch began.
ReplyWatch::ReplyWatch(QObject* parent)
    : QObject(parent)
    , m_clock(&QDateTime::currentMSecsSinceEpoch)
    , m_lastHeard(m_clock())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReplyWatch::slotCheck);
}

void ReplyWatch::heard(qint64 time)
{
    m_lastHeard = std::max(m_lastHeard, time);
}

void ReplyWatch::slotCheck()
{
    if (m_heardSource)
        heard(m_heardSource());
    const qint64 left = m_lastHeard + m_silenceMs - m_clock();
    const bool stale = left <= 0;
    // Started early, the timer comes back here and waits on for the rest.
    if (stale)
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start(int(std::min<qint64>(left, m_silenceMs)));
    if (stale == m_stale)
        return;
    m_stale = stale;
    emit staleChanged(stale);
}

#include "log/followingscroll.h"

#include <QScrollBar>

FollowingScroll::FollowingScroll(QScrollBar* bar)
    : QObject(bar)
{
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_following = value >= bar->maximum(); });
    // A new line grows the range and leaves the value where it was.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_following)
            bar->setValue(maximum);
    });
}

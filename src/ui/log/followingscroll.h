#pragma once

#include <QObject>

class QScrollBar;

// Keeps a growing view at its newest line for as long as the user leaves it at
// the bottom; once the user scrolls up it stays where it was put, until scrolled
// down to the bottom again. Lives as long as the scroll bar.
class FollowingScroll : public QObject
{
    Q_OBJECT
public:
    explicit FollowingScroll(QScrollBar* bar);

    bool isFollowing() const { return m_following; }

private:
    bool m_following = true;
};

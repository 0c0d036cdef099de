#pragma once

#include <QObject>
#include <QPoint>

class QAction;
class QHeaderView;
class QMenu;
class QWidget;

// Gives a header view a context menu with one check box per column, so the user
// can hide the columns they do not need. One object can serve several headers.
class HeaderViewHiderMenu : public QObject
{
    Q_OBJECT
public:
    explicit HeaderViewHiderMenu(QObject* parent = nullptr);

    void install(QHeaderView* header);

    // The menu for a header, and what choosing one of its actions does; apart
    // from the slot so that the menu can be checked without running it.
    static QMenu* createMenu(QHeaderView* header, QWidget* parent);
    static void applyChoice(QHeaderView* header, const QAction* chosen);

protected slots:
    void slotContextMenuRequested(QPoint p);
};

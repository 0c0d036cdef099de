#pragma once

#include <QTabWidget>

// The tab widget of the sensor tabs: one tab (the status tab) must not be closable
// while all the others are. A change of the current tab is also reported with the
// new tab's widget, for slots that want the page rather than its index.
class MainTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit MainTabWidget(QWidget* parent = nullptr);

    // Only removing is ever asked for: with closable true nothing changes.
    void setTabClosable(int index, bool closable);

signals:
    void currentChanged(QWidget* widget);
};

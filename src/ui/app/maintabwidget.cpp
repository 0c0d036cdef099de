#include "app/maintabwidget.h"

#include <QStyle>
#include <QTabBar>

MainTabWidget::MainTabWidget(QWidget* parent)
    : QTabWidget(parent)
{
    connect(this, qOverload<int>(&QTabWidget::currentChanged), this,
            [this](int index) { emit currentChanged(widget(index)); });
}

void MainTabWidget::setTabClosable(int index, bool closable)
{
    if (closable)
        return;
    // The close button sits on whichever side the style puts it.
    const auto side = QTabBar::ButtonPosition(
        style()->styleHint(QStyle::SH_TabBar_CloseButtonPosition, nullptr, tabBar()));
    if (QWidget* button = tabBar()->tabButton(index, side)) {
        tabBar()->setTabButton(index, side, nullptr);
        button->deleteLater();
    }
}

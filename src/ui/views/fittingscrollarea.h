#pragma once

#include <QScrollArea>

// A scroll area that is never narrower than the least width of what it holds
// and scrolls only up and down: a form that wraps its rows fits any width down
// to that, and one taller than the window scrolls, with nothing cut at the side.
class FittingScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

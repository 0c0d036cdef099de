#pragma once

#include <QColor>
#include <QToolButton>

// A tool button that holds a colour, shows it as a rounded swatch and lets the
// user pick another one (the plot settings use it for curve colours).
class ColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

public slots:
    void slotClicked();

private:
    void updateIcon();

    QColor m_color;
};

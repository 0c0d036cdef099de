#include "app/colorbutton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorButton::ColorButton(QWidget* parent)
    : QToolButton(parent)
{
    connect(this, &QToolButton::clicked, this, &ColorButton::slotClicked);
}

void ColorButton::setColor(const QColor& color)
{
    m_color = color;
    updateIcon();
}

void ColorButton::slotClicked()
{
    const QColor chosen = QColorDialog::getColor(m_color, window());
    if (chosen.isValid())
        setColor(chosen);
}

void ColorButton::updateIcon()
{
    QPixmap pixmap(iconSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A half-transparent rim keeps a light colour visible on a light button.
    QColor rim = m_color;
    rim.setAlpha(127);
    painter.setPen(QPen(rim, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(QBrush(m_color, Qt::SolidPattern));
    painter.drawRoundedRect(QRectF(2, 2, pixmap.width() - 4, pixmap.height() - 4), 3, 3,
                            Qt::AbsoluteSize);
    painter.end();
    setIcon(QIcon(pixmap));
}

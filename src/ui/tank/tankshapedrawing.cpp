#include "tank/tankshapedrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace {

const int kMargin = 10;

} // namespace

TankShapeDrawing::TankShapeDrawing(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(160, 120);
}

void TankShapeDrawing::setTank(const TankShape& shape, const TankProbe& probe, bool valid)
{
    m_shape = shape;
    m_probe = probe;
    m_valid = valid;
    update();
}

// Up is up: the outline's heights turn into rows counted from the bottom.
void TankShapeDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_valid)
        return;
    const QPolygonF outline(m_shape.outline());
    const QRectF box = outline.boundingRect();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double scale = std::min(area.width() / box.width(), area.height() / box.height());
    const QPointF origin(area.center().x() - box.center().x() * scale,
                         area.center().y() + box.center().y() * scale);
    auto place = [&](const QPointF& point) {
        return QPointF(origin.x() + point.x() * scale, origin.y() - point.y() * scale);
    };
    QPolygonF drawn;
    for (const QPointF& point : outline)
        drawn << place(point);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 2));
    painter.setBrush(QColor(0xdd, 0xe8, 0xf4));
    painter.drawPolygon(drawn);
    const double x = box.center().x();
    painter.setPen(QPen(Qt::red, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(place(QPointF(x, m_probe.start)),
                     place(QPointF(x, m_probe.start + m_probe.length)));
}

#include "plot/rectilinearstroke.h"

#include "plot/stickpattern.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <map>
#include <tuple>

namespace {

const QPoint Steps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

// Far beyond any canvas, and far enough from the limits of an int that a
// body's rectangle cannot overflow.
constexpr double Limit = 1e8;

int direction(QPoint from, QPoint to)
{
    const QPoint d = to - from;
    return d.x() > 0 ? 0 : d.y() > 0 ? 1 : d.x() < 0 ? 2 : 3;
}

bool isWholePixel(const QPointF& p)
{
    return std::abs(p.x()) < Limit && std::abs(p.y()) < Limit && double(int(p.x())) == p.x() &&
           double(int(p.y())) == p.y();
}

// Whole, even widths put every edge of a body between pixel centres.
bool suits(const QPainter* painter)
{
    const QPen& pen = painter->pen();
    const double width = pen.widthF();
    return StickPattern::suits(painter, pen) && pen.style() == Qt::SolidLine &&
           pen.capStyle() == Qt::SquareCap && !pen.isCosmetic() && width >= 2 && width <= 64 &&
           std::fmod(width, 2) == 0;
}

} // namespace

RectilinearStroke::RectilinearStroke(const QPainter* painter)
{
    if (!suits(painter))
        return;
    const QPen& pen = painter->pen();
    static std::map<std::tuple<double, int, double>, Turns> probed;
    const auto key = std::make_tuple(pen.widthF(), int(pen.joinStyle()), pen.miterLimit());
    auto found = probed.find(key);
    if (found == probed.end())
        found = probed.emplace(key, probe(pen)).first;
    if (!found->second.valid)
        return;
    m_half = int(pen.widthF()) / 2;
    m_turns = &found->second;
}

bool RectilinearStroke::draw(QPainter* painter, const QPolygonF& polygon) const
{
    QVector<QRect> rects;
    if (!isValid() || !rectangles(polygon, &rects))
        return false;
    StickPattern::fill(painter, rects);
    return true;
}

bool RectilinearStroke::rectangles(const QPolygonF& polygon, QVector<QRect>* rects) const
{
    // Repeated points and straight runs through several points stroke as one
    // segment, from start to corner; a segment's body is known once the next
    // one turns away from it.
    QPoint start;
    QPoint corner;
    int heading = -1;
    bool first = true;
    rects->reserve(polygon.size() + 2);
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF& p = polygon[i];
        if (!isWholePixel(p))
            return false;
        const QPoint q(int(p.x()), int(p.y()));
        if (i == 0)
            start = corner = q;
        if (q == corner)
            continue;
        if (q.x() != corner.x() && q.y() != corner.y())
            return false;
        const int towards = direction(corner, q);
        if (heading >= 0 && towards != heading) {
            rects->append(body(start, corner, m_half, first, false));
            for (const QPoint& offset : m_turns->added[heading][towards])
                rects->append(QRect(corner + offset, QSize(1, 1)));
            first = false;
            start = corner;
        }
        heading = towards;
        corner = q;
    }
    if (heading < 0)
        return false;
    rects->append(body(start, corner, m_half, first, true));
    return true;
}

QRect RectilinearStroke::body(QPoint from, QPoint to, int half, bool capFrom, bool capTo)
{
    const QPoint step = Steps[direction(from, to)];
    if (capFrom)
        from -= step * half;
    if (capTo)
        to += step * half;
    // A segment covers the pixels whose centres lie inside it: from its
    // lower edge up to one short of its upper one.
    if (step.y() == 0) {
        return QRect(QPoint(std::min(from.x(), to.x()), from.y() - half),
                     QPoint(std::max(from.x(), to.x()) - 1, from.y() + half - 1));
    }
    return QRect(QPoint(from.x() - half, std::min(from.y(), to.y())),
                 QPoint(from.x() + half - 1, std::max(from.y(), to.y()) - 1));
}

RectilinearStroke::Turns RectilinearStroke::probe(const QPen& pen)
{
    // Each turn is stroked with arms long enough that their caps stay clear
    // of it; every pixel beyond the arms' bodies must lie near the turn (a
    // mitred reversal's spike reaches out a width or so).
    const int width = int(pen.widthF());
    const int half = width / 2;
    const int arm = 3 * width + 2;
    const int size = 2 * (arm + width + 2);
    const QPoint turn(size / 2, size / 2);
    QPen black = pen;
    black.setColor(Qt::black);
    Turns turns;
    for (int in = 0; in < 4; ++in) {
        for (int out = 0; out < 4; ++out) {
            if (in == out)
                continue;
            const QPoint start = turn - Steps[in] * arm;
            const QPoint end = turn + Steps[out] * (out == (in + 2) % 4 ? arm / 2 : arm);
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                painter.setPen(black);
                painter.drawPolyline(QPolygonF({start, turn, end}));
            }
            const QRect bodies[] = {body(start, turn, half, true, false),
                                    body(turn, end, half, false, true)};
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const int alpha = qAlpha(image.pixel(x, y));
                    const bool inBody = bodies[0].contains(x, y) || bodies[1].contains(x, y);
                    const QPoint offset = QPoint(x, y) - turn;
                    if (alpha != 0 && alpha != 255)
                        return {};
                    if (inBody != (alpha == 0))
                        continue;
                    if (inBody || std::abs(offset.x()) > 3 * width ||
                        std::abs(offset.y()) > 3 * width)
                        return {};
                    turns.added[in][out].append(offset);
                }
            }
        }
    }
    turns.valid = true;
    return turns;
}

#include "plot/stickpattern.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>
#include <qwt_painter.h>
#include <vector>

bool StickPattern::suits(const QPainter* painter, const QPen& pen)
{
    return painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster &&
           painter->transform().isIdentity() && !painter->testRenderHint(QPainter::Antialiasing) &&
           painter->compositionMode() == QPainter::CompositionMode_SourceOver &&
           pen.brush().style() == Qt::SolidPattern && pen.color().alpha() == 255;
}

StickPattern::StickPattern(QPainter* painter, const QPen& pen, double y0, double y1)
{
    if (!suits(painter, pen))
        return;
    // Every redraw asks for the same few sticks again; the pixels do not
    // depend on the colour, so an opaque pen of another colour finds them too.
    struct Probed
    {
        QPen pen;
        double y0;
        double y1;
        int height;
        StickPattern pattern;
    };
    constexpr int Kept = 8;
    static std::vector<Probed> probed;
    QPen black = pen;
    black.setColor(Qt::black);
    const int height = painter->device()->height();
    for (const Probed& p : probed) {
        if (p.pen == black && p.y0 == y0 && p.y1 == y1 && p.height == height) {
            *this = p.pattern;
            return;
        }
    }
    probe(black, y0, y1, height);
    if (probed.size() == Kept)
        probed.erase(probed.begin());
    probed.push_back({black, y0, y1, height, *this});
}

void StickPattern::probe(const QPen& pen, double y0, double y1, int height)
{
    // The stick stands in an image as tall as the device, so its dashes are
    // cut off where they would be on the device.
    const int margin = int(std::ceil(pen.widthF())) + 2;
    const int x = margin;
    QImage image(2 * margin + 1, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter stick(&image);
        stick.setPen(pen);
        QwtPainter::drawLine(&stick, x, y0, x, y1);
    }
    m_valid = read(image);
    m_left -= x;
    m_right -= x;
}

bool StickPattern::read(const QImage& image)
{
    bool found = false;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int left = -1;
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            if (qAlpha(line[x]) != 255 || (right >= 0 && right != x - 1))
                return false;
            if (left < 0)
                left = x;
            right = x;
        }
        if (left < 0)
            continue;
        if (found && (left != m_left || right != m_right))
            return false;
        found = true;
        m_left = left;
        m_right = right;
        if (!m_rows.isEmpty() && m_rows.last().second == y - 1)
            m_rows.last().second = y;
        else
            m_rows.append({y, y});
    }
    return true;
}

void StickPattern::draw(QPainter* painter, const QVector<int>& xs) const
{
    QVector<QRect> rects;
    for (int i = 0; i < xs.size();) {
        // Sticks whose columns touch or overlap form one span.
        int last = i;
        while (last + 1 < xs.size() && xs[last + 1] + m_left <= xs[last] + m_right + 1)
            ++last;
        const int left = xs[i] + m_left;
        const int right = xs[last] + m_right;
        for (const auto& run : m_rows)
            rects.append(QRect(QPoint(left, run.first), QPoint(right, run.second)));
        i = last + 1;
    }
    fill(painter, rects);
}

QRect StickPattern::columns(int x, int top, int bottom) const
{
    return QRect(QPoint(x + m_left, top), QPoint(x + m_right, bottom));
}

void StickPattern::fill(QPainter* painter, const QVector<QRect>& rects)
{
    const QColor color = painter->pen().color();
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRects(rects);
    painter->restore();
}

#pragma once

#include <qwt_painter.h>

// Qwt cuts long polylines into short pieces, each with its own caps, so the
// pixels of a curve would depend on where the cuts fall; the queue curves draw
// each polyline whole while one of these lives.
class PolylineSplittingOff
{
public:
    PolylineSplittingOff()
        : m_was(QwtPainter::polylineSplitting())
    {
        QwtPainter::setPolylineSplitting(false);
    }
    ~PolylineSplittingOff() { QwtPainter::setPolylineSplitting(m_was); }
    PolylineSplittingOff(const PolylineSplittingOff&) = delete;
    PolylineSplittingOff& operator=(const PolylineSplittingOff&) = delete;

private:
    const bool m_was;
};

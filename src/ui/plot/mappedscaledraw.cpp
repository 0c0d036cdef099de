#include "plot/mappedscaledraw.h"

#include <QLocale>
#include <cmath>
#include <qwt_text.h>

MappedScaleDraw::MappedScaleDraw(const QString& unit)
    : m_unit(unit)
{}

void MappedScaleDraw::setMapping(double offset, double factor)
{
    m_offset = offset;
    m_factor = factor;
    invalidateCache();
}

QwtText MappedScaleDraw::label(double value) const
{
    const double quantity = std::round((value - m_offset) / m_factor);
    // No "-0" for a tick a rounding error put just below zero.
    const QString number = QLocale().toString(quantity == 0 ? 0.0 : quantity, 'f', 0);
    return QwtText(m_unit.isEmpty() ? number : number + QChar(0x202F) + m_unit, QwtText::PlainText);
}

#pragma once

#include <QString>
#include <qwt_scale_draw.h>

// A scale of one quantity drawn along an axis of another: a value v of the
// axis is (v - offset) / factor of the quantity, labelled whole, in the
// user's locale, with its unit.
class MappedScaleDraw : public QwtScaleDraw
{
public:
    explicit MappedScaleDraw(const QString& unit);

    void setMapping(double offset, double factor);
    QwtText label(double value) const override;

private:
    QString m_unit;
    double m_offset = 0;
    double m_factor = 1;
};

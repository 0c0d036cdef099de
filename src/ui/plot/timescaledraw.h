#pragma once

#include <QString>
#include <qwt_scale_draw.h>

// Labels the time axis with local date-times in a user-chosen format.
class TimeScaleDraw : public QwtScaleDraw
{
public:
    QwtText label(double value) const override;

    QString format() const { return m_format; }
    // The width of the widest label the format gives, in font.
    int widestLabel(const QFont& font) const;
    void setFormat(const QString& format);

private:
    QString m_format;
};

#include "plot/timescaledraw.h"

#include <QDateTime>
#include <qwt_text.h>

QwtText TimeScaleDraw::label(double value) const
{
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(qint64(value));
    return QwtText(time.toString(m_format), QwtText::PlainText);
}

void TimeScaleDraw::setFormat(const QString& format)
{
    m_format = format;
    invalidateCache();
}

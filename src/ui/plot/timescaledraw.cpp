#include "plot/timescaledraw.h"

#include <QDateTime>
#include <QFontMetrics>
#include <algorithm>
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

// Names of days and months differ in length, and digits may differ in width:
// a few dates and times with the longest of them stand for all.
int TimeScaleDraw::widestLabel(const QFont& font) const
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QDate& date : {QDate(2000, 9, 27), QDate(2000, 5, 28), QDate(2000, 12, 30)}) {
        for (const QTime& time : {QTime(23, 58, 58, 888), QTime(20, 0, 0, 0)})
            widest = std::max(widest,
                              metrics.horizontalAdvance(QDateTime(date, time).toString(m_format)));
    }
    return widest;
}

#include "engine/readingcsv.h"

#include "tank/tanktable.h"

#include <QDateTime>
#include <QStringList>
#include <QTextStream>

ReadingCsv::ReadingCsv(bool frequencyTemperature, const TankTable* tankTable)
    : m_frequencyTemperature(frequencyTemperature)
    , m_tankTable(tankTable)
{}

QString ReadingCsv::header() const
{
    QString header = QStringLiteral("Time,Level,RawLevel");
    if (m_frequencyTemperature)
        header += QStringLiteral(",Frequency,Temperature");
    header += QStringLiteral(",Error,TimeMs");
    if (m_tankTable)
        header += QStringLiteral(",Litres");
    return header;
}

// A failed reading has no volume: its Litres column stays empty; one whose
// scale is not known yet, no level.
QString ReadingCsv::row(const SensorReading& reading) const
{
    const bool unscaled = !reading.failed() && !reading.levelKnown;
    QStringList fields{timeText(reading.timeMs), unscaled ? QString() : levelText(reading.level),
                       QString::number(reading.rawLevel)};
    if (m_frequencyTemperature)
        fields << QString::number(reading.frequency) << QString::number(reading.temperature);
    fields << QString::number(reading.failed() ? 1 : 0) << QString::number(reading.timeMs);
    if (m_tankTable)
        fields << (reading.failed()
                       ? QString()
                       : QString::number(m_tankTable->volumeAt(reading.rawLevel).litres, 'f', 2));
    return fields.join(',');
}

QString ReadingCsv::timeText(qint64 timeMs)
{
    return QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// Through a text stream, whose shortest form of a float the files have always had.
QString ReadingCsv::levelText(float level)
{
    QString text;
    QTextStream(&text) << level * 100.0f;
    return text;
}

#include "engine/readingcsv.h"

#include "engine/readingcolumns.h"

#include <QStringList>

ReadingCsv::ReadingCsv(bool frequencyTemperature, const TankTable* tankTable)
    : m_frequencyTemperature(frequencyTemperature)
    , m_tankTable(tankTable)
{}

template <typename Field>
QString ReadingCsv::line(Field field) const
{
    QStringList fields;
    for (const ReadingColumn& column : ReadingColumns::all()) {
        if (column.csv && column.isPresent(m_frequencyTemperature, m_tankTable))
            fields << field(column);
    }
    return fields.join(QLatin1Char(','));
}

QString ReadingCsv::header() const
{
    return line([](const ReadingColumn& column) { return QString::fromLatin1(column.name); });
}

QString ReadingCsv::row(const SensorReading& reading) const
{
    return line([&](const ReadingColumn& column) { return column.csv(reading, m_tankTable); });
}

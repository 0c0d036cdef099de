#include "litrescolumn.h"

#include "reading.h"
#include "tank/tanktablefile.h"

bool LitresColumn::load(const QString& path, QString* error)
{
    if (path.isEmpty())
        return true;
    QString problem;
    m_loaded = TankTableFile::load(path, &m_table, &problem);
    if (!m_loaded)
        *error = QStringLiteral("--tank-table %1: %2").arg(path, problem);
    return m_loaded;
}

QString LitresColumn::header(const QString& readingHeader) const
{
    return m_loaded ? readingHeader + QStringLiteral(",Litres") : readingHeader;
}

// A failed reading has no volume: its column stays empty.
QString LitresColumn::row(const Reading& reading, const QString& readingRow) const
{
    if (!m_loaded)
        return readingRow;
    if (reading.error)
        return readingRow + ',';
    return readingRow + ',' + QString::number(m_table.volumeAt(reading.rawLevel).litres, 'f', 2);
}

void LitresColumn::addTo(const Reading& reading, QJsonObject* object) const
{
    if (!m_loaded)
        return;
    const TankVolume volume = m_table.volumeAt(reading.rawLevel);
    object->insert("Litres", reading.error ? QJsonValue() : QJsonValue(volume.litres));
    object->insert("LitresOutOfRange", !reading.error && volume.outOfRange);
}

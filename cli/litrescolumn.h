#pragma once

#include "tank/tanktable.h"

#include <QJsonObject>
#include <QString>

struct Reading;

// The litres a tank table gives for each reading, as a column after the
// reading's own; nothing when no table was named.
class LitresColumn
{
public:
    // False with "FILE: line N: what is wrong" when the file is no tank table.
    bool load(const QString& path, QString* error);
    // The table loaded; null when none was named.
    const TankTable* table() const { return m_loaded ? &m_table : nullptr; }

    QString header(const QString& readingHeader) const;
    QString row(const Reading& reading, const QString& readingRow) const;
    void addTo(const Reading& reading, QJsonObject* object) const;

private:
    TankTable m_table;
    bool m_loaded = false;
};

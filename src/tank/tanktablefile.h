#pragma once

#include "tanktable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// A tank table as a CSV file: comment lines saying where it came from, the
// header Litres,RawLevel,Level, one line per row, and a closing comment naming
// the rows recorded before the level had settled. A file is taken whole or not
// at all: the first fault is reported with its line number.
class TankTableFile
{
    Q_DECLARE_TR_FUNCTIONS(TankTableFile)
public:
    static QByteArray toCsv(const TankTable& table);
    // The table when the whole text is one; otherwise the table stays as it
    // was and the error says "line N: what is wrong".
    static bool fromCsv(const QByteArray& text, TankTable* table, QString* error);
    // Written completely or not at all.
    static bool save(const TankTable& table, const QString& path, QString* error);
    // Any text a tank table is written as (the exported forms too), the same way.
    static bool saveBytes(const QByteArray& bytes, const QString& path, QString* error);
    static bool load(const QString& path, TankTable* table, QString* error);

private:
    TankTableFile() = default;
    bool readLine(const QString& line);
    bool readComment(const QString& text);
    bool readForced(const QString& value);
    bool readRow(const QString& line);
    bool readNumber(const QString& name, const QString& text, double* number);
    bool finish();
    bool fail(const QString& reason, int lineNumber = -1);

    TankTable m_table;
    TankTableInfo m_info;
    QList<int> m_forced;
    int m_forcedLine = 0;
    int m_lineNumber = 0;
    int m_headerLine = 0;
    QString m_error;
};

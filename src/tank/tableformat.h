#pragma once

#include "tanktable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

// How pairs of raw level and litres are written.
struct TableStyle
{
    QString separator = QStringLiteral(";");
    QChar decimal = '.';
};

// The forms a tank table travels in besides its own CSV, as tracking platforms
// import them; the raw level is what the platform receives from the sensor.
//   pairs       one "raw level;litres" a line, separator and decimal sign chosen
//   segments    JSON [{"x": raw, "a": slope, "b": offset}]: litres = a·raw + b from x up
//   json-pairs  JSON [{"in": raw, "out": litres}]
// Reading takes any of them, and the program's CSV, telling them apart itself.
class TableFormat
{
    Q_DECLARE_TR_FUNCTIONS(TableFormat)
public:
    enum Form { Csv, Pairs, Segments, JsonPairs };

    static QStringList names();
    static bool formOf(const QString& name, Form* form);
    // False when the pairs' separator could not be told from their decimal sign.
    static bool checkStyle(const TableStyle& style, QString* error);
    static QByteArray write(const TankTable& table, Form form, const TableStyle& style = TableStyle());
    // The table in any of the forms; levels in percent of fullScale, since
    // only the program's CSV keeps them.
    static bool read(const QByteArray& text, int fullScale, TankTable* table, QString* error);
    static bool load(const QString& path, int fullScale, TankTable* table, QString* error);

private:
    static QByteArray pairs(const TankTable& table, const TableStyle& style);
    static QByteArray segments(const TankTable& table);
    static QByteArray jsonPairs(const TankTable& table);
    static bool readJson(const QByteArray& text, int fullScale, TankTable* table, QString* error);
    static bool readPairs(const QByteArray& text, int fullScale, TankTable* table, QString* error);
    static bool addRow(double raw, double litres, int fullScale, TankTable* table,
                       QString* error);
};

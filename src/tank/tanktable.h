#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <vector>

// One calibration point: after this many litres were in the tank, the sensor
// settled at this raw level (and level in percent, for people reading the file).
struct TankRow
{
    double litres = 0;
    int rawLevel = 0;
    double level = 0;
    bool forced = false; // recorded before the level had settled
};

// Where a table came from; written as comments above the rows.
struct TankTableInfo
{
    QString model;
    int address = -1;
    QString dataFormat;
    QDateTime date;
    QString version;
    // Why the calibration ended before it was finished; empty when it was.
    QString incomplete;
    // A table computed from a tank's shape: the shape and probe as TankShapeText
    // writes them, and whether pours have yet confirmed it (how, when they have).
    QString shape;
    QString probe;
    bool computed = false;
    QString confirmation;
};

// The litres for one raw level, and whether the table really covers it.
struct TankVolume
{
    double litres = 0;
    bool outOfRange = false;
};

// A tank's calibration table: the volume in the tank for the sensor's raw
// level. Rows rise strictly in both litres and raw level, so a raw level maps
// to exactly one volume and the table can be read in either direction.
class TankTable
{
    Q_DECLARE_TR_FUNCTIONS(TankTable)
public:
    const std::vector<TankRow>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.empty(); }
    int rowCount() const { return int(m_rows.size()); }
    // The highest row; the table must not be empty.
    const TankRow& lastRow() const { return m_rows.back(); }
    const TankTableInfo& info() const { return m_info; }
    void setInfo(const TankTableInfo& info) { m_info = info; }

    // Adds a row above the last; refuses, saying why, one that does not rise.
    bool append(const TankRow& row, QString* error = nullptr);
    void removeLast();
    // Linear between rows; below the first or above the last, that row's
    // litres, marked as out of range. An empty table has no volume at all.
    TankVolume volumeAt(int rawLevel) const;

private:
    std::vector<TankRow> m_rows;
    TankTableInfo m_info;
};

#pragma once

#include "tankstability.h"
#include "tanktable.h"

#include <QObject>

// The procedure of calibrating a tank, whoever drives it: pour a known volume,
// wait until the sensor's level has settled above the last row's, record it,
// repeat. Readings come from outside (a poll of the sensor); the table grows
// row by row and the last row can be taken back.
class TankCalibration : public QObject
{
    Q_OBJECT
public:
    enum State {
        Idle,     // no pour waits for its reading
        Settling, // a pour waits for the level to settle
        Stalled   // the level settled, but not above the last row: pour more
    };
    Q_ENUM(State)

    static constexpr double kDefaultStep = 10; // litres

    explicit TankCalibration(QObject* parent = nullptr);

    TankStability& stability() { return m_stability; }
    const TankStability& stability() const { return m_stability; }
    double defaultStep() const { return m_defaultStep; }
    void setDefaultStep(double litres) { m_defaultStep = litres; }
    const TankTable& table() const { return m_table; }
    void setTableInfo(const TankTableInfo& info) { m_table.setInfo(info); }
    // Goes on from a table read back: a pour that waits is dropped.
    void setTable(const TankTable& table);

    State state() const { return m_state; }
    // The litres of the pour that waits, and what the tank then holds.
    double stepLitres() const { return m_stepLitres; }
    double pendingLitres() const;

    bool hasReading() const { return m_hasReading; }
    double lastLevel() const { return m_lastLevel; }
    int lastRawLevel() const { return m_lastRawLevel; }
    // The last reading lies above the last row, so it can become the next one.
    bool hasRisen() const;

    // Litres poured since the last row (for the first row: what the tank holds,
    // 0 for an empty tank); while a pour waits, more poured into it.
    bool pour(double litres, QString* error = nullptr);
    void cancelStep();
    // Records the waiting pour at the last reading without waiting for it to settle.
    bool recordNow(QString* error = nullptr);
    // For a driver that watches stability() itself and says when: records a pour
    // of litres at the last reading at once, forced unless the level has settled.
    bool recordPour(double litres, QString* error = nullptr);
    // Takes back the last row; the fuel stays in the tank, so the next pour
    // answered does that step again.
    bool undo();

    // A good reading of the sensor: level in percent and its raw level.
    void addReading(qint64 timeMs, double level, int rawLevel);

signals:
    // A reading arrived while a pour waits: stability() says how close it is.
    void progressed();
    void stateChanged(TankCalibration::State state);
    void recorded(const TankRow& row);
    void undone(const TankRow& row);

private:
    bool acceptsPour(double litres, QString* error) const;
    bool record(bool forced, QString* error);
    void setState(State state);

    TankTable m_table;
    TankStability m_stability;
    State m_state = Idle;
    double m_defaultStep = kDefaultStep;
    double m_stepLitres = 0;
    bool m_hasReading = false;
    double m_lastLevel = 0;
    int m_lastRawLevel = 0;
};

#pragma once

#include <QVector>
#include <QtGlobal>

// Tells when a level has settled: every reading of the last settling time lay
// within ±tolerance of one value, that is within a band twice the tolerance
// wide. It also says how far off that is, for someone waiting on a pour.
// Times are given by the caller, in milliseconds.
class TankStability
{
public:
    static constexpr double kDefaultTolerance = 0.2; // percent
    static constexpr int kDefaultSettleMs = 10000;

    void setTolerance(double percent) { m_tolerance = percent; }
    double tolerance() const { return m_tolerance; }
    void setSettleMs(int settleMs) { m_settleMs = settleMs; }
    int settleMs() const { return m_settleMs; }

    void addReading(qint64 timeMs, double level);
    // Forgets the readings: the level is known to have changed.
    void reset() { m_readings.clear(); }

    bool isStable() const { return hasReadings() && remainingMs() == 0; }
    bool hasReadings() const { return !m_readings.isEmpty(); }
    // How much longer the level must stay in its band to count as settled,
    // from the last reading; the whole settling time while it still moves.
    int remainingMs() const;
    // Highest minus lowest level over the last settling time.
    double spread() const;

private:
    struct Sample
    {
        qint64 timeMs;
        double level;
    };

    qint64 bandStartMs() const;

    double m_tolerance = kDefaultTolerance;
    int m_settleMs = kDefaultSettleMs;
    // The readings of the last settling time and the one just before it.
    QVector<Sample> m_readings;
};

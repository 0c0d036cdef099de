#pragma once

#include <QList>
#include <QtGlobal>

// The calibration points a sensor was given while the program ran, in order:
// what an installer hands in with the installation, since the sensor itself
// keeps only the latest value of each point and not when it was set.
class CalibrationLog
{
public:
    // Omnicomm stores the empty and full tank as frequencies, TBus the minimum
    // and maximum as converter values.
    enum Point { Empty, Full, Minimum, Maximum };

    struct Entry
    {
        Point point;
        int value;
        qint64 timeMs; // milliseconds since the epoch
    };

    void record(Point point, int value, qint64 timeMs);
    const QList<Entry>& entries() const { return m_entries; }
    // The point's name in files: "empty", "full", "minimum" or "maximum".
    static const char* pointKey(Point point);

private:
    QList<Entry> m_entries;
};

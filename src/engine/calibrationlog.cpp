#include "engine/calibrationlog.h"

void CalibrationLog::record(Point point, int value, qint64 timeMs)
{
    m_entries.append({point, value, timeMs});
}

const char* CalibrationLog::pointKey(Point point)
{
    switch (point) {
    case Empty:
        return "empty";
    case Full:
        return "full";
    case Minimum:
        return "minimum";
    case Maximum:
        break;
    }
    return "maximum";
}

#include "tanktable.h"

#include <algorithm>

bool TankTable::append(const TankRow& row, QString* error)
{
    QString problem;
    if (row.litres < 0)
        problem = tr("litres %1 are below zero").arg(row.litres);
    else if (row.rawLevel < 0)
        problem = tr("raw level %1 is below zero").arg(row.rawLevel);
    else if (!isEmpty() && row.litres <= lastRow().litres)
        problem = tr("litres %1 do not rise above %2 of the row before")
                      .arg(row.litres)
                      .arg(lastRow().litres);
    else if (!isEmpty() && row.rawLevel <= lastRow().rawLevel)
        problem = tr("raw level %1 does not rise above %2 of the row before")
                      .arg(row.rawLevel)
                      .arg(lastRow().rawLevel);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    m_rows.push_back(row);
    return true;
}

void TankTable::removeLast()
{
    if (!isEmpty())
        m_rows.pop_back();
}

TankVolume TankTable::volumeAt(int rawLevel) const
{
    if (isEmpty())
        return {0, true};
    if (rawLevel <= m_rows.front().rawLevel)
        return {m_rows.front().litres, rawLevel < m_rows.front().rawLevel};
    if (rawLevel >= lastRow().rawLevel)
        return {lastRow().litres, rawLevel > lastRow().rawLevel};
    const auto above =
        std::upper_bound(m_rows.begin(), m_rows.end(), rawLevel,
                         [](int raw, const TankRow& row) { return raw < row.rawLevel; });
    const TankRow& high = *above;
    const TankRow& low = *(above - 1);
    const double fraction = double(rawLevel - low.rawLevel) / (high.rawLevel - low.rawLevel);
    return {low.litres + fraction * (high.litres - low.litres), false};
}

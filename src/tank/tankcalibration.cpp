#include "tankcalibration.h"

#include <cmath>

TankCalibration::TankCalibration(QObject* parent)
    : QObject(parent)
{}

double TankCalibration::pendingLitres() const
{
    return (m_table.isEmpty() ? 0 : m_table.lastRow().litres) + m_stepLitres;
}

void TankCalibration::setTable(const TankTable& table)
{
    m_table = table;
    cancelStep();
}

bool TankCalibration::hasRisen() const
{
    return m_hasReading && (m_table.isEmpty() || m_lastRawLevel > m_table.lastRow().rawLevel);
}

bool TankCalibration::acceptsPour(double litres, QString* error) const
{
    const bool first = m_table.isEmpty() && m_state == Idle;
    if (std::isfinite(litres) && litres >= 0 && (litres > 0 || first))
        return true;
    if (error)
        *error = tr("%1 litres cannot be poured: give a volume above zero").arg(litres);
    return false;
}

bool TankCalibration::pour(double litres, QString* error)
{
    if (!acceptsPour(litres, error))
        return false;
    m_stepLitres += litres;
    // Readings from before the pour say nothing about where the level settles.
    m_stability.reset();
    setState(Settling);
    return true;
}

void TankCalibration::cancelStep()
{
    m_stepLitres = 0;
    setState(Idle);
}

bool TankCalibration::recordNow(QString* error)
{
    if (m_state != Idle)
        return record(true, error);
    if (error)
        *error = tr("no pour waits for a reading");
    return false;
}

bool TankCalibration::recordPour(double litres, QString* error)
{
    if (m_state != Idle) {
        if (error)
            *error = tr("a pour already waits for its reading");
        return false;
    }
    if (!acceptsPour(litres, error))
        return false;
    m_stepLitres = litres;
    if (record(!m_stability.isStable(), error))
        return true;
    m_stepLitres = 0;
    return false;
}

bool TankCalibration::undo()
{
    if (m_state != Idle || m_table.isEmpty())
        return false;
    const TankRow row = m_table.lastRow();
    m_table.removeLast();
    emit undone(row);
    return true;
}

void TankCalibration::addReading(qint64 timeMs, double level, int rawLevel)
{
    m_hasReading = true;
    m_lastLevel = level;
    m_lastRawLevel = rawLevel;
    m_stability.addReading(timeMs, level);
    if (m_state == Idle)
        return;
    if (m_stability.isStable() && hasRisen()) {
        record(false, nullptr);
        return;
    }
    if (m_stability.isStable())
        setState(Stalled);
    emit progressed();
}

bool TankCalibration::record(bool forced, QString* error)
{
    QString problem;
    if (!m_stability.hasReadings())
        problem = tr("no reading has come since the pour");
    const TankRow row{pendingLitres(), m_lastRawLevel, m_lastLevel, forced};
    if (problem.isEmpty() && m_table.append(row, &problem)) {
        m_stepLitres = 0;
        setState(Idle);
        emit recorded(row);
        return true;
    }
    if (error)
        *error = problem;
    return false;
}

void TankCalibration::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

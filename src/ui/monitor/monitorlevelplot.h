#pragma once

#include <QHash>
#include <QPolygonF>
#include <qwt_plot.h>

class QwtPlotCurve;

// The levels heard on a watched line, one curve an address, over the seconds since
// watching began; the oldest points go once a curve holds its limit.
class MonitorLevelPlot : public QwtPlot
{
    Q_OBJECT
public:
    static constexpr int PointLimit = 2000;

    explicit MonitorLevelPlot(QWidget* parent = nullptr);

    void addLevel(int address, double seconds, double percent);
    void clear();
    int curveCount() const { return m_curves.size(); }
    int pointCount(int address) const;

private:
    QwtPlotCurve* curveFor(int address);

    QHash<int, QwtPlotCurve*> m_curves;
    QHash<int, QPolygonF> m_points;
};

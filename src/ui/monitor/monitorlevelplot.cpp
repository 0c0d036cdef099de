#include "monitor/monitorlevelplot.h"

#include <algorithm>
#include <qwt_legend.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>

namespace {

// Distinct at a glance, in the order addresses are first heard.
const Qt::GlobalColor curveColours[] = {Qt::darkBlue,    Qt::darkRed,  Qt::darkGreen,
                                        Qt::darkMagenta, Qt::darkCyan, Qt::darkYellow};

} // namespace

MonitorLevelPlot::MonitorLevelPlot(QWidget* parent)
    : QwtPlot(parent)
{
    setCanvasBackground(Qt::white);
    setAxisTitle(xBottom, tr("Seconds since watching began"));
    setAxisTitle(yLeft, tr("Level, %"));
    insertLegend(new QwtLegend(this), QwtPlot::RightLegend);
    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(QPen(Qt::lightGray, 0, Qt::DotLine));
    grid->attach(this);
}

void MonitorLevelPlot::addLevel(int address, double seconds, double percent)
{
    QPolygonF& points = m_points[address];
    if (points.size() >= PointLimit)
        points.remove(0, points.size() - PointLimit + 1);
    points << QPointF(seconds, percent);
    curveFor(address)->setSamples(points);
    replot();
}

void MonitorLevelPlot::clear()
{
    for (QwtPlotCurve* curve : qAsConst(m_curves))
        delete curve;
    m_curves.clear();
    m_points.clear();
    replot();
}

int MonitorLevelPlot::pointCount(int address) const
{
    return m_points.value(address).size();
}

QwtPlotCurve* MonitorLevelPlot::curveFor(int address)
{
    if (QwtPlotCurve* curve = m_curves.value(address))
        return curve;
    auto* curve = new QwtPlotCurve(tr("Address %1").arg(address));
    const int colour = m_curves.size() % int(std::size(curveColours));
    curve->setPen(QPen(curveColours[colour], 2));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased);
    m_curves.insert(address, curve);
    // The legend lists curves as they were attached: attach them all again in address order.
    QList<int> addresses = m_curves.keys();
    std::sort(addresses.begin(), addresses.end());
    for (int each : qAsConst(addresses))
        m_curves[each]->detach();
    for (int each : qAsConst(addresses))
        m_curves[each]->attach(this);
    return curve;
}

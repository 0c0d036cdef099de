#include "plot/plotcurvesettings.h"

#include <QPen>
#include <qwt_plot_curve.h>

namespace {

const int kDefaultStyle = QwtPlotCurve::Steps;
const int kDefaultWidth = 2;

} // namespace

void applyCurveSettings(QwtPlotCurve* curve, const QSettings& settings, const QString& prefix,
                        const QColor& defaultColor)
{
    int style = settings.value(prefix + QStringLiteral("Style"), kDefaultStyle).toInt();
    if (style < QwtPlotCurve::NoCurve || style > QwtPlotCurve::Dots)
        style = kDefaultStyle;
    int width = settings.value(prefix + QStringLiteral("Width"), kDefaultWidth).toInt();
    if (width < 0)
        width = kDefaultWidth;
    const QColor color =
        settings.value(prefix + QStringLiteral("Color"), defaultColor).value<QColor>();
    curve->setStyle(QwtPlotCurve::CurveStyle(style));
    curve->setPen(QPen(QBrush(color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
}

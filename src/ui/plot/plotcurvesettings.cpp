#include "plot/plotcurvesettings.h"

#include "settings/boundedsetting.h"

#include <QPen>
#include <QSettings>
#include <qwt_plot_curve.h>

using namespace SettingsKeys::Plot;

namespace {

QString key(const Curve& keys, const char* suffix)
{
    return QLatin1String(keys.prefix) + QLatin1String(suffix);
}

} // namespace

CurveSettings CurveSettings::defaults(const Curve& keys)
{
    return {keys.defaultStyle, WidthDefault, QColor(keys.defaultColor)};
}

CurveSettings CurveSettings::read(const QSettings& settings, const Curve& keys)
{
    return {boundedSetting(settings, key(keys, CurveStyle), keys.defaultStyle, StyleMinimum,
                           StyleMaximum),
            boundedSetting(settings, key(keys, CurveWidth), WidthDefault, 0, WidthMaximum),
            settings.value(key(keys, CurveColor), QColor(keys.defaultColor)).value<QColor>()};
}

void CurveSettings::write(QSettings& settings, const Curve& keys, bool withStyle) const
{
    if (withStyle)
        settings.setValue(key(keys, CurveStyle), style);
    settings.setValue(key(keys, CurveWidth), width);
    settings.setValue(key(keys, CurveColor), color);
}

void CurveSettings::applyTo(QwtPlotCurve* curve, Qt::PenStyle penStyle) const
{
    curve->setStyle(QwtPlotCurve::CurveStyle(style));
    curve->setPen(QPen(QBrush(color), width, penStyle, Qt::SquareCap, Qt::BevelJoin));
}

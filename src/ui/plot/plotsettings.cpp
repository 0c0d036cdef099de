#include "plot/plotsettings.h"

#include "settings/boundedsetting.h"

#include <QSettings>

using namespace SettingsKeys::Plot;

PlotSettings PlotSettings::defaults(const QColor& windowColor)
{
    return {MaximumSizeDefault,
            QLatin1String(TimeFormatDefault),
            false,
            CurveSettings::defaults(LevelCurve),
            CurveSettings::defaults(ErrorCurve),
            CurveSettings::defaults(FrequencyCurve),
            CurveSettings::defaults(TemperatureCurve),
            windowColor,
            false};
}

PlotSettings PlotSettings::read(const QColor& windowColor)
{
    QSettings settings;
    settings.beginGroup(Group);
    const QString timeFormat = settings.value(TimeFormat).toString();
    return {boundedSetting(settings, MaximumSize, MaximumSizeDefault, 0),
            timeFormat.isEmpty() ? QLatin1String(TimeFormatDefault) : timeFormat,
            settings.value(LevelFormat, false).toBool(),
            CurveSettings::read(settings, LevelCurve),
            CurveSettings::read(settings, ErrorCurve),
            CurveSettings::read(settings, FrequencyCurve),
            CurveSettings::read(settings, TemperatureCurve),
            settings.value(BackgroundColor, windowColor).value<QColor>(),
            settings.value(CompactPlot, false).toBool()};
}

void PlotSettings::write() const
{
    QSettings settings;
    settings.beginGroup(Group);
    settings.setValue(MaximumSize, maximumSize);
    settings.setValue(TimeFormat, timeFormat);
    settings.setValue(LevelFormat, rawLevel ? 1 : 0);
    level.write(settings, LevelCurve, true);
    error.write(settings, ErrorCurve, false);
    frequency.write(settings, FrequencyCurve, true);
    temperature.write(settings, TemperatureCurve, true);
    settings.setValue(BackgroundColor, background);
}

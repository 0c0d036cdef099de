#pragma once

#include "settings/settingskeys.h"

#include <QColor>

class QSettings;
class QwtPlotCurve;

// One curve's look as the plot settings keep it: a curve style number of the
// plotting library, a pen width and a colour. A stored style or width out of range
// reads as the curve's default; a stored value that is not a colour reads as an
// invalid colour, which is used as it is.
struct CurveSettings
{
    static CurveSettings defaults(const SettingsKeys::Plot::Curve& keys);
    // settings: inside the plot group.
    static CurveSettings read(const QSettings& settings, const SettingsKeys::Plot::Curve& keys);
    // The style only when withStyle: the error curve's is not the user's to set.
    void write(QSettings& settings, const SettingsKeys::Plot::Curve& keys, bool withStyle) const;
    // The pen has a square cap and a bevel join.
    void applyTo(QwtPlotCurve* curve, Qt::PenStyle penStyle) const;

    int style;
    int width;
    QColor color;
};

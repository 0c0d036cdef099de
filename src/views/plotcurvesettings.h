#pragma once

#include <QColor>
#include <QSettings>
#include <QString>

class QwtPlotCurve;

// Failed readings have a colour of their own: red is the temperature's.
constexpr Qt::GlobalColor DefaultErrorColor = Qt::magenta;

// Style, pen width and colour of a curve from the "<prefix>Style", "<prefix>Width"
// and "<prefix>Color" plot settings; a stored value out of range gives the default.
void applyCurveSettings(QwtPlotCurve* curve, const QSettings& settings, const QString& prefix,
                        const QColor& defaultColor);

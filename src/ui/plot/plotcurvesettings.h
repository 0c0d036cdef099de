#pragma once

#include <QColor>
#include <QSettings>
#include <QString>

class QwtPlotCurve;

// Style, pen width and colour of a curve from the "<prefix>Style", "<prefix>Width"
// and "<prefix>Color" plot settings; a stored value out of range gives the default.
void applyCurveSettings(QwtPlotCurve* curve, const QSettings& settings, const QString& prefix,
                        const QColor& defaultColor);

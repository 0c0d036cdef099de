#pragma once

#include "plot/plotcurvesettings.h"

#include <QColor>
#include <QString>

// The plot settings that every sensor view applies and the plot settings dialog
// edits, read and checked in one place: a stored value can be anything.
struct PlotSettings
{
    // windowColor: the background's default, the window colour of the asker's palette.
    static PlotSettings defaults(const QColor& windowColor);
    static PlotSettings read(const QColor& windowColor);
    // Writes what the dialog edits; the error curve's style and the compact flag
    // keep what is stored.
    void write() const;

    int maximumSize; // samples a view keeps; 0: no limit
    QString timeFormat;
    bool rawLevel; // the level in raw counts rather than in percent
    CurveSettings level;
    CurveSettings error;
    CurveSettings frequency;
    CurveSettings temperature;
    QColor background;
    bool compact;
};

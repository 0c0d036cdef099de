#pragma once

#include <QPointer>
#include <qwt_plot.h>
#include <qwt_scale_draw.h>

// Labels the Omnicomm view's right axis in the sensor's own temperature or
// frequency units; the two series on that axis are scaled into 0..1.
class OmniCommFrequencyTemperatureScaleDraw : public QwtScaleDraw
{
public:
    enum Mode { FrequencyMode = 0, TemperatureMode = 1 };

    OmniCommFrequencyTemperatureScaleDraw(int mode, QwtPlot* plot);

    QwtText label(double value) const override;

    int mode() const { return m_mode; }
    void setMode(int mode);
    void toggleMode();

private:
    int m_mode;
    QPointer<QwtPlot> m_plot;
};

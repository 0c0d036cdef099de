#include "plot/omnicommfrequencytemperaturescaledraw.h"

#include "plot/omnicommseriesdata.h"

#include <qwt_text.h>

OmniCommFrequencyTemperatureScaleDraw::OmniCommFrequencyTemperatureScaleDraw(int mode,
                                                                             QwtPlot* plot)
    : m_mode(mode)
    , m_plot(plot)
{}

QwtText OmniCommFrequencyTemperatureScaleDraw::label(double value) const
{
    const double scale = m_mode == TemperatureMode ? OmniCommTemperatureSeriesData::Scale
                                                   : OmniCommFrequencySeriesData::Scale;
    return QwtText(QString::number(qRound(value * scale)), QwtText::PlainText);
}

void OmniCommFrequencyTemperatureScaleDraw::setMode(int mode)
{
    m_mode = mode;
    invalidateCache();
    if (m_plot)
        m_plot->updateLayout();
}

void OmniCommFrequencyTemperatureScaleDraw::toggleMode()
{
    setMode(m_mode == FrequencyMode ? TemperatureMode : FrequencyMode);
}

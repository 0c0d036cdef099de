#pragma once

#include "engine/readingrecorder.h"
#include "engine/sensorreading.h"
#include "plot/limitedqueue.h"
#include "plot/plotsettings.h"
#include "plot/queueseriesdata.h"
#include "views/sensorwidget.h"

#include <QTextStream>

// A sensor view over one kind of sample record T: the sample queue and the
// level and error series that the view's curves read from it.
template <typename T>
class PlotSensorWidget : public SensorWidget
{
public:
    PlotSensorWidget(BaseSensor* sensor, QWidget* parent, float rawMaximum)
        : SensorWidget(sensor, parent)
        , m_queue(999)
        , m_levelSeries(new LevelSeriesData<T>(&m_queue, rawMaximum))
        , m_errorSeries(new ErrorSeriesData<T>(&m_queue, rawMaximum))
    {}
    ~PlotSensorWidget() override
    {
        // Once handed over, the curves own the series.
        if (levelCurve()->data() != m_levelSeries)
            delete m_levelSeries;
        if (errorCurve()->data() != m_errorSeries)
            delete m_errorSeries;
    }

    int maximumPlotSize() const override { return m_queue.maximumSize(); }
    // The export keeps as many readings as the plot keeps samples.
    void setMaximumPlotSize(int size) override
    {
        m_queue.setMaximumSize(size);
        recorder()->setLimit(size);
    }
    void clearPlot() override
    {
        m_queue.clear();
        recorder()->clear();
    }
    void updatePlotSettingsImpl(const PlotSettings& settings) override
    {
        m_levelSeries->setRawFormat(settings.rawLevel);
    }

    const LimitedQueue<T>& queue() const { return m_queue; }
    LevelSeriesData<T>* levelSeries() const { return m_levelSeries; }
    ErrorSeriesData<T>* errorSeries() const { return m_errorSeries; }
    // Samples come in time order; the redraw follows on the timer.
    void appendSample(const T& sample)
    {
        T marked = sample;
        marked.afterGap =
            !m_queue.isEmpty() && sample.time - m_queue[m_queue.size() - 1].time > silenceMs();
        if (!sample.error)
            noteReading(sample.time);
        m_queue.append(marked);
        replot();
    }

protected:
    // The first sample later than time, truncated to whole milliseconds; null
    // when there is none.
    const T* sampleAfter(double time) const
    {
        const int index = m_queue.upperBound(qint64(time));
        return index < m_queue.size() ? &m_queue[index] : nullptr;
    }
    // The sample of a reading's level: what every sample record holds.
    static T levelSample(const SensorReading& reading)
    {
        T sample{};
        sample.time = reading.timeMs;
        sample.level = reading.level;
        sample.rawLevel = quint16(reading.rawLevel);
        sample.error = reading.failed();
        return sample;
    }

private:
    LimitedQueue<T> m_queue;
    LevelSeriesData<T>* m_levelSeries;
    ErrorSeriesData<T>* m_errorSeries;
};

#pragma once

#include "plot/limitedqueue.h"
#include "plot/plotsettings.h"
#include "plot/queueseriesdata.h"
#include "views/sensorwidget.h"

#include <QDateTime>
#include <QStringList>
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
    void setMaximumPlotSize(int size) override { m_queue.setMaximumSize(size); }
    void clearPlot() override { m_queue.clear(); }
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
    // The CSV rows from the oldest sample to the newest: the time, the level in
    // hundredths of a percent and the raw level, the view's own columns, the
    // error flag, and the time in milliseconds, since the first column has
    // whole seconds only.
    template <typename WriteColumns>
    void writePlotData(QTextStream& stream, const QStringList& columns,
                       WriteColumns writeColumns) const
    {
        stream << "Time,Level,RawLevel";
        for (const QString& column : columns)
            stream << ',' << column;
        stream << ",Error,TimeMs\n";
        for (int i = 0; i < m_queue.size(); ++i) {
            const T& s = m_queue[i];
            stream << QDateTime::fromMSecsSinceEpoch(s.time).toString(
                          QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
                   << ',' << s.level * 100.0f << ',' << s.rawLevel;
            writeColumns(stream, s);
            stream << ',' << (s.error ? 1 : 0) << ',' << s.time << '\n';
        }
    }

private:
    LimitedQueue<T> m_queue;
    LevelSeriesData<T>* m_levelSeries;
    ErrorSeriesData<T>* m_errorSeries;
};

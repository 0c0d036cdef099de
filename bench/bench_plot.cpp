// How the sensor plot's cost follows the history length: an 800 x 300 plot
// with the four Omnicomm curves rendered into an image, with the whole history
// and with the last minute in view, the heap a queued sample takes, and the
// cost of one append to a full queue. A thousand samples are 20 s at 50 a
// second, so with the last minute in view they fill a third of the canvas,
// where longer histories fill all of it; the ratios against 100 000 samples
// show the cost of the history alone.
#include "plot/errorplotcurve.h"
#include "plot/omnicommseriesdata.h"
#include "plot/queueseriesdata.h"
#include "plot/reducedplotcurve.h"
#include "plot/samplepoints.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>
#include <vector>

namespace {

constexpr qint64 Start = 1700000000000;
constexpr int PeriodMs = 20; // 50 samples a second
constexpr int Width = 800;
constexpr int Height = 300;

OmniCommSamplePoint makeSample(int i, QRandomGenerator& random)
{
    OmniCommSamplePoint s{};
    s.time = Start + qint64(i) * PeriodMs;
    s.level = float(50 + 30 * std::sin(i / 50000.0) + random.bounded(2.0));
    s.rawLevel = quint16(s.level * 40);
    s.temperature = qint16(20 + random.bounded(5));
    s.frequency = quint16(20000 + random.bounded(500));
    s.error = i % 10 == 0;
    return s;
}

void fill(LimitedQueue<OmniCommSamplePoint>* queue, int count)
{
    QRandomGenerator random(1);
    for (int i = 0; i < count; ++i)
        queue->append(makeSample(i, random));
}

// The Omnicomm view's plot: level and errors on the left axis, frequency and
// temperature on the right, with the default styles.
struct OmniCommPlot
{
    explicit OmniCommPlot(int samples)
        : queue(0)
    {
        fill(&queue, samples);
        plot.enableAxis(QwtPlot::yRight);
        plot.setAxisScale(QwtPlot::yLeft, 0, 100);
        // Frequency in hertz on the right axis, temperature mapped onto it.
        plot.setAxisScale(QwtPlot::yRight, 0, 21000);
        add(&level, new LevelSeriesData<OmniCommSamplePoint>(&queue, 8191), Qt::green,
            QwtPlot::yLeft, Qt::SolidLine);
        add(&errors, new ErrorSeriesData<OmniCommSamplePoint>(&queue, 8191), Qt::red,
            QwtPlot::yLeft, Qt::DashLine);
        errors.setStyle(QwtPlotCurve::Sticks);
        add(&frequency, new OmniCommFrequencySeriesData(&queue), Qt::blue, QwtPlot::yRight,
            Qt::SolidLine);
        auto* temperatures = new OmniCommTemperatureSeriesData(&queue);
        temperatures->setMapping(4200, 21000.0 / 50);
        add(&temperature, temperatures, Qt::red, QwtPlot::yRight, Qt::SolidLine);
        plot.resize(Width, Height);
    }

    void add(QwtPlotCurve* curve, QwtSeriesData<QPointF>* series, const QColor& color, int axis,
             Qt::PenStyle style)
    {
        curve->setData(series);
        curve->setPen(QPen(QBrush(color), 2, style, Qt::SquareCap, Qt::BevelJoin));
        curve->setStyle(QwtPlotCurve::Steps);
        curve->setYAxis(axis);
        curve->attach(&plot);
    }

    void show(qint64 fromMs, qint64 toMs)
    {
        plot.setAxisScale(QwtPlot::xBottom, double(fromMs), double(toMs));
        plot.updateAxes();
    }

    void render(QImage* image)
    {
        image->fill(Qt::white);
        QPainter painter(image);
        renderer.render(&plot, &painter, QRectF(0, 0, Width, Height));
    }

    LimitedQueue<OmniCommSamplePoint> queue;
    QwtPlot plot;
    ReducedPlotCurve level;
    ErrorPlotCurve errors;
    ReducedPlotCurve frequency;
    ReducedPlotCurve temperature;
    QwtPlotRenderer renderer;
};

OmniCommPlot* plotWith(int samples)
{
    static std::map<int, std::unique_ptr<OmniCommPlot>> plots;
    auto& plot = plots[samples];
    if (!plot)
        plot.reset(new OmniCommPlot(samples));
    return plot.get();
}

void redraw(benchmark::State& state, bool wholeHistory)
{
    const int samples = int(state.range(0));
    OmniCommPlot* plot = plotWith(samples);
    const qint64 newest = Start + qint64(samples - 1) * PeriodMs;
    plot->show(wholeHistory ? Start : newest - 60000, newest);
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state)
        plot->render(&image);
}

void redrawWhole(benchmark::State& state)
{
    redraw(state, true);
}

void redrawLastMinute(benchmark::State& state)
{
    redraw(state, false);
}

void appendToFullQueue(benchmark::State& state)
{
    LimitedQueue<OmniCommSamplePoint> queue(1000000);
    fill(&queue, 1000000);
    // Samples made beforehand, so only the append is measured.
    QRandomGenerator random(2);
    std::vector<OmniCommSamplePoint> samples;
    for (int i = 0; i < 4096; ++i)
        samples.push_back(makeSample(i, random));
    qint64 time = Start + qint64(1000000) * PeriodMs;
    size_t next = 0;
    for (auto _ : state) {
        OmniCommSamplePoint sample = samples[next++ % samples.size()];
        sample.time = time += PeriodMs;
        queue.append(sample);
    }
    benchmark::DoNotOptimize(queue.size());
}

double bytesPerSample()
{
    const size_t before = mallinfo2().uordblks;
    {
        auto* queue = new LimitedQueue<OmniCommSamplePoint>(0);
        fill(queue, 1000000);
        const size_t after = mallinfo2().uordblks;
        delete queue;
        return double(after - before) / 1000000.0;
    }
}

// Keeps each run's processor time per iteration for the headline figures: on a
// shared machine the wall-clock time of a single-threaded render also counts
// the other processes.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            nanoseconds[run.benchmark_name()] =
                run.GetAdjustedCPUTime() * (run.time_unit == benchmark::kMillisecond ? 1e6 : 1);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

} // namespace

BENCHMARK(redrawWhole)->Arg(1000)->Arg(100000)->Arg(1000000);
BENCHMARK(redrawLastMinute)->Arg(1000)->Arg(100000)->Arg(1000000);
BENCHMARK(appendToFullQueue);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double bytes = bytesPerSample();
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto& ns = reporter.nanoseconds;
    std::printf("BENCH redraw_whole_ratio_1M_100k %.2f\n",
                ns["redrawWhole/1000000"] / ns["redrawWhole/100000"]);
    std::printf("BENCH redraw_lastminute_ratio_1M_100k %.2f\n",
                ns["redrawLastMinute/1000000"] / ns["redrawLastMinute/100000"]);
    std::printf("BENCH redraw_whole_ratio_1M_1k %.2f\n",
                ns["redrawWhole/1000000"] / ns["redrawWhole/1000"]);
    std::printf("BENCH redraw_lastminute_ratio_1M_1k %.2f\n",
                ns["redrawLastMinute/1000000"] / ns["redrawLastMinute/1000"]);
    std::printf("BENCH bytes_per_sample %.2f\n", bytes);
    std::printf("BENCH append_ns %.1f\n", ns["appendToFullQueue"]);
    return 0;
}

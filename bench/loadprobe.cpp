// nivelon-loadprobe: the program as the user runs it, plus what the load
// measurement (scripts/measure-load.sh) needs from inside:
// NIVELON_PREFILL_SAMPLES=COUNT:INTERVAL_MS gives every new sensor view COUNT
// synthetic samples, INTERVAL_MS apart and ending now, as after a long session.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "plot/samplepoints.h"
#include "views/plotsensorwidget.h"

#include <QApplication>
#include <QDateTime>
#include <cmath>

namespace {

struct Prefill
{
    int count = 0;
    int intervalMs = 0;
};

Prefill prefillFromEnvironment()
{
    const QStringList values =
        QString::fromLocal8Bit(qgetenv("NIVELON_PREFILL_SAMPLES")).split(QLatin1Char(':'));
    if (values.size() != 2 || values[0].toInt() <= 0 || values[1].toInt() <= 0)
        return {};
    return {values[0].toInt(), values[1].toInt()};
}

// Leaves a view that plots another kind of sample alone.
template <typename T>
void fill(SensorWidget* view, const Prefill& prefill)
{
    auto* plotView = dynamic_cast<PlotSensorWidget<T>*>(view);
    if (!plotView)
        return;
    const qint64 end = QDateTime::currentMSecsSinceEpoch() - prefill.intervalMs;
    for (int i = prefill.count - 1; i >= 0; --i) {
        T sample{};
        sample.time = end - qint64(i) * prefill.intervalMs;
        sample.level = float(50.0 + 40.0 * std::sin(i * 1e-3));
        sample.rawLevel = quint16(sample.level * 40.0f);
        plotView->appendSample(sample);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const Prefill prefill = prefillFromEnvironment();
    return runNivelon(app, [prefill](MainWindow& window) {
        if (prefill.count == 0)
            return;
        QObject::connect(&window, &MainWindow::sensorViewOpened, [prefill](SensorWidget* view) {
            fill<OmniCommSamplePoint>(view, prefill);
            fill<LevelSamplePoint>(view, prefill);
        });
    });
}

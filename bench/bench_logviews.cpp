// What one logged exchange or log line costs the user interface: a line-data row
// with its table attached and scrolling to the bottom (at the default row limit,
// and with the limit lifted after 100 000 rows), and one text-log line with the
// view holding its default 1000 lines. Figures are CPU time per row or line.
#include "engine/linedatamessage.h"
#include "log/linedatamodel.h"
#include "log/logdisplaycontroller.h"
#include "log/logger.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

LineDataMessage exchange(int n)
{
    EngineCommand command;
    const unsigned char poll[] = {0x31, quint8(n), 0x06, 0x5A};
    std::copy(std::begin(poll), std::end(poll), command.request);
    command.requestLength = 4;
    command.replyLength = 9;
    command.receivedLength = 9;
    command.kind = EngineCommand::LevelPoll;
    return LineDataMessage(command, CommandCallback::Ok);
}

// The table as the log dock shows it, following every new row.
struct LineDataTable
{
    explicit LineDataTable(int rowLimit, int rows)
    {
        model.setRowLimit(rowLimit);
        view.setModel(&model);
        QObject::connect(&model, &LineDataModel::newRow, &view, &QTableView::scrollToBottom);
        view.verticalHeader()->hide();
        view.verticalHeader()->setDefaultSectionSize(18);
        view.setAlternatingRowColors(true);
        view.resize(480, 320);
        view.show();
        for (int n = 0; n < rows; ++n)
            model.slotNewMessage(exchange(n));
        QCoreApplication::processEvents();
    }

    LineDataModel model;
    QTableView view;
};

// With "painted" the event loop runs after each row, as it does between exchanges
// on the line, so the view lays out and paints; without, only what the model's
// signals cost the view.
void runRows(benchmark::State& state, LineDataTable& table)
{
    const bool painted = state.range(0) != 0;
    int n = 0;
    for (auto _ : state) {
        table.model.slotNewMessage(exchange(++n));
        if (painted)
            QCoreApplication::processEvents();
    }
}

void lineDataRowDefaultLimit(benchmark::State& state)
{
    LineDataTable table(LineDataModel::DefaultRowLimit, LineDataModel::DefaultRowLimit);
    runRows(state, table);
}

void lineDataRowUnlimitedAfter100k(benchmark::State& state)
{
    LineDataTable table(0, 100000);
    runRows(state, table);
}

void textLogLine(benchmark::State& state)
{
    Logger logger;
    LogDisplayController controller;
    std::unique_ptr<QWidget> view(controller.widget());
    view->resize(640, 320);
    view->show();
    for (int n = 0; n < LogDisplayController::DefaultMaxLogLines; ++n)
        Logger::message(Logger::PortStatus, QStringLiteral("Opened port /dev/ttyUSB%1").arg(n));
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        Logger::message(Logger::PortStatus, QStringLiteral("Opened port /dev/ttyUSB%1").arg(++n));
        QCoreApplication::processEvents();
    }
}

// Prints the console table and keeps each figure for the headline lines.
class HeadlineReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred)
                figures[headlineName(run.benchmark_name())] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> figures;

private:
    // "lineDataRowDefaultLimit/painted:1" becomes "lineDataRowDefaultLimit_painted1".
    static std::string headlineName(std::string name)
    {
        name.erase(std::remove(name.begin(), name.end(), ':'), name.end());
        std::replace(name.begin(), name.end(), '/', '_');
        return name;
    }
};

} // namespace

BENCHMARK(lineDataRowDefaultLimit)
    ->ArgName("painted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(lineDataRowUnlimitedAfter100k)
    ->ArgName("painted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(textLogLine)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    // The controller reads its settings; a benchmark must not touch the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    HeadlineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const auto& [name, microseconds] : reporter.figures)
        std::printf("BENCH %s %.2f us\n", name.c_str(), microseconds);
    return 0;
}

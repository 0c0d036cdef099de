// nivelon-sim: simulated fuel-level sensors on a pseudo-terminal or a serial
// device, for running Nivelon without hardware.
#include "commandline.h"
#include "levelcommands.h"
#include "signalpipe.h"
#include "simline.h"
#include "stdinlines.h"
#include "trackerbus.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <csignal>

namespace {

void printBanner(const QString& path, const sim::LineOptions& options)
{
    QStringList addresses;
    for (int address : options.addresses)
        addresses << QString::number(address);
    // The path alone on the first line of standard output, for scripts.
    QTextStream(stdout) << path << Qt::endl;
    QTextStream(stderr) << options.model.code << ": " << sim::protocolName(options.model.protocol)
                        << " at " << sim::protocolBaudRate(options.model.protocol)
                        << " baud, sensors at " << addresses.join(", ") << Qt::endl;
}

// The tracker's bus: every frame on it as one JSON line on standard output, after the path.
int runTracker(QCoreApplication& app, const sim::LineOptions& options)
{
    sim::TrackerBus bus(options);
    QString error;
    if (!bus.start(&error)) {
        QTextStream(stderr) << "nivelon-sim: " << error << Qt::endl;
        return 1;
    }
    printBanner(bus.tapPath(), options);
    QTextStream(stderr) << "tracker polls every " << options.tracker.periodMs
                        << " ms; the bus is heard at " << bus.tapPath() << Qt::endl;
    QTextStream out(stdout);
    QObject::connect(&bus, &sim::TrackerBus::event, &app, [&](const QJsonObject& event) {
        out << QJsonDocument(event).toJson(QJsonDocument::Compact) << Qt::endl;
    });
    sim::SignalPipe signalPipe({SIGUSR1, SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&signalPipe, &sim::SignalPipe::raised, &app, [&](int number) {
        if (number == SIGUSR1)
            out << bus.countersReport() << Qt::flush;
        else
            app.quit();
    });
    const int status = app.exec();
    bus.stop();
    out << bus.countersReport() << Qt::flush;
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    StdinLines::holdClosedInput();
    QCoreApplication app(argc, argv);
    sim::CommandLine commandLine;
    sim::LineOptions options;
    switch (commandLine.parse(app.arguments(), &options)) {
    case sim::CommandLine::ShowHelp:
        QTextStream(stdout) << commandLine.helpText();
        return 0;
    case sim::CommandLine::Invalid:
        QTextStream(stderr) << "nivelon-sim: " << commandLine.errorText() << Qt::endl;
        return 2;
    case sim::CommandLine::Run:
        break;
    }
    if (options.tracker.enabled())
        return runTracker(app, options);
    sim::SimLine line(options);
    QString error;
    if (!line.start(&error)) {
        QTextStream(stderr) << "nivelon-sim: " << error << Qt::endl;
        return 1;
    }
    printBanner(line.portPath(), line.options());
    sim::SignalPipe signalPipe({SIGUSR1, SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&signalPipe, &sim::SignalPipe::raised, &app, [&](int number) {
        if (number == SIGUSR1)
            QTextStream(stdout) << line.countersReport() << Qt::flush;
        else
            app.quit();
    });
    sim::LevelCommands levelCommands(line);
    if (options.commands) {
        auto* input = new StdinLines(&app);
        QObject::connect(input, &StdinLines::lineRead, &app, [&](const QString& command) {
            if (command.isEmpty())
                return;
            QString answer;
            const bool done = levelCommands.execute(command, &answer);
            QTextStream(done ? stdout : stderr) << answer << Qt::endl;
        });
    }
    const int status = app.exec();
    line.stop();
    QTextStream(stdout) << line.countersReport() << Qt::flush;
    return status;
}

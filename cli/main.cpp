// nivelon-cli: Nivelon's engines from the command line, for scripted
// commissioning. No display needed.
#include "argumentparser.h"
#include "clicommand.h"
#include "clioutput.h"
#include "manualpage.h"
#include "stdinlines.h"
#include "stopsignals.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>

namespace {

int showText(const QString& text)
{
    CliOutput output(false);
    output.text(text);
    if (output.writeFailure().isEmpty())
        return ExitDone;
    output.error(output.writeFailure(), ExitPortFailure);
    return ExitPortFailure;
}

int refuseArguments(const ArgumentParser& parser, bool json)
{
    CliOutput output(json);
    output.error(parser.errorText(), ExitBadArguments);
    output.note(parser.usageText().trimmed());
    return ExitBadArguments;
}

int run(const ArgumentParser& parser, const CliOptions& options)
{
    StopSignals stopSignals;
    CliOutput output(options.json);
    std::unique_ptr<CliCommand> command(parser.commandRow()->create(options, &output));
    QObject::connect(&stopSignals, &StopSignals::raised, command.get(), &CliCommand::interrupt);
    QObject::connect(command.get(), &CliCommand::finished, [&](int exitCode) {
        // Arguments only the line could judge are still bad arguments.
        if (exitCode == ExitBadArguments)
            output.note(parser.usageText().trimmed());
        QCoreApplication::exit(exitCode);
    });
    QTimer::singleShot(0, command.get(), &CliCommand::start);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    StdinLines::holdClosedInput();
    QCoreApplication app(argc, argv);
    // The window's settings: its query interval and the ports added by hand.
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));

    ArgumentParser parser;
    CliOptions options;
    // Known before the arguments are: an argument error is one object too.
    const bool json = app.arguments().contains(QStringLiteral("--json"));
    switch (parser.parse(app.arguments(), &options)) {
    case ArgumentParser::ShowHelp:
        return showText(parser.helpText().trimmed());
    case ArgumentParser::ShowVersion:
        return showText(ArgumentParser::versionText());
    case ArgumentParser::ShowManual:
        return showText(ManualPage::text().trimmed());
    case ArgumentParser::Invalid:
        return refuseArguments(parser, json);
    case ArgumentParser::Run:
        break;
    }
    return run(parser, options);
}

// nivelon-cli: Nivelon's engines from the command line, for scripted
// commissioning. No display needed.
#include "argumentparser.h"
#include "clicommand.h"
#include "clioutput.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The window's settings: its query interval and the ports added by hand.
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));

    ArgumentParser parser;
    CliOptions options;
    switch (parser.parse(app.arguments(), &options)) {
    case ArgumentParser::ShowHelp:
        QTextStream(stdout) << parser.helpText();
        return ExitDone;
    case ArgumentParser::Invalid:
        QTextStream(stderr) << "nivelon-cli: " << parser.errorText() << '\n' << parser.usageText();
        return ExitBadArguments;
    case ArgumentParser::Run:
        break;
    }
    CliOutput output(options.json);
    std::unique_ptr<CliCommand> command(CliCommand::create(options, &output));
    QObject::connect(command.get(), &CliCommand::finished, &app, [&](int exitCode) {
        // Arguments only the line could judge are still bad arguments.
        if (exitCode == ExitBadArguments)
            QTextStream(stderr) << parser.usageText();
        QCoreApplication::exit(exitCode);
    });
    QTimer::singleShot(0, command.get(), &CliCommand::start);
    return app.exec();
}

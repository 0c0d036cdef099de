#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

bool asksInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "--help-all" || argument == "-h" ||
            argument == "-?" || argument == "--version" || argument == "-v")
            return true;
    }
    return false;
}

QString translate(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

} // namespace

namespace CommandLine {

bool printedInformation(int argc, char* argv[])
{
    if (!asksInformation(argc, argv))
        return false;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nivelon"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NIVELON_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        translate("Finds, polls, plots and configures fuel-level sensors (Omnicomm, ModBus "
                  "RTU, TBus) on a serial line.\n"
                  "Ports the system does not list (a pseudo-terminal, a link) are added with "
                  "NIVELON_PORTS, a colon-separated list of paths."));
    parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption({QStringLiteral("g"),
                      translate("Diagnostic mode: log every exchange and show the line-data "
                                "table.")});
    parser.addOption({QStringLiteral("t"),
                      translate("Turn the Omnicomm service controls on for this run (empty "
                                "and full calibration, normal temperature); Service controls in "
                                "the Settings menu keeps them on across starts.")});
    // Qt's own options (-platform, -style...) are the toolkit's business.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.parse(QCoreApplication::arguments());
    const QString text = parser.isSet(version)
                             ? QStringLiteral("nivelon %1\n").arg(QLatin1String(NIVELON_VERSION))
                             : parser.helpText();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return true;
}

} // namespace CommandLine

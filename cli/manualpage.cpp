#include "manualpage.h"

#include "argumentparser.h"
#include "commandtable.h"

#include <QStringList>

QString ManualPage::text()
{
    QString page =
        QStringLiteral(
            ".TH NIVELON-CLI 1 \"\" \"%1\" \"User Commands\"\n"
            ".SH NAME\n"
            "nivelon-cli \\- set up fuel-level sensors from the command line\n"
            ".SH SYNOPSIS\n"
            ".B nivelon-cli\n"
            ".I COMMAND\n"
            "[\\fIOPTIONS\\fR]\n"
            ".br\n"
            ".B nivelon-cli help\n"
            "[\\fICOMMAND\\fR]\n"
            ".br\n"
            ".B nivelon-cli\n"
            "\\fB\\-\\-version\\fR | \\fB\\-\\-manual\\fR\n"
            ".SH DESCRIPTION\n"
            "nivelon-cli lists serial ports, identifies the protocol of a line, finds, polls,\n"
            "configures and calibrates Omnicomm, ModBus RTU and TBus fuel-level sensors, and\n"
            "writes tank tables and commissioning records, without a display. Results go to\n"
            "standard output, as text or with \\fB\\-\\-json\\fR as one JSON object a line;\n"
            "notes and failures go to standard error.\n"
            ".SH COMMANDS\n")
            .arg(escaped(ArgumentParser::versionText()));
    for (const CommandRow& row : CommandTable::commands())
        page += QStringLiteral(".SS %1\n.nf\n%2.fi\n")
                    .arg(QLatin1String(row.name), escaped(ArgumentParser::commandHelp(row)));
    page += QStringLiteral(".SH EXIT STATUS\n%1"
                           ".SH ENVIRONMENT\n"
                           ".TP\n.B NIVELON_PORTS\n"
                           "Paths of further serial ports, separated by colons, that "
                           "\\fBports\\fR lists.\n"
                           ".SH SEE ALSO\n"
                           "The JSON objects, their keys and units: docs/cli-json.md in the "
                           "sources. The simulated sensor line: \\fBnivelon-sim \\-\\-help\\fR.\n")
                .arg(escaped(ArgumentParser::exitCodesText()));
    return page;
}

QString ManualPage::escaped(const QString& text)
{
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        line.replace('\\', QLatin1String("\\e")).replace('-', QLatin1String("\\-"));
        if (line.startsWith('.') || line.startsWith('\''))
            line.prepend(QLatin1String("\\&"));
    }
    return lines.join('\n');
}

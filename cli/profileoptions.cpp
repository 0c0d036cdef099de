#include "profileoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

QList<QCommandLineOption> ProfileOptions::options()
{
    return {{"save", "Save the sensor's configuration to this profile file.", "FILE"},
            {"apply",
             "Give the sensor the configuration of this profile file: its differences "
             "are written one by one and read back.",
             "FILE"},
            {"dry-run", "With --apply: list the differences, write nothing."}};
}

bool ProfileOptions::read(const QCommandLineParser& parser, const QStringList& values,
                          QString* error)
{
    save = parser.value("save");
    apply = parser.value("apply");
    dryRun = parser.isSet("dry-run");
    if ((parser.isSet("save") && save.isEmpty()) || (parser.isSet("apply") && apply.isEmpty()))
        *error = QStringLiteral("--save and --apply want a file name");
    else if (!save.isEmpty() && !apply.isEmpty())
        *error = QStringLiteral("--save and --apply exclude each other: give one of them");
    else if (dryRun && apply.isEmpty())
        *error = QStringLiteral("--dry-run goes with --apply: give the profile to compare");
    else if (isSet() && !values.isEmpty())
        *error = QStringLiteral("a profile and NAME=VALUE exclude each other: give one of them");
    return error->isEmpty();
}

#include "argumentparser.h"

#include "commandtable.h"
#include "engine/enginefactory.h"
#include "profiles/configurationparameters.h"

#include <QCommandLineParser>
#include <climits>

namespace {

const int kDefaultCount = 10;
const int kLastAddress = 255;

const char kExitCodes[] = "Exit codes: 0 done, 1 port or device failure or unwritable output, "
                          "2 bad arguments, 3 nothing answered, 4 a sensor refused a value or "
                          "the address is taken, 130 and 143 stopped by SIGINT or SIGTERM.\n";

QStringList parameterNames()
{
    QStringList names;
    for (int index : ConfigurationParameters::indexes())
        names << ConfigurationParameters::name(index);
    return names;
}

QList<QCommandLineOption> optionsOf(unsigned needs)
{
    QList<QCommandLineOption> options{{{"h", "help"}, "This help."},
                                      {"json", "Machine-readable output."}};
    if (needs & NeedPort)
        options << QCommandLineOption(
            "port", "Serial port: a name from \"nivelon-cli ports\" or a path.", "P");
    if (needs & NeedModel)
        options << QCommandLineOption(
            "model", "Sensor model: " + EngineFactory::sensorTypes().join(", ") + ".", "CODE");
    if (needs & NeedAddress)
        options << QCommandLineOption("address", "The sensor's bus address.", "N");
    if (needs & TakesDuration) {
        options << QCommandLineOption("count", "Readings to take (10 unless told).", "K");
        options << QCommandLineOption("seconds", "Poll for this many seconds instead.", "S");
    }
    if (needs & TakesTankTable)
        options << TankOptions::tankTableOption();
    if (needs & NeedTare)
        options << TankOptions::tareOptions();
    if (needs & TakesConfiguration)
        options << ProfileOptions::options();
    return options;
}

} // namespace

ArgumentParser::Outcome ArgumentParser::parse(const QStringList& arguments, CliOptions* options)
{
    m_spec = nullptr;
    const QString command = arguments.value(1);
    if (command.isEmpty())
        return fail(QStringLiteral("no command given"));
    if (command == QLatin1String("--help") || command == QLatin1String("-h"))
        return ShowHelp;
    m_spec = CommandTable::find(command);
    if (!m_spec)
        return fail(QStringLiteral("unknown command \"%1\"").arg(command));
    options->command = command;

    QCommandLineParser parser;
    parser.addOptions(optionsOf(m_spec->needs));
    QStringList rest = arguments.mid(2);
    rest.prepend(arguments.value(0));
    if (!parser.parse(rest))
        return fail(parser.errorText());
    if (parser.isSet("help"))
        return ShowHelp;
    if (!readOptions(parser, options))
        return Invalid;
    return Run;
}

ArgumentParser::Outcome ArgumentParser::fail(const QString& error)
{
    m_error = error;
    return Invalid;
}

bool ArgumentParser::readOptions(const QCommandLineParser& parser, CliOptions* options)
{
    options->json = parser.isSet("json");
    options->values = parser.positionalArguments();
    const unsigned needs = m_spec->needs;
    if ((needs & NeedPort) && (options->port = parser.value("port")).isEmpty()) {
        m_error = QStringLiteral("--port is missing: name the serial port of the line");
        return false;
    }
    if ((needs & NeedModel) && !readModel(parser.value("model"), options))
        return false;
    if ((needs & NeedAddress) &&
        !readNumber("--address", parser.value("address"), 0, kLastAddress, &options->address))
        return false;
    if ((needs & TakesDuration) && !readDuration(parser, options))
        return false;
    if (needs & TakesTankTable)
        options->tank.tankTable = parser.value("tank-table");
    if ((needs & NeedTare) && !options->tank.readTare(parser, &m_error))
        return false;
    if ((needs & TakesConfiguration) && !options->profile.read(parser, options->values, &m_error))
        return false;
    return checkValues(options->values);
}

bool ArgumentParser::readModel(const QString& code, CliOptions* options)
{
    const QStringList codes = EngineFactory::sensorTypes();
    const int index = codes.indexOf(code.toUpper());
    if (index < 0) {
        const QString models = codes.join(QStringLiteral(", "));
        m_error = code.isEmpty()
                      ? QStringLiteral("--model is missing: give one of %1").arg(models)
                      : QStringLiteral("--model %1 is not a sensor model: give one of %2")
                            .arg(code, models);
        return false;
    }
    options->modelIndex = index;
    options->modelCode = codes.at(index);
    return true;
}

bool ArgumentParser::readNumber(const QString& name, const QString& text, int low, int high,
                                int* number)
{
    bool ok = false;
    *number = text.toInt(&ok);
    if (ok && *number >= low && *number <= high)
        return true;
    m_error = text.isEmpty() ? QStringLiteral("%1 is missing: give a number from %2 to %3")
                                   .arg(name)
                                   .arg(low)
                                   .arg(high)
                             : QStringLiteral("%1 %2 is not a number from %3 to %4")
                                   .arg(name, text)
                                   .arg(low)
                                   .arg(high);
    return false;
}

bool ArgumentParser::readDuration(const QCommandLineParser& parser, CliOptions* options)
{
    const bool counted = parser.isSet("count");
    const bool timed = parser.isSet("seconds");
    if (counted && timed) {
        m_error = QStringLiteral("--count and --seconds exclude each other: give one of them");
        return false;
    }
    if (timed) {
        bool ok = false;
        options->seconds = parser.value("seconds").toDouble(&ok);
        if (ok && options->seconds > 0 && options->seconds <= INT_MAX / 1000)
            return true;
        m_error = QStringLiteral("--seconds %1 is not a positive number of seconds")
                      .arg(parser.value("seconds"));
        return false;
    }
    options->count = kDefaultCount;
    return !counted || readNumber("--count", parser.value("count"), 1, INT_MAX, &options->count);
}

bool ArgumentParser::checkValues(const QStringList& values)
{
    const int count = values.size();
    if (count >= m_spec->minValues &&
        (m_spec->maxValues == CommandSpec::AnyNumber || count <= m_spec->maxValues))
        return true;
    m_error = count < m_spec->minValues
                  ? QStringLiteral("an argument is missing: see the usage below")
                  : QStringLiteral("unexpected argument \"%1\"").arg(values.at(m_spec->maxValues));
    return false;
}

QString ArgumentParser::usageText() const
{
    if (m_spec)
        return QStringLiteral("Usage: nivelon-cli %1\n").arg(m_spec->usage);
    QString usage = QStringLiteral("Usage: nivelon-cli COMMAND [OPTIONS]; commands:\n");
    for (const CommandSpec& spec : CommandTable::commands())
        usage += QStringLiteral("  nivelon-cli %1\n").arg(spec.usage);
    return usage;
}

QString ArgumentParser::helpText() const
{
    if (!m_spec)
        return toolHelp();
    QString options;
    for (const QCommandLineOption& option : optionsOf(m_spec->needs)) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        const QString valued = option.valueName().isEmpty() ? QString() : " " + option.valueName();
        options +=
            QStringLiteral("  %1\n      %2\n").arg(names.join(", ") + valued, option.description());
    }
    QString summary = m_spec->summary;
    if (m_spec->needs & TakesConfiguration)
        summary += "\nNames: " + parameterNames().join(", ") + ".";
    return usageText() + "\n" + summary + "\n\nOptions:\n" + options + "\n" + kExitCodes;
}

QString ArgumentParser::toolHelp()
{
    QString help = QStringLiteral(
        "nivelon-cli: set up fuel-level sensors from the command line.\n\nCommands:\n");
    for (const CommandSpec& spec : CommandTable::commands())
        help += QStringLiteral("  nivelon-cli %1\n").arg(spec.usage);
    return help + "\nEvery command takes --help and --json.\n" + kExitCodes;
}

#include "argumentparser.h"

#include "commandtable.h"
#include "engine/enginefactory.h"
#include "profiles/configurationparameters.h"

#include <QCommandLineParser>
#include <climits>

namespace {

const int kDefaultCount = 10;
const double kDefaultRecordSeconds = 10;
const int kLastAddress = 255;
// A minute: far beyond any sensor, short of looking like a hang.
const int kLongestReplyTimeoutMs = 60000;
const int kLongestIntervalMs = 3600000;
// Marks a negative number among the plain arguments, which the option parser
// would take for a cluster of short options.
const QChar kNegativeMark(0xE000);

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
                       "port", "Serial port: a name from \"nivelon-cli ports\" or a path.", "P")
                << QCommandLineOption("reply-timeout",
                                      "Wait this long for every reply, for sensors slower than "
                                      "the protocol allows.",
                                      "MS");
    if (needs & NeedModel)
        options << QCommandLineOption(
            "model", "Sensor model: " + EngineFactory::sensorTypes().join(", ") + ".", "CODE");
    if (needs & NeedAddress)
        options << QCommandLineOption("address", "The sensor's bus address.", "N");
    if (needs & TakesAddressList)
        options << QCommandLineOption(
            "address", "TBus: the identifiers to probe, as 5 or 5,7 (10 and 8 unless told).",
            "LIST");
    if (needs & TakesDuration) {
        options << QCommandLineOption("count", "Readings to take (10 unless told).", "K");
        options << QCommandLineOption("seconds", "Poll for this many seconds instead.", "S");
    }
    if (needs & TakesSeconds)
        options << QCommandLineOption("seconds", "Poll for this many seconds first.", "S");
    if (needs & TakesInterval)
        options << QCommandLineOption("interval",
                                      "At least this many milliseconds between two requests "
                                      "(the window's query interval unless told).",
                                      "MS");
    if (needs & NeedRecord)
        options << QCommandLineOption("out", "Write the record to this file.", "FILE")
                << QCommandLineOption("vehicle", "The vehicle's registration or fleet number.", "V")
                << QCommandLineOption("installer", "Who installed the sensor.", "NAME");
    if (needs & TakesTankTable)
        options << (needs & NeedRecord
                        ? QCommandLineOption("tank-table",
                                             "Put this tank table (as tare writes it) into the "
                                             "record.",
                                             "FILE")
                        : TankOptions::tankTableOption());
    if (needs & NeedTare)
        options << TankOptions::tareOptions();
    if (needs & TakesConfiguration)
        options << ProfileOptions::options();
    if (needs & NeedShape)
        options << ShapeOptions::shapeOptions();
    if (needs & NeedExport)
        options << ShapeOptions::exportOptions();
    if (needs & NeedListening)
        options << QCommandLineOption(
                       "port", "Serial port: a name from \"nivelon-cli ports\" or a path.", "P")
                << QCommandLineOption("model",
                                      "Sensor model, which gives the protocol: " +
                                          EngineFactory::sensorTypes().join(", ") +
                                          " (each protocol is tried unless told).",
                                      "CODE")
                << QCommandLineOption("seconds", "Listen for this many seconds.", "S")
                << QCommandLineOption("raw", "Keep every byte heard, with its time, in FILE.",
                                      "FILE")
                << QCommandLineOption("replay", "Decode a file --raw kept instead of a port.",
                                      "FILE");
    return options;
}

bool isNegativeNumber(const QString& argument)
{
    bool number = false;
    argument.toDouble(&number);
    return number && argument.startsWith('-');
}

// An option's value is the argument after it whatever it looks like; a
// negative number elsewhere is a plain argument.
QStringList markNegativeNumbers(const QStringList& arguments,
                                const QList<QCommandLineOption>& options)
{
    QStringList valued;
    for (const QCommandLineOption& option : options)
        if (!option.valueName().isEmpty())
            for (const QString& name : option.names())
                valued << (name.size() == 1 ? "-" : "--") + name;
    QStringList marked;
    for (const QString& argument : arguments)
        marked << (isNegativeNumber(argument) && !valued.contains(marked.value(marked.size() - 1))
                       ? kNegativeMark + argument
                       : argument);
    return marked;
}

QStringList unmarked(QStringList values)
{
    for (QString& value : values)
        if (value.startsWith(kNegativeMark))
            value.remove(0, 1);
    return values;
}

} // namespace

ArgumentParser::Outcome ArgumentParser::parse(const QStringList& arguments, CliOptions* options)
{
    m_row = nullptr;
    const QString command = arguments.value(1);
    if (command.isEmpty())
        return fail(QStringLiteral("no command given"));
    if (command == QLatin1String("--help") || command == QLatin1String("-h"))
        return ShowHelp;
    if (command == QLatin1String("--version"))
        return ShowVersion;
    if (command == QLatin1String("--manual"))
        return ShowManual;
    if (command == QLatin1String("help"))
        return helpOf(arguments.mid(2));
    m_row = CommandTable::find(command);
    if (!m_row)
        return fail(QStringLiteral("unknown command \"%1\"").arg(command));
    options->command = command;

    QCommandLineParser parser;
    parser.addOptions(optionsOf(m_row->needs));
    QStringList rest = markNegativeNumbers(arguments.mid(2), optionsOf(m_row->needs));
    rest.prepend(arguments.value(0));
    if (!parser.parse(rest))
        return fail(parser.errorText());
    if (parser.isSet("help"))
        return ShowHelp;
    if (!readOptions(parser, options))
        return Invalid;
    return Run;
}

ArgumentParser::Outcome ArgumentParser::helpOf(const QStringList& commands)
{
    if (commands.size() > 1)
        return fail(QStringLiteral("help takes one command, not \"%1\"").arg(commands.join(' ')));
    if (commands.isEmpty() || commands.first().startsWith('-'))
        return ShowHelp;
    m_row = CommandTable::find(commands.first());
    if (!m_row)
        return fail(QStringLiteral("unknown command \"%1\"").arg(commands.first()));
    return ShowHelp;
}

ArgumentParser::Outcome ArgumentParser::fail(const QString& error)
{
    m_error = error;
    return Invalid;
}

bool ArgumentParser::readOptions(const QCommandLineParser& parser, CliOptions* options)
{
    options->json = parser.isSet("json");
    options->values = unmarked(parser.positionalArguments());
    const unsigned needs = m_row->needs;
    if ((needs & NeedPort) && (options->port = parser.value("port")).isEmpty()) {
        m_error = QStringLiteral("--port is missing: name the serial port of the line");
        return false;
    }
    if ((needs & NeedModel) && !readModel(parser.value("model"), options))
        return false;
    if ((needs & NeedPort) && parser.isSet("reply-timeout") &&
        !readNumber("--reply-timeout", parser.value("reply-timeout"), 1, kLongestReplyTimeoutMs,
                    &options->replyTimeoutMs))
        return false;
    if ((needs & NeedAddress) &&
        (!readNumber("--address", parser.value("address"), 0, kLastAddress, &options->address) ||
         !checkAddress(*options, options->address)))
        return false;
    if ((needs & TakesAddressList) && parser.isSet("address") &&
        !readAddressList(parser.value("address"), options))
        return false;
    if ((needs & TakesDuration) && !readDuration(parser, options))
        return false;
    if (needs & TakesSeconds) {
        options->seconds = kDefaultRecordSeconds;
        if (parser.isSet("seconds") && !readSeconds(parser.value("seconds"), options))
            return false;
    }
    if ((needs & TakesInterval) && parser.isSet("interval") &&
        !readNumber("--interval", parser.value("interval"), 1, kLongestIntervalMs,
                    &options->intervalMs))
        return false;
    if (needs & NeedRecord) {
        options->vehicle = parser.value("vehicle");
        options->installer = parser.value("installer");
        if ((options->out = parser.value("out")).isEmpty()) {
            m_error = QStringLiteral("--out is missing: name the file for the record");
            return false;
        }
    }
    if (needs & TakesTankTable)
        options->tank.tankTable = parser.value("tank-table");
    if ((needs & NeedTare) && !options->tank.readTare(parser, &m_error))
        return false;
    if ((needs & TakesConfiguration) && !options->profile.read(parser, options->values, &m_error))
        return false;
    if ((needs & NeedShape) &&
        !options->shape.readShape(parser, options->values.value(0), &m_error))
        return false;
    if ((needs & NeedExport) && !options->shape.readExport(parser, &m_error))
        return false;
    if ((needs & NeedListening) && !readListening(parser, options))
        return false;
    return checkValues(options->values);
}

bool ArgumentParser::readListening(const QCommandLineParser& parser, CliOptions* options)
{
    options->port = parser.value("port");
    options->raw = parser.value("raw");
    options->replay = parser.value("replay");
    if (options->port.isEmpty() == options->replay.isEmpty()) {
        m_error = options->port.isEmpty()
                      ? QStringLiteral("--port is missing: name the serial port of the line, or "
                                       "a kept session with --replay")
                      : QStringLiteral("--port and --replay exclude each other: give one of them");
        return false;
    }
    if (!options->replay.isEmpty() && !options->raw.isEmpty()) {
        m_error = QStringLiteral("--raw keeps what a port delivers: it does not go with --replay");
        return false;
    }
    if (parser.isSet("model") && !readModel(parser.value("model"), options))
        return false;
    return !parser.isSet("seconds") || readSeconds(parser.value("seconds"), options);
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

// Checked before the line is opened: an address beyond the protocol's would
// reach the wire cut to another one, or not at all.
bool ArgumentParser::checkAddress(const CliOptions& options, int address)
{
    int lowest = 0;
    int highest = 0;
    if (!EngineFactory::addressRange(unsigned(options.modelIndex), &lowest, &highest) ||
        (address >= lowest && address <= highest))
        return true;
    m_error = QStringLiteral("--address %1 is outside the addresses of %2: a %3 sensor has one "
                             "from %4 to %5")
                  .arg(address)
                  .arg(options.modelCode, EngineFactory::protocolName(unsigned(options.modelIndex)))
                  .arg(lowest)
                  .arg(highest);
    return false;
}

bool ArgumentParser::readAddressList(const QString& text, CliOptions* options)
{
    if (EngineFactory::protocolName(unsigned(options->modelIndex)) != QLatin1String("TBus")) {
        m_error = QStringLiteral("--address is for TBus models: a scan of %1 probes every address")
                      .arg(options->modelCode);
        return false;
    }
    for (const QString& item : text.split(QLatin1Char(','))) {
        int address = 0;
        if (!readNumber("--address", item.trimmed(), 0, kLastAddress, &address) ||
            !checkAddress(*options, address))
            return false;
        options->addresses << address;
    }
    return true;
}

bool ArgumentParser::readDuration(const QCommandLineParser& parser, CliOptions* options)
{
    const bool counted = parser.isSet("count");
    const bool timed = parser.isSet("seconds");
    if (counted && timed) {
        m_error = QStringLiteral("--count and --seconds exclude each other: give one of them");
        return false;
    }
    if (timed)
        return readSeconds(parser.value("seconds"), options);
    options->count = kDefaultCount;
    return !counted || readNumber("--count", parser.value("count"), 1, INT_MAX, &options->count);
}

bool ArgumentParser::readSeconds(const QString& text, CliOptions* options)
{
    bool ok = false;
    options->seconds = text.toDouble(&ok);
    if (ok && options->seconds > 0 && options->seconds <= INT_MAX / 1000)
        return true;
    m_error = QStringLiteral("--seconds %1 is not a number of seconds above 0 and up to %2")
                  .arg(text)
                  .arg(INT_MAX / 1000);
    return false;
}

bool ArgumentParser::checkValues(const QStringList& values)
{
    const int count = values.size();
    if (count >= m_row->minValues &&
        (m_row->maxValues == CommandRow::AnyNumber || count <= m_row->maxValues))
        return true;
    m_error = count < m_row->minValues
                  ? QStringLiteral("an argument is missing: see the usage below")
                  : QStringLiteral("unexpected argument \"%1\"").arg(values.at(m_row->maxValues));
    return false;
}

QString ArgumentParser::usageText() const
{
    if (m_row)
        return QStringLiteral("Usage: nivelon-cli %1\n").arg(m_row->usage);
    QString usage = QStringLiteral("Usage: nivelon-cli COMMAND [OPTIONS]; commands:\n");
    for (const CommandRow& row : CommandTable::commands())
        usage += QStringLiteral("  nivelon-cli %1\n").arg(row.usage);
    return usage;
}

QString ArgumentParser::helpText() const
{
    return m_row ? commandHelp(*m_row) : toolHelp();
}

QString ArgumentParser::commandHelp(const CommandRow& row)
{
    QString options;
    for (const QCommandLineOption& option : optionsOf(row.needs)) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        const QString valued = option.valueName().isEmpty() ? QString() : " " + option.valueName();
        options +=
            QStringLiteral("  %1\n      %2\n").arg(names.join(", ") + valued, option.description());
    }
    QString summary = row.summary;
    if (row.needs & TakesConfiguration)
        summary += "\nNames: " + parameterNames().join(", ") +
                   ", and Mode (network: polled, autonomous: sends by itself).";
    return QStringLiteral("Usage: nivelon-cli %1\n\n%2\n\nOptions:\n%3\n%4")
        .arg(row.usage, summary, options, exitCodesText());
}

QString ArgumentParser::exitCodesText()
{
    return QLatin1String(kExitCodes);
}

QString ArgumentParser::versionText()
{
    return QStringLiteral("nivelon-cli " NIVELON_VERSION);
}

QString ArgumentParser::toolHelp()
{
    QString help = QStringLiteral(
        "nivelon-cli: set up fuel-level sensors from the command line.\n\nCommands:\n");
    for (const CommandRow& row : CommandTable::commands())
        help += QStringLiteral("  nivelon-cli %1\n").arg(row.usage);
    return help +
           "\nEvery command takes --help and --json; \"nivelon-cli help COMMAND\" is the "
           "same as \"nivelon-cli COMMAND --help\". --version prints the version, "
           "--manual the manual page.\n" +
           exitCodesText();
}

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
    if (needs & TakesSeconds)
        options << QCommandLineOption("seconds", "Poll for this many seconds first.", "S");
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
    return options;
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
    m_row = CommandTable::find(command);
    if (!m_row)
        return fail(QStringLiteral("unknown command \"%1\"").arg(command));
    options->command = command;

    QCommandLineParser parser;
    parser.addOptions(optionsOf(m_row->needs));
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
    const unsigned needs = m_row->needs;
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
    if (needs & TakesSeconds) {
        options->seconds = kDefaultRecordSeconds;
        if (parser.isSet("seconds") && !readSeconds(parser.value("seconds"), options))
            return false;
    }
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
    m_error = QStringLiteral("--seconds %1 is not a positive number of seconds").arg(text);
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
    if (!m_row)
        return toolHelp();
    QString options;
    for (const QCommandLineOption& option : optionsOf(m_row->needs)) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        const QString valued = option.valueName().isEmpty() ? QString() : " " + option.valueName();
        options +=
            QStringLiteral("  %1\n      %2\n").arg(names.join(", ") + valued, option.description());
    }
    QString summary = m_row->summary;
    if (m_row->needs & TakesConfiguration)
        summary += "\nNames: " + parameterNames().join(", ") + ".";
    return usageText() + "\n" + summary + "\n\nOptions:\n" + options + "\n" + kExitCodes;
}

QString ArgumentParser::toolHelp()
{
    QString help = QStringLiteral(
        "nivelon-cli: set up fuel-level sensors from the command line.\n\nCommands:\n");
    for (const CommandRow& row : CommandTable::commands())
        help += QStringLiteral("  nivelon-cli %1\n").arg(row.usage);
    return help + "\nEvery command takes --help and --json.\n" + kExitCodes;
}

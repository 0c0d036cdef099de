#include "commandline.h"

#include <QCommandLineParser>

namespace sim {

namespace {

struct AddressRange
{
    int low;
    int high;
};

AddressRange addressRange(Protocol protocol)
{
    switch (protocol) {
    case Protocol::ModBus:
        return {1, 247};
    case Protocol::TBus:
        return {0, 62}; // 63 would be taken for the start of a service frame
    case Protocol::Omnicomm:
        break;
    }
    return {0, 255};
}

const struct
{
    const char* name;
    double FaultSettings::*field;
} faultOptions[] = {
    {"fault-crc", &FaultSettings::corruptCrc},
    {"fault-silence", &FaultSettings::noReply},
    {"fault-garbage", &FaultSettings::garbage},
    {"fault-wrong-address", &FaultSettings::wrongAddress},
    {"fault-late", &FaultSettings::late},
};

void addOptions(QCommandLineParser* parser)
{
    parser->addHelpOption();
    parser->addOptions({
        {"model", "Sensor model code, ZT-31 to ZT-43.", "CODE", "ZT-33"},
        {"address", "A sensor at this address (repeatable).", "N"},
        {"autonomous", "An Omnicomm sensor at ADDR that starts in autonomous mode.", "ADDR"},
        {"uncalibrated", "TBus sensors start without calibration points."},
        {"latency", "Sensor latency before a reply.", "MS", "3"},
        {"slow", "A sensor at ADDR that replies only after MS (repeatable).", "ADDR:MS"},
        {"echo", "The line echoes every byte written, as a LIN line does (any model)."},
        {"noise", "Bursts of BYTES random bytes on the line every MS.", "BYTES:MS"},
        {"level", "Freeze every level at this percent.", "PERCENT"},
        {"link", "Also make a symlink to the pseudo-terminal here.", "PATH"},
        {"port", "Use this serial device instead of a pseudo-terminal.", "PATH"},
        {"seed", "Seed of the noise and of the faults.", "N", "1"},
        {"late-ms", "How late a late reply is.", "MS", "400"},
        {"commands", "Take level commands on standard input: \"level ADDR PERCENT\" holds a "
                     "sensor's level, \"pour ADDR PERCENT\" adds to it."},
        {"wobble", "After a level command the level swings by PERCENT, calming over SECONDS.",
         "PERCENT:SECONDS"},
        {"tank", "Pour commands pour LITRES into a tank of this shape, as nivelon-cli tank-shape "
                 "takes it (not a drawn profile): the level is the one that shape gives.",
         "SHAPE:DIMENSIONS"},
        {"probe", "With --tank: the probe's range starts START mm above the bottom and is LENGTH "
                  "mm long (the whole height unless told).",
         "START:LENGTH"},
        {"tracker", "Play the vehicle's tracker: poll every sensor every MS as the bus master and "
                    "mirror the whole bus to a pseudo-terminal for a listener.",
         "MS"},
        {"tap", "With --tracker: also make a symlink to the listener's pseudo-terminal here.",
         "PATH"},
        {"tap-batch", "With --tracker: deliver the bus to the listener every MS, as a USB adapter "
                      "does.",
         "MS", "0"},
        {"tap-corrupt", "With --tracker: damage this share of the bytes the listener gets.", "P",
         "0"},
        {"exceptions", "With --tracker on ModBus: this share of polls asks for a register the "
                       "sensors lack, which they refuse with an exception.",
         "P", "0"},
        {"second-master", "With --tracker: a second master asks a sensor something every MS.", "MS",
         "0"},
        {"tracker-timeout", "With --tracker: how long the tracker waits for a reply.", "MS", "150"},
        {"tracker-cycles", "With --tracker: fall quiet after N poll cycles.", "N", "0"},
        {"tracker-wait", "With --tracker: start polling once a listener has set the line's rate "
                         "on the tap."},
    });
    for (const auto& fault : faultOptions)
        parser->addOption({fault.name, "Probability of this fault per reply.", "P", "0"});
}

} // namespace

CommandLine::Outcome CommandLine::parse(const QStringList& arguments, LineOptions* options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated fuel-level sensors on a serial line.");
    addOptions(&parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return Invalid;
    }
    if (parser.isSet("help")) {
        help = parser.helpText();
        return ShowHelp;
    }
    int seed = 1;
    int level = -1;
    bool valid =
        readModel(parser.value("model"), options) &&
        readAddresses(parser.values("address"), &options->addresses) &&
        readAddresses(parser.values("autonomous"), &options->autonomous) &&
        readNumber("latency", parser.value("latency"), 0, 10000, &options->latencyMs) &&
        readSlowSensors(parser.values("slow"), &options->slowMs) &&
        (!parser.isSet("noise") || readNoise(parser.value("noise"), options)) &&
        readNumber("late-ms", parser.value("late-ms"), 0, 60000, &options->faults.lateMs) &&
        readNumber("seed", parser.value("seed"), 0, 0x7FFFFFFF, &seed) &&
        (!parser.isSet("level") || readNumber("level", parser.value("level"), 0, 100, &level)) &&
        (!parser.isSet("wobble") ||
         LevelWobble::parse(parser.value("wobble"), &options->wobble, &error)) &&
        (!parser.isSet("tank") || options->tank.parse(parser.value("tank"), &error)) &&
        (!parser.isSet("probe") || options->tank.parseProbe(parser.value("probe"), &error));
    for (const auto& fault : faultOptions) {
        valid = valid && readProbability(fault.name, parser.value(fault.name),
                                         &(options->faults.*fault.field));
    }
    if (!valid || !readTracker(parser, options))
        return Invalid;
    options->seed = quint32(seed);
    options->fixedLevel = level < 0 ? -1.0 : level / 100.0;
    options->uncalibrated = parser.isSet("uncalibrated");
    options->echo = parser.isSet("echo");
    options->commands = parser.isSet("commands");
    options->linkPath = parser.value("link");
    options->devicePath = parser.value("port");
    addDefaultAddress(options);
    return checkCombination(*options) ? Run : Invalid;
}

bool CommandLine::readModel(const QString& code, LineOptions* options)
{
    if (SensorModel::byCode(code, &options->model))
        return true;
    error = QStringLiteral("unknown model %1; known: %2").arg(code, SensorModel::codes().join(' '));
    return false;
}

bool CommandLine::readAddresses(const QStringList& values, QList<int>* addresses)
{
    for (const QString& value : values) {
        int address = 0;
        if (!readNumber("address", value, 0, 255, &address))
            return false;
        if (!addresses->contains(address))
            addresses->append(address);
    }
    return true;
}

bool CommandLine::readProbability(const QString& name, const QString& value, double* probability)
{
    bool ok = false;
    *probability = value.toDouble(&ok);
    if (ok && *probability >= 0.0 && *probability <= 1.0)
        return true;
    error = QStringLiteral("--%1 wants a probability from 0 to 1, not %2").arg(name, value);
    return false;
}

bool CommandLine::readNumber(const QString& name, const QString& value, int low, int high,
                             int* number)
{
    bool ok = false;
    *number = value.toInt(&ok, 0);
    if (ok && *number >= low && *number <= high)
        return true;
    error = QStringLiteral("--%1 wants a number from %2 to %3, not %4")
                .arg(name)
                .arg(low)
                .arg(high)
                .arg(value);
    return false;
}

bool CommandLine::readPair(const QString& name, const QString& value, int firstHigh, int secondHigh,
                           int* first, int* second)
{
    const QStringList parts = value.split(':');
    if (parts.size() == 2 && readNumber(name, parts[0], 0, firstHigh, first) &&
        readNumber(name, parts[1], 0, secondHigh, second))
        return true;
    if (parts.size() != 2)
        error = QStringLiteral("--%1 wants two numbers as A:B, not %2").arg(name, value);
    return false;
}

bool CommandLine::readSlowSensors(const QStringList& values, QMap<int, int>* slowMs)
{
    for (const QString& value : values) {
        int address = 0;
        int latency = 0;
        if (!readPair("slow", value, 255, 60000, &address, &latency))
            return false;
        slowMs->insert(address, latency);
    }
    return true;
}

bool CommandLine::readNoise(const QString& value, LineOptions* options)
{
    if (!readPair("noise", value, 4096, 60000, &options->noiseBytes, &options->noiseIntervalMs))
        return false;
    if (options->noiseBytes > 0 && options->noiseIntervalMs > 0)
        return true;
    error = QStringLiteral("--noise wants at least one byte every millisecond or more, not %1")
                .arg(value);
    return false;
}

bool CommandLine::readTracker(const QCommandLineParser& parser, LineOptions* options)
{
    TrackerOptions& tracker = options->tracker;
    tracker.tapLink = parser.value("tap");
    if (!readNumber("tap-batch", parser.value("tap-batch"), 0, 1000, &tracker.batchMs) ||
        !readProbability("tap-corrupt", parser.value("tap-corrupt"), &tracker.corruptShare) ||
        !readProbability("exceptions", parser.value("exceptions"), &tracker.exceptionShare) ||
        !readNumber("second-master", parser.value("second-master"), 0, 3600000,
                    &tracker.secondMasterMs) ||
        !readNumber("tracker-timeout", parser.value("tracker-timeout"), 1, 60000,
                    &tracker.timeoutMs) ||
        !readNumber("tracker-cycles", parser.value("tracker-cycles"), 0, 100000000,
                    &tracker.cycles))
        return false;
    tracker.waitForListener = parser.isSet("tracker-wait");
    const QStringList trackerOnly = {"tap",           "tap-batch",       "tap-corrupt",
                                     "exceptions",    "second-master",   "tracker-timeout",
                                     "tracker-cycles", "tracker-wait"};
    const QStringList programOnly = {"port", "link", "echo", "noise", "commands"};
    if (!parser.isSet("tracker")) {
        for (const QString& name : trackerOnly) {
            if (parser.isSet(name)) {
                error = QStringLiteral("--%1 needs --tracker").arg(name);
                return false;
            }
        }
        return true;
    }
    for (const QString& name : programOnly) {
        if (parser.isSet(name)) {
            error = QStringLiteral("--%1 cannot go with --tracker: the tracker is the line's "
                                   "only master (--tap names the listener's link)")
                        .arg(name);
            return false;
        }
    }
    if (tracker.exceptionShare > 0.0 && options->model.protocol != Protocol::ModBus) {
        error = QStringLiteral("--exceptions needs a ModBus model");
        return false;
    }
    return readNumber("tracker", parser.value("tracker"), 1, 3600000, &tracker.periodMs);
}

void CommandLine::addDefaultAddress(LineOptions* options)
{
    QList<int> own = options->autonomous;
    own << options->slowMs.keys();
    for (int address : own) {
        if (!options->addresses.contains(address))
            options->addresses.append(address);
    }
    if (options->addresses.isEmpty())
        options->addresses.append(options->model.protocol == Protocol::TBus ? 10 : 1);
}

bool CommandLine::checkCombination(const LineOptions& options)
{
    const Protocol protocol = options.model.protocol;
    const AddressRange range = addressRange(protocol);
    for (int address : options.addresses) {
        if (address < range.low || address > range.high) {
            error = QStringLiteral("address %1 is outside %2 to %3 for %4")
                        .arg(address)
                        .arg(range.low)
                        .arg(range.high)
                        .arg(protocolName(protocol));
            return false;
        }
    }
    if (!options.autonomous.isEmpty() && protocol != Protocol::Omnicomm)
        error = QStringLiteral("--autonomous needs an Omnicomm model");
    else if (options.uncalibrated && protocol != Protocol::TBus)
        error = QStringLiteral("--uncalibrated needs a TBus model");
    return error.isEmpty();
}

} // namespace sim

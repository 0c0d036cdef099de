#include "commandtable.h"

#include "calibratecommand.h"
#include "configcommand.h"
#include "identifycommand.h"
#include "monitorcommand.h"
#include "pollcommand.h"
#include "portscommand.h"
#include "profilecommand.h"
#include "recordcommand.h"
#include "scancommand.h"
#include "setaddresscommand.h"
#include "tarecommand.h"
#include "tankexportcommand.h"
#include "tankshapecommand.h"

#include <algorithm>

namespace {

template <typename Command>
CliCommand* make(const CliOptions& options, CliOutput* output)
{
    return new Command(options, output);
}

// A profile to save or apply is a job of its own; plain config prints or writes values.
CliCommand* makeConfig(const CliOptions& options, CliOutput* output)
{
    if (options.profile.isSet())
        return new ProfileCommand(options, output);
    return new ConfigCommand(options, output);
}

} // namespace

const std::vector<CommandRow>& CommandTable::commands()
{
    static const std::vector<CommandRow> table{
        {"ports", "ports [--json]",
         "Lists the serial ports Nivelon would offer, the paths in NIVELON_PORTS included.", 0, 0,
         0, make<PortsCommand>},
        {"scan", "scan --port P --model CODE [--address LIST] [--json]",
         "Runs one detection pass and prints every sensor found: its address and first reading.\n"
         "A TBus scan probes identifiers 10 and 8, where TBus sensors answer, or those of --address.",
         NeedPort | NeedModel | TakesAddressList, 0, 0, make<ScanCommand>},
        {"poll",
         "poll --port P --model CODE --address N [--count K | --seconds S] [--interval MS] "
         "[--tank-table FILE] [--json]",
         "Polls one sensor and prints its readings as CSV (the columns of the plot export) or as\n"
         "JSON lines, then its line statistics (on stderr with CSV, as the last JSON line with\n"
         "--json). Takes 10 readings unless told otherwise; --seconds counts from the first\n"
         "request. SIGINT or SIGTERM ends it with the readings so far and the statistics. With\n"
         "--tank-table, a Litres column (and key) follows: the table's volume at the raw level,\n"
         "its end volume beyond it.",
         NeedPort | NeedModel | NeedAddress | TakesDuration | TakesTankTable | TakesInterval, 0, 0,
         make<PollCommand>},
        {"config",
         "config --port P --model CODE --address N [NAME=VALUE ... | --save FILE | --apply FILE "
         "[--dry-run]] [--json]",
         "Prints an Omnicomm sensor's configuration, or writes the named parameters one by one\n"
         "and reads the configuration back to confirm those the model reports. Every value is\n"
         "checked against its range before anything is sent.\n"
         "--save keeps the configuration in a profile file; --apply lists how the sensor differs\n"
         "from a profile of its model and writes those parameters (not with --dry-run). A profile\n"
         "of another model, or with a name or value that cannot be written, is refused whole.",
         NeedPort | NeedModel | NeedAddress | TakesConfiguration, 0, CommandRow::AnyNumber,
         makeConfig},
        {"set-address", "set-address --port P --model CODE --address N NEW [--json]",
         "Gives an Omnicomm or ModBus sensor the bus address NEW, unless something answers there\n"
         "already, and checks that it answers there.",
         NeedPort | NeedModel | NeedAddress, 1, 1, make<SetAddressCommand>},
        {"calibrate", "calibrate --port P --model CODE --address N min|max [--json]",
         "Stores the current level of a TBus sensor as its empty (min) or full (max) point.",
         NeedPort | NeedModel | NeedAddress, 1, 1, make<CalibrateCommand>},
        {"identify", "identify --port P [--json]",
         "Tries each protocol with its own line settings and reports which one answers and at\n"
         "which addresses: what is on this cable?",
         NeedPort, 0, 0, make<IdentifyCommand>},
        {"monitor",
         "monitor --port P [--model CODE] [--seconds S] [--raw FILE] [--replay FILE] [--json]",
         "Listens to a line another master (the vehicle's tracker) drives, without sending a\n"
         "byte, and prints every exchange it decodes: the columns of poll, then Address,\n"
         "Direction (request+reply, request, reply, unasked), Result (ok, exception, status,\n"
         "timeout, crc, unasked, unpaired), LatencyMs and Detail (the exception's name or the\n"
         "status). At the end (--seconds, SIGINT or SIGTERM) each address's figures follow: on\n"
         "stderr with CSV, as JSON lines with --json. Without --model it tries each protocol's\n"
         "line settings until frames check out. --raw keeps every byte with its arrival time;\n"
         "--replay decodes such a file instead of a port.",
         NeedListening, 0, 0, make<MonitorCommand>},
        {"tare",
         "tare --port P --model CODE --address N --out FILE [--step LITRES] [--tolerance PERCENT] "
         "[--settle SECONDS] [--json]",
         "Calibrates a tank: pour, answer on standard input, and when the sensor's level has\n"
         "settled above the last row's, the row (litres, raw level, level) is recorded. Answers,\n"
         "one a line: a number, the litres poured in this step (the first: what the tank holds,\n"
         "0 when empty); + or y, the default step; u, take back the last row (the next answer\n"
         "does that pour again) or a pour whose level did not rise; !, record the waiting pour\n"
         "now, unsettled (marked in the file); an empty line or the end of input, write the\n"
         "table and stop.\n"
         "Answers are taken in order, each once the pour before it is recorded, so a script can\n"
         "send them all at once.",
         NeedPort | NeedModel | NeedAddress | NeedTare, 0, 0, make<TareCommand>},
        {"record",
         "record --port P --model CODE --address N --out FILE [--seconds S] [--tank-table FILE] "
         "[--vehicle V] [--installer NAME] [--json]",
         "Writes the commissioning record of one sensor as JSON: the time, the port, model and\n"
         "address, its reading and whole configuration, its line statistics over --seconds of\n"
         "polling (10 unless told), and the tank table when one is named. With --json the record\n"
         "is also printed.",
         NeedPort | NeedModel | NeedAddress | NeedRecord | TakesSeconds | TakesTankTable, 0, 0,
         make<RecordCommand>},
        {"tank-shape",
         "tank-shape SHAPE:NAME=MM,... [--probe START:LENGTH] [--points N] [--full-scale N] "
         "[--fit TABLE] --out FILE [--json]",
         "Computes a tank table from the tank's shape, in millimetres, marked as computed until\n"
         "pours confirm it. Shapes and their dimensions: rectangle:width,height,length[,radius];\n"
         "horizontal-cylinder:diameter,length; vertical-cylinder:diameter,height;\n"
         "oval:width,height,length (half circles joined by straight sides);\n"
         "ellipse:width,height,length; d-shape:width,height,length (flat bottom, round top);\n"
         "profile:length=MM,points=ACROSS/UP ACROSS/UP ... (a drawn cross-section).\n"
         "For example: horizontal-cylinder:diameter=1200,length=3000. The first row holds what\n"
         "lies below the probe's start.",
         NeedShape, 1, 1, make<TankShapeCommand>},
        {"tank-export",
         "tank-export --in FILE [--format csv|pairs|segments|json-pairs] [--max-points N] "
         "[--separator TEXT] [--decimal SIGN] [--full-scale N] --out FILE [--json]",
         "Writes a tank table in a form tracking platforms import: pairs, one \"raw level;litres\"\n"
         "a line; segments, a JSON list of {\"x\", \"a\", \"b\"}, litres = a*raw + b from x up;\n"
         "json-pairs, a JSON list of {\"in\": raw, \"out\": litres}; or the tank table's own CSV.\n"
         "--in reads any of these forms. --max-points thins the table to that many rows, keeping\n"
         "the largest error in litres as small as it can, and says what it is.",
         NeedExport, 0, 0, make<TankExportCommand>},
    };
    return table;
}

const CommandRow* CommandTable::find(const QString& name)
{
    const std::vector<CommandRow>& table = commands();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const CommandRow& row) { return name == row.name; });
    return found == table.end() ? nullptr : &*found;
}

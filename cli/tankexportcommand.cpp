#include "tankexportcommand.h"

#include "tank/tableformat.h"
#include "tank/tanktablefile.h"
#include "tank/tankthinning.h"

#include <QJsonObject>

TankExportCommand::TankExportCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{}

void TankExportCommand::start()
{
    const ShapeOptions& options = m_options.shape;
    TankTable table;
    QString error;
    if (!TableFormat::load(options.in, options.probe.fullScale, &table, &error)) {
        finish(ExitBadArguments, QStringLiteral("--in %1: %2").arg(options.in, error));
        return;
    }
    double largestError = 0;
    const int before = table.rowCount();
    if (options.maxPoints > 0)
        table = TankThinning::thin(table, options.maxPoints, &largestError);
    TableFormat::Form form = TableFormat::Csv;
    TableFormat::formOf(options.format, &form);
    const TableStyle style{options.separator, options.decimal[0]};
    if (!TankTableFile::saveBytes(TableFormat::write(table, form, style), options.out, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    m_output->text(QStringLiteral("%1 of %2 rows written to %3 as %4; largest error %5 L")
                       .arg(table.rowCount())
                       .arg(before)
                       .arg(options.out, options.format)
                       .arg(largestError, 0, 'f', 3));
    m_output->json(QJsonObject{{"out", options.out},
                               {"format", options.format},
                               {"rows", table.rowCount()},
                               {"rowsBefore", before},
                               {"largestErrorLitres", largestError}});
    finish(ExitDone);
}

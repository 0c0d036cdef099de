#include "tankshapecommand.h"

#include "tank/tankfit.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"
#include "tank/tanktablefile.h"

#include <QJsonArray>
#include <QJsonObject>

TankShapeCommand::TankShapeCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{}

void TankShapeCommand::start()
{
    const ShapeOptions& shape = m_options.shape;
    TankTable table;
    QString error;
    if (!TankShapeTable::make(shape.shape, shape.probe, shape.points, &table, &error)) {
        finish(ExitBadArguments, error);
        return;
    }
    if (shape.fit.isEmpty() || fit(&table))
        write(table);
}

bool TankShapeCommand::fit(TankTable* table)
{
    const ShapeOptions& options = m_options.shape;
    TankTable measured;
    QString error;
    if (!TankTableFile::load(options.fit, &measured, &error)) {
        finish(ExitBadArguments, QStringLiteral("--fit %1: %2").arg(options.fit, error));
        return false;
    }
    TankFit fit(options.shape, options.probe, measured);
    if (!fit.run(&error)) {
        finish(ExitBadArguments, QStringLiteral("--fit %1: %2").arg(options.fit, error));
        return false;
    }
    report(fit);
    if (fit.isSuspect()) {
        finish(ExitRefused,
               QStringLiteral("the fit changes the tank by more than %1 %: check the dimensions, "
                              "the probe and the pours; nothing written")
                   .arg(TankFit::kPlausibleChange * 100));
        return false;
    }
    if (fit.table(options.points, table, &error))
        return true;
    finish(ExitBadArguments, error);
    return false;
}

// The fitted dimensions beside the nominal ones, then each row's residual
// before and after.
void TankShapeCommand::report(const TankFit& fit)
{
    const QStringList names = TankShape::dimensionNames(fit.shape().kind());
    QJsonArray dimensions;
    for (int i = 0; i < names.size(); ++i) {
        const double nominal = fit.nominalShape().dimensions()[size_t(i)];
        const double fitted = fit.shape().dimensions()[size_t(i)];
        const double change = fit.changes()[size_t(i)] * 100;
        m_output->text(QStringLiteral("%1: %2 mm nominal, %3 mm fitted (%4%5 %)")
                           .arg(names[i], TankShapeText::number(nominal),
                                TankShapeText::number(fitted), change >= 0 ? "+" : "")
                           .arg(change, 0, 'f', 2));
        dimensions.append(QJsonObject{
            {"name", names[i]}, {"nominal", nominal}, {"fitted", fitted}, {"changePercent", change}});
    }
    m_output->text(QStringLiteral("probe start: %1 mm nominal, %2 mm fitted")
                       .arg(TankShapeText::number(fit.nominalProbe().start),
                            TankShapeText::number(fit.probe().start)));
    QJsonArray rows;
    const std::vector<double> before = fit.residuals(false);
    const std::vector<double> after = fit.residuals(true);
    for (size_t i = 0; i < after.size(); ++i) {
        const TankRow& row = fit.measured().rows()[i];
        m_output->text(QStringLiteral("row %1: %2 L at raw level %3: residual %4 L nominal, %5 L "
                                      "fitted")
                           .arg(i + 1)
                           .arg(row.litres)
                           .arg(row.rawLevel)
                           .arg(before[i], 0, 'f', 2)
                           .arg(after[i], 0, 'f', 2));
        rows.append(QJsonObject{{"litres", row.litres},
                                {"rawLevel", row.rawLevel},
                                {"nominalResidual", before[i]},
                                {"fittedResidual", after[i]}});
    }
    m_output->text(fit.isSuspect() ? QStringLiteral("fit: suspect") : QStringLiteral("fit: plausible"));
    m_output->json(QJsonObject{{"fit", QJsonObject{{"dimensions", dimensions},
                                                   {"nominalProbeStart", fit.nominalProbe().start},
                                                   {"fittedProbeStart", fit.probe().start},
                                                   {"rows", rows},
                                                   {"suspect", fit.isSuspect()}}}});
}

void TankShapeCommand::write(const TankTable& table)
{
    TankTable stamped = table;
    TankTableInfo info = table.info();
    info.version = QStringLiteral(NIVELON_VERSION);
    stamped.setInfo(info);
    QString error;
    if (!TankTableFile::save(stamped, m_options.shape.out, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    const TankRow& last = table.lastRow();
    m_output->text(QStringLiteral("%1 rows written to %2: %3 L at raw level %4 to %5 L at %6; %7")
                       .arg(table.rowCount())
                       .arg(m_options.shape.out)
                       .arg(table.rows().front().litres, 0, 'f', 2)
                       .arg(table.rows().front().rawLevel)
                       .arg(last.litres, 0, 'f', 2)
                       .arg(last.rawLevel)
                       .arg(info.computed ? QStringLiteral("computed, not yet confirmed by a pour")
                                          : info.confirmation));
    m_output->json(QJsonObject{{"out", m_options.shape.out},
                               {"rows", table.rowCount()},
                               {"firstLitres", table.rows().front().litres},
                               {"lastLitres", last.litres},
                               {"shape", info.shape},
                               {"probe", info.probe},
                               {"computed", info.computed},
                               {"confirmation", info.confirmation}});
    finish(ExitDone);
}

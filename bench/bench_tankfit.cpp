// How close a table computed from a tank's nominal shape comes to the real
// tank, and how close once fitted to three pours: the real tank (the
// simulator's own geometry) is a horizontal cylinder 5 % wider and 5 % shorter
// than drawn. Errors are the largest over every raw level, in percent of the
// real tank's volume.
#include "tank/tankfit.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"
#include "tankgeometry.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdio>

namespace {

const QString kNominal = QStringLiteral("horizontal-cylinder:diameter=1200,length=3000");
const QString kReal = QStringLiteral("horizontal-cylinder:diameter=1260,length=2850");
const QString kProbe = QStringLiteral("40:1100");
const int kPoints = 51;

// The raw level the sensor settles at with so many litres in the real tank.
int rawLevelOf(const sim::TankGeometry& tank, double litres, int fullScale)
{
    return int(std::lround(tank.levelOfLitres(litres) * fullScale));
}

double largestErrorPercent(const TankTable& table, const sim::TankGeometry& tank, int fullScale)
{
    double largest = 0;
    for (int raw = 0; raw <= fullScale; ++raw)
        largest = std::max(largest, std::abs(table.volumeAt(raw).litres -
                                              tank.litresAtLevel(double(raw) / fullScale)));
    return 100 * largest / tank.fullLitres();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    sim::TankGeometry real;
    QString error;
    TankShape nominal;
    TankProbe probe;
    if (!real.parse(kReal, &error) || !real.parseProbe(kProbe, &error) ||
        !TankShapeText::readShape(kNominal, &nominal, &error) ||
        !TankShapeText::readProbe(kProbe, nominal, &probe, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    TankTable nominalTable;
    TankShapeTable::make(nominal, probe, kPoints, &nominalTable, &error);
    // Three pours of a quarter of the real tank each, read as the sensor settles.
    TankTable pours;
    for (int pour = 1; pour <= 3; ++pour) {
        const double litres = std::round(real.fullLitres() / 4 * pour);
        pours.append({litres, rawLevelOf(real, litres, probe.fullScale), 0, false});
    }
    TankFit fit(nominal, probe, pours);
    TankTable fitted;
    if (!fit.run(&error) || !fit.table(kPoints, &fitted, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("BENCH tankfit_nominal_largest_error_percent %.3f\n",
                largestErrorPercent(nominalTable, real, probe.fullScale));
    std::printf("BENCH tankfit_fitted_largest_error_percent %.3f\n",
                largestErrorPercent(fitted, real, probe.fullScale));
    std::printf("BENCH tankfit_fitted_diameter_mm %.1f\n", fit.shape().dimensions()[0]);
    std::printf("BENCH tankfit_fitted_length_mm %.1f\n", fit.shape().dimensions()[1]);
    std::printf("BENCH tankfit_fitted_probe_start_mm %.1f\n", fit.probe().start);
    std::printf("BENCH tankfit_suspect %d\n", fit.isSuspect() ? 1 : 0);
    return 0;
}

#pragma once

#include "tankprobe.h"
#include "tankshape.h"
#include "tanktable.h"

#include <QCoreApplication>
#include <vector>

// A shape's dimensions and its probe's start, scaled so that the volumes the
// shape gives pass as close to measured pours as the data allow. A fit that
// needs a larger change than a tank built to drawing could have is suspect.
class TankFit
{
    Q_DECLARE_TR_FUNCTIONS(TankFit)
public:
    static constexpr double kPlausibleChange = 0.15; // of a dimension or of the probe's length

    // What is fitted: the measured rows against the nominal shape and probe.
    TankFit(const TankShape& shape, const TankProbe& probe, const TankTable& measured);

    // False with the reason when the rows cannot be fitted (fewer than two).
    bool run(QString* error);

    const TankShape& nominalShape() const { return m_nominal; }
    const TankProbe& nominalProbe() const { return m_nominalProbe; }
    const TankShape& shape() const { return m_shape; }
    const TankProbe& probe() const { return m_probe; }
    const TankTable& measured() const { return m_measured; }
    // Computed minus measured litres at each measured row.
    std::vector<double> residuals(bool fitted = true) const;
    double largestResidual(bool fitted = true) const;
    // Each dimension's change as a share of its nominal value.
    std::vector<double> changes() const;
    double probeStartChange() const { return m_probe.start - m_nominalProbe.start; }
    bool isSuspect() const;
    // The fitted shape as a table, confirmed by the measured rows.
    bool table(int points, TankTable* table, QString* error) const;

private:
    std::vector<double> residualsAt(const std::vector<double>& parameters) const;
    bool apply(const std::vector<double>& parameters, TankShape* shape, TankProbe* probe) const;
    double cost(const std::vector<double>& parameters) const;
    std::vector<double> step(const std::vector<double>& parameters, double damping) const;

    const TankShape m_nominal;
    const TankProbe m_nominalProbe;
    const TankTable m_measured;
    TankShape m_shape;
    TankProbe m_probe;
};

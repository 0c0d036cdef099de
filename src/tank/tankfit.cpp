#include "tankfit.h"

#include "tankshapetable.h"
#include "tankshapetext.h"

#include <algorithm>
#include <cmath>

namespace {

const int kMostIterations = 300;
// Pulls dimensions the rows cannot tell apart (a box's width and length) to
// share a change evenly, weighing next to nothing against real residuals.
const double kEvenness = 1e-4;
const double kDerivativeStep = 1e-6;

using Matrix = std::vector<std::vector<double>>;

// Gaussian elimination with partial pivoting; the systems are at most 5 by 5.
std::vector<double> solve(Matrix a, std::vector<double> b)
{
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < n; ++row)
            pivot = std::abs(a[row][col]) > std::abs(a[pivot][col]) ? row : pivot;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        if (a[col][col] == 0)
            continue;
        for (size_t row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<double> x(n, 0.0);
    for (size_t col = n; col-- > 0;) {
        double sum = b[col];
        for (size_t k = col + 1; k < n; ++k)
            sum -= a[col][k] * x[k];
        x[col] = a[col][col] == 0 ? 0 : sum / a[col][col];
    }
    return x;
}

} // namespace

TankFit::TankFit(const TankShape& shape, const TankProbe& probe, const TankTable& measured)
    : m_nominal(shape)
    , m_nominalProbe(probe)
    , m_measured(measured)
    , m_shape(shape)
    , m_probe(probe)
{}

// The parameters are the logarithms of the dimensions' scales, then the probe's
// start in probe lengths from its nominal place.
bool TankFit::apply(const std::vector<double>& parameters, TankShape* shape,
                    TankProbe* probe) const
{
    std::vector<double> dimensions = m_nominal.dimensions();
    for (size_t i = 0; i < dimensions.size(); ++i)
        dimensions[i] *= std::exp(parameters[i]);
    *shape = m_nominal.withDimensions(dimensions);
    *probe = m_nominalProbe;
    probe->start += parameters.back() * m_nominalProbe.length;
    QString unused;
    return shape->check(&unused) && TankShapeText::checkProbe(*shape, *probe, &unused);
}

std::vector<double> TankFit::residualsAt(const std::vector<double>& parameters) const
{
    TankShape shape;
    TankProbe probe;
    apply(parameters, &shape, &probe);
    std::vector<double> residuals;
    for (const TankRow& row : m_measured.rows())
        residuals.push_back(TankShapeTable::litresAt(shape, probe, row.rawLevel) - row.litres);
    const double weight = kEvenness * m_nominal.fullLitres();
    for (double parameter : parameters)
        residuals.push_back(weight * parameter);
    return residuals;
}

double TankFit::cost(const std::vector<double>& parameters) const
{
    double sum = 0;
    for (double residual : residualsAt(parameters))
        sum += residual * residual;
    return sum;
}

// One Levenberg-Marquardt step from the parameters, by numerical derivatives.
std::vector<double> TankFit::step(const std::vector<double>& parameters, double damping) const
{
    const std::vector<double> base = residualsAt(parameters);
    const size_t n = parameters.size();
    Matrix jacobian(n);
    for (size_t k = 0; k < n; ++k) {
        std::vector<double> moved = parameters;
        moved[k] += kDerivativeStep;
        const std::vector<double> after = residualsAt(moved);
        for (size_t i = 0; i < base.size(); ++i)
            jacobian[k].push_back((after[i] - base[i]) / kDerivativeStep);
    }
    Matrix normal(n, std::vector<double>(n, 0.0));
    std::vector<double> gradient(n, 0.0);
    for (size_t a = 0; a < n; ++a) {
        for (size_t i = 0; i < base.size(); ++i)
            gradient[a] -= jacobian[a][i] * base[i];
        for (size_t b = 0; b < n; ++b) {
            for (size_t i = 0; i < base.size(); ++i)
                normal[a][b] += jacobian[a][i] * jacobian[b][i];
        }
        normal[a][a] *= 1 + damping;
    }
    std::vector<double> next = solve(normal, gradient);
    for (size_t k = 0; k < n; ++k)
        next[k] += parameters[k];
    return next;
}

bool TankFit::run(QString* error)
{
    if (m_measured.rowCount() < 2) {
        *error = tr("a fit needs at least 2 measured rows, the table has %1")
                     .arg(m_measured.rowCount());
        return false;
    }
    std::vector<double> parameters(m_nominal.dimensions().size() + 1, 0.0);
    double current = cost(parameters);
    double damping = 1e-3;
    for (int i = 0; i < kMostIterations && damping < 1e12; ++i) {
        const std::vector<double> next = step(parameters, damping);
        TankShape shape;
        TankProbe probe;
        const double after = apply(next, &shape, &probe) ? cost(next) : INFINITY;
        if (after < current) {
            const bool settled = current - after <= 1e-12 * current;
            parameters = next;
            current = after;
            damping /= 3;
            if (settled)
                break;
        } else {
            damping *= 4;
        }
    }
    apply(parameters, &m_shape, &m_probe);
    return true;
}

std::vector<double> TankFit::residuals(bool fitted) const
{
    std::vector<double> list;
    for (const TankRow& row : m_measured.rows())
        list.push_back(TankShapeTable::litresAt(fitted ? m_shape : m_nominal,
                                                fitted ? m_probe : m_nominalProbe, row.rawLevel) -
                       row.litres);
    return list;
}

double TankFit::largestResidual(bool fitted) const
{
    double largest = 0;
    for (double residual : residuals(fitted))
        largest = std::max(largest, std::abs(residual));
    return largest;
}

std::vector<double> TankFit::changes() const
{
    std::vector<double> list;
    for (size_t i = 0; i < m_nominal.dimensions().size(); ++i) {
        const double nominal = m_nominal.dimensions()[i];
        list.push_back(nominal == 0 ? 0 : m_shape.dimensions()[i] / nominal - 1);
    }
    return list;
}

bool TankFit::isSuspect() const
{
    for (double change : changes()) {
        if (std::abs(change) > kPlausibleChange)
            return true;
    }
    return std::abs(probeStartChange()) > kPlausibleChange * m_nominalProbe.length;
}

bool TankFit::table(int points, TankTable* table, QString* error) const
{
    if (!TankShapeTable::make(m_shape, m_probe, points, table, error))
        return false;
    TankTableInfo info = table->info();
    info.computed = false;
    info.confirmation = tr("fitted to %1 measured rows, largest residual %2 L")
                            .arg(m_measured.rowCount())
                            .arg(largestResidual(), 0, 'f', 2);
    table->setInfo(info);
    return true;
}

#include "tankthinning.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Bisection steps on the tolerance: far below a millilitre on any real tank.
const int kSteps = 50;

double slope(const TankRow& from, const TankRow& to, double offset)
{
    return (to.litres + offset - from.litres) / (to.rawLevel - from.rawLevel);
}

} // namespace

// A shortest path through the rows, where a step from row i to row j is
// allowed when every row between lies within tolerance of the straight line:
// the slopes that keep them so narrow as j moves on, and once none is left no
// longer step from i can be allowed either.
std::vector<int> TankThinning::rowsWithin(const std::vector<TankRow>& rows, double tolerance,
                                          int maxPoints)
{
    const int n = int(rows.size());
    std::vector<int> steps(size_t(n), std::numeric_limits<int>::max());
    std::vector<int> from(size_t(n), -1);
    steps[0] = 1;
    for (int i = 0; i < n - 1; ++i) {
        if (steps[size_t(i)] >= maxPoints)
            continue;
        double low = -std::numeric_limits<double>::infinity();
        double high = std::numeric_limits<double>::infinity();
        for (int j = i + 1; j < n && low <= high; ++j) {
            const double direct = slope(rows[size_t(i)], rows[size_t(j)], 0);
            if (direct >= low && direct <= high && steps[size_t(i)] + 1 < steps[size_t(j)]) {
                steps[size_t(j)] = steps[size_t(i)] + 1;
                from[size_t(j)] = i;
            }
            low = std::max(low, slope(rows[size_t(i)], rows[size_t(j)], -tolerance));
            high = std::min(high, slope(rows[size_t(i)], rows[size_t(j)], tolerance));
        }
    }
    std::vector<int> kept;
    if (steps[size_t(n - 1)] > maxPoints)
        return kept;
    for (int row = n - 1; row >= 0; row = from[size_t(row)])
        kept.push_back(row);
    std::reverse(kept.begin(), kept.end());
    return kept;
}

TankTable TankThinning::thin(const TankTable& table, int maxPoints, double* error)
{
    *error = 0;
    if (table.rowCount() <= std::max(maxPoints, 2))
        return table;
    const std::vector<TankRow>& rows = table.rows();
    double low = 0;
    double high = table.lastRow().litres - rows.front().litres;
    std::vector<int> best = rowsWithin(rows, high, maxPoints);
    for (int step = 0; step < kSteps; ++step) {
        const double middle = (low + high) / 2;
        std::vector<int> kept = rowsWithin(rows, middle, maxPoints);
        if (kept.empty()) {
            low = middle;
        } else {
            high = middle;
            best = kept;
        }
    }
    TankTable thinned;
    for (int index : best)
        thinned.append(rows[size_t(index)]);
    thinned.setInfo(table.info());
    *error = largestError(table, thinned);
    return thinned;
}

double TankThinning::largestError(const TankTable& full, const TankTable& thinned)
{
    double largest = 0;
    for (const TankRow& row : full.rows())
        largest = std::max(largest, std::abs(thinned.volumeAt(row.rawLevel).litres - row.litres));
    return largest;
}

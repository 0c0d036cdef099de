#pragma once

#include "tanktable.h"

// A table cut down to the rows a tracking platform takes, chosen so that the
// litres read between them stray as little as they can from the full table's.
class TankThinning
{
public:
    // At most maxPoints rows of table (its first and last among them); the
    // largest error that costs, in litres.
    static TankTable thin(const TankTable& table, int maxPoints, double* error);
    // The largest difference in litres between the two tables at the rows of
    // the first; both are straight between rows, so none is larger anywhere.
    static double largestError(const TankTable& full, const TankTable& thinned);

private:
    // The fewest rows that keep every row within tolerance, as their indexes;
    // empty when more than maxPoints would be needed.
    static std::vector<int> rowsWithin(const std::vector<TankRow>& rows, double tolerance,
                                       int maxPoints);
};

#pragma once

#include "tankprobe.h"
#include "tankshape.h"
#include "tanktable.h"

#include <QCoreApplication>

// A tank table computed from a tank's shape and its probe: rows spaced evenly
// in level, the first holding what lies below the probe's start. Marked as
// computed until pours confirm it.
class TankShapeTable
{
    Q_DECLARE_TR_FUNCTIONS(TankShapeTable)
public:
    static constexpr int kDefaultPoints = 21;
    static constexpr int kMostPoints = 4096;

    // The litres at a raw level of the probe in this tank.
    static double litresAt(const TankShape& shape, const TankProbe& probe, double rawLevel);
    // False with the reason when the shape, the probe or the points are wrong.
    static bool make(const TankShape& shape, const TankProbe& probe, int points, TankTable* table,
                     QString* error);
    // What a table's header says about the shape it came from.
    static void describe(const TankShape& shape, const TankProbe& probe, TankTableInfo* info);
};

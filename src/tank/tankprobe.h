#pragma once

// Where a fuel-level probe measures in its tank: its range starts this many
// millimetres above the bottom and is this long; over it the sensor counts
// from 0 to its full scale.
struct TankProbe
{
    static constexpr int kDefaultFullScale = 4095; // an Omnicomm sensor's usual DataFormat

    double start = 0;
    double length = 0;
    int fullScale = kDefaultFullScale;

    double heightAt(int rawLevel) const { return start + length * rawLevel / fullScale; }
};

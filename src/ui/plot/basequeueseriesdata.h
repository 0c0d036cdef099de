#pragma once

#include <QPointF>
#include <algorithm>
#include <limits>
#include <qwt_series_data.h>

// A plot series computed on demand from a sensor view's sample queue. Besides
// the points Qwt asks for, it answers the questions of the curves that draw
// only what the canvas can show: where a time falls in the queue, and the
// value range of a whole block of samples.
class BaseQueueSeriesData : public QwtSeriesData<QPointF>
{
public:
    struct Range
    {
        double min;
        double max;

        // The range of no value at all, which widens to any value.
        static Range none()
        {
            return {std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity()};
        }
        bool isEmpty() const { return min > max; }
        void widen(const Range& other)
        {
            min = std::min(min, other.min);
            max = std::max(max, other.max);
        }
    };

    virtual double maximum() const = 0;

    // Without the value, which may take more to compute than the time.
    virtual double time(int index) const { return sample(size_t(index)).x(); }
    virtual double value(int index) const { return sample(size_t(index)).y(); }
    // A failed reading has no value to draw.
    virtual bool hasValue(int) const { return true; }
    // Whether no reading came for too long before this one.
    virtual bool followsGap(int) const { return false; }
    // Index of the first sample at time or later (size() when there is none).
    virtual int lowerBound(double time) const = 0;
    // Index of the first sample later than time (size() when there is none).
    virtual int upperBound(double time) const = 0;

    // Blocks come in levels, each block of a level the union of whole blocks
    // of the level below.
    virtual int blockLevels() const = 0;
    virtual int blockSize(int level) const = 0;
    // Queue index where block 0 of every level starts: 0 or negative.
    virtual int blockOffset() const = 0;
    // The value range of a block when its summary counts exactly its queued
    // samples; empty when none of them has a value.
    virtual bool blockRange(int level, int block, Range* range) const = 0;
    // The value range of the blocks [first, last) of a level together, read in
    // one call where a long column spans many; false when a block's summary
    // is not exact.
    virtual bool blocksRange(int level, int first, int last, Range* range) const = 0;
};

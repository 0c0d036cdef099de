#pragma once

#include <QtGlobal>

// The samples a sensor view keeps for its plot, one per sensor update. Each
// record carries the summary of a block of its samples, which the plot reads
// instead of the samples themselves when a pixel column covers the whole block.
// On the plot a failed reading (error) has no values to draw, and a reading
// that came after too long a silence (afterGap) is not joined to the one
// before it.

template <typename V>
struct ValueRange
{
    V min;
    V max;

    void reset(V value) { min = max = value; }
    void add(V value)
    {
        if (value < min)
            min = value;
        if (value > max)
            max = value;
    }
    void take(V value, bool first) { first ? reset(value) : add(value); }
};

// The value ranges count the samples with values only: while allErrors is
// set they hold nothing that was read.
struct LevelSummary
{
    ValueRange<float> level;
    ValueRange<quint16> rawLevel;
    bool anyError;
    bool allErrors;

    template <typename Sample>
    void reset(const Sample& sample)
    {
        level.reset(sample.level);
        rawLevel.reset(sample.rawLevel);
        anyError = allErrors = sample.error;
    }
    template <typename Sample>
    void add(const Sample& sample)
    {
        anyError = anyError || sample.error;
        if (sample.error)
            return;
        level.take(sample.level, allErrors);
        rawLevel.take(sample.rawLevel, allErrors);
        allErrors = false;
    }
};

// The sample of a view that shows a level alone (ModBus and TBus).
struct LevelSamplePoint
{
    using Summary = LevelSummary;

    qint64 time;
    float level;
    quint16 rawLevel;
    bool error;
    bool afterGap = false;
};

struct OmniCommSummary;

// The temperature stays signed: a sensor below zero reports a negative value,
// and 16 bits hold every temperature it can report.
struct OmniCommSamplePoint
{
    using Summary = OmniCommSummary;

    qint64 time;
    float level;
    quint16 rawLevel;
    qint16 temperature;
    quint16 frequency;
    bool error;
    bool afterGap = false;
};

struct OmniCommSummary : LevelSummary
{
    ValueRange<qint16> temperature;
    ValueRange<quint16> frequency;

    void reset(const OmniCommSamplePoint& sample)
    {
        LevelSummary::reset(sample);
        temperature.reset(sample.temperature);
        frequency.reset(sample.frequency);
    }
    void add(const OmniCommSamplePoint& sample)
    {
        const bool first = allErrors;
        LevelSummary::add(sample);
        if (sample.error)
            return;
        temperature.take(sample.temperature, first);
        frequency.take(sample.frequency, first);
    }
};

#pragma once

#include "plot/queueseriesdata.h"
#include "plot/samplepoints.h"

// The Omnicomm frequency and temperature on the right axis, both scaled into
// 0..1 so they share it; the axis labels scale them back.
class OmniCommFrequencySeriesData : public ConstMaximumQueueSeriesData<OmniCommSamplePoint, 1>
{
public:
    using ConstMaximumQueueSeriesData::ConstMaximumQueueSeriesData;

    static constexpr double Scale = 16384.0;

protected:
    double valueOf(const OmniCommSamplePoint& s) const override { return s.frequency / Scale; }
    Range summaryRange(const OmniCommSummary& summary) const override
    {
        return {summary.frequency.min / Scale, summary.frequency.max / Scale};
    }
};

class OmniCommTemperatureSeriesData : public ConstMaximumQueueSeriesData<OmniCommSamplePoint, 1>
{
public:
    using ConstMaximumQueueSeriesData::ConstMaximumQueueSeriesData;

    static constexpr double Scale = 255.0;

protected:
    double valueOf(const OmniCommSamplePoint& s) const override { return s.temperature / Scale; }
    Range summaryRange(const OmniCommSummary& summary) const override
    {
        return {summary.temperature.min / Scale, summary.temperature.max / Scale};
    }
};

#pragma once

#include "plot/queueseriesdata.h"
#include "plot/samplepoints.h"

// The Omnicomm frequency in hertz, on the right axis as it is.
class OmniCommFrequencySeriesData : public ConstMaximumQueueSeriesData<OmniCommSamplePoint, 1>
{
public:
    using ConstMaximumQueueSeriesData::ConstMaximumQueueSeriesData;

    bool blocksRange(int level, int first, int last, Range* range) const override
    {
        return blocksRangeOf(level, first, last, range, [this](const OmniCommSummary& summary) {
            return OmniCommFrequencySeriesData::summaryRange(summary);
        });
    }

protected:
    double valueOf(const OmniCommSamplePoint& s) const override { return s.frequency; }
    Range summaryRange(const OmniCommSummary& summary) const override
    {
        return {double(summary.frequency.min), double(summary.frequency.max)};
    }
};

// The Omnicomm temperature in degrees, mapped onto the frequency's axis
// (offset + degrees * factor) so that its own scale beside it reads true.
class OmniCommTemperatureSeriesData : public ConstMaximumQueueSeriesData<OmniCommSamplePoint, 1>
{
public:
    using ConstMaximumQueueSeriesData::ConstMaximumQueueSeriesData;

    bool blocksRange(int level, int first, int last, Range* range) const override
    {
        return blocksRangeOf(level, first, last, range, [this](const OmniCommSummary& summary) {
            return OmniCommTemperatureSeriesData::summaryRange(summary);
        });
    }

    void setMapping(double offset, double factor)
    {
        m_offset = offset;
        m_factor = factor;
    }

protected:
    double valueOf(const OmniCommSamplePoint& s) const override { return mapped(s.temperature); }
    Range summaryRange(const OmniCommSummary& summary) const override
    {
        return {mapped(summary.temperature.min), mapped(summary.temperature.max)};
    }

private:
    double mapped(double degrees) const { return m_offset + degrees * m_factor; }

    double m_offset = 0;
    double m_factor = 1;
};

#pragma once

#include "plot/basequeueseriesdata.h"
#include "plot/limitedqueue.h"

#include <cmath>

// The series family over one LimitedQueue<T>: nothing is copied, every point is
// computed from the queue when the plot asks for it.
template <typename T>
class QueueSeriesData : public BaseQueueSeriesData
{
public:
    using Summary = typename T::Summary;

    explicit QueueSeriesData(const LimitedQueue<T>* queue)
        : m_queue(queue)
    {}

    size_t size() const override { return size_t(m_queue->size()); }
    QPointF sample(size_t i) const override
    {
        const T& s = m_queue->at(int(i));
        return QPointF(double(s.time), valueOf(s));
    }
    double time(int index) const override { return double((*m_queue)[index].time); }
    double value(int index) const override { return valueOf((*m_queue)[index]); }
    bool hasValue(int index) const override
    {
        return !(skipsFailedReadings() && (*m_queue)[index].error);
    }
    bool followsGap(int index) const override { return (*m_queue)[index].afterGap; }
    QRectF boundingRect() const override
    {
        if (m_queue->isEmpty())
            return QRectF(0, 0, 0, 0);
        const double oldest = double((*m_queue)[0].time);
        const double newest = double((*m_queue)[m_queue->size() - 1].time);
        return QRectF(oldest, 0, newest - oldest, maximum());
    }

    int lowerBound(double time) const override
    {
        return m_queue->lowerBound(qint64(std::ceil(time)));
    }
    int upperBound(double time) const override
    {
        return m_queue->upperBound(qint64(std::floor(time)));
    }
    int blockLevels() const override { return LimitedQueue<T>::Levels; }
    int blockSize(int level) const override { return LimitedQueue<T>::blockSize(level); }
    int blockOffset() const override { return m_queue->blockOffset(); }
    bool blockRange(int level, int block, Range* range) const override
    {
        if (!m_queue->blockIsExact(level, block))
            return false;
        const Summary& summary = m_queue->blockSummary(level, block);
        *range = skipsFailedReadings() && summary.allErrors ? Range::none() : summaryRange(summary);
        return true;
    }

protected:
    // blocksRange() with a leaf series' own summaryRange(), called directly:
    // a virtual call per block would cost as much as the rest of the loop.
    template <typename RangeOf>
    bool blocksRangeOf(int level, int first, int last, Range* range, RangeOf rangeOf) const
    {
        if (!m_queue->blockIsExact(level, first))
            return false;
        *range = Range::none();
        const bool skipsFailed = skipsFailedReadings();
        const auto begin = m_queue->blockSummaries(level).begin();
        for (auto it = begin + first, end = begin + last; it != end; ++it) {
            if (!(skipsFailed && it->allErrors))
                range->widen(rangeOf(*it));
        }
        return true;
    }

    // A failed reading's values are whatever the sensor's parameters held.
    virtual bool skipsFailedReadings() const { return true; }
    virtual double valueOf(const T& sample) const = 0;
    // The range of valueOf() over the samples a summary counts.
    virtual Range summaryRange(const Summary& summary) const = 0;

    const LimitedQueue<T>* queue() const { return m_queue; }

private:
    const LimitedQueue<T>* m_queue;
};

// A series whose values are either the level in percent or the raw level count.
template <typename T>
class RawSeriesData : public QueueSeriesData<T>
{
public:
    RawSeriesData(const LimitedQueue<T>* queue, float rawMaximum)
        : QueueSeriesData<T>(queue)
        , m_rawMaximum(rawMaximum)
    {}

    double maximum() const override { return m_rawFormat ? double(m_rawMaximum) : 100.0; }

    float rawMaximum() const { return m_rawMaximum; }
    void setRawMaximum(float rawMaximum) { m_rawMaximum = rawMaximum; }
    bool rawFormat() const { return m_rawFormat; }
    void setRawFormat(bool rawFormat) { m_rawFormat = rawFormat; }

private:
    float m_rawMaximum;
    bool m_rawFormat = false;
};

template <typename T>
class LevelSeriesData : public RawSeriesData<T>
{
public:
    using RawSeriesData<T>::RawSeriesData;
    using typename QueueSeriesData<T>::Summary;
    using Range = BaseQueueSeriesData::Range;

    bool blocksRange(int level, int first, int last, Range* range) const override
    {
        return this->blocksRangeOf(level, first, last, range, [this](const Summary& summary) {
            return LevelSeriesData::summaryRange(summary);
        });
    }

protected:
    double valueOf(const T& s) const override
    {
        return this->rawFormat() ? double(s.rawLevel) : double(s.level);
    }
    Range summaryRange(const Summary& summary) const override
    {
        if (this->rawFormat())
            return {double(summary.rawLevel.min), double(summary.rawLevel.max)};
        return {double(summary.level.min), double(summary.level.max)};
    }
};

// The top of the value range at every failed reading, 0 elsewhere.
template <typename T>
class ErrorSeriesData : public RawSeriesData<T>
{
public:
    using RawSeriesData<T>::RawSeriesData;
    using typename QueueSeriesData<T>::Summary;
    using Range = BaseQueueSeriesData::Range;

    bool blocksRange(int level, int first, int last, Range* range) const override
    {
        return this->blocksRangeOf(level, first, last, range, [this](const Summary& summary) {
            return ErrorSeriesData::summaryRange(summary);
        });
    }

protected:
    bool skipsFailedReadings() const override { return false; }
    double valueOf(const T& s) const override { return s.error ? this->maximum() : 0.0; }
    Range summaryRange(const Summary& summary) const override
    {
        return {summary.allErrors ? this->maximum() : 0.0,
                summary.anyError ? this->maximum() : 0.0};
    }
};

template <typename T, int Maximum>
class ConstMaximumQueueSeriesData : public QueueSeriesData<T>
{
public:
    using QueueSeriesData<T>::QueueSeriesData;

    double maximum() const override { return Maximum; }
};

#pragma once

#include <algorithm>
#include <deque>

// The samples of one sensor view, oldest first, at most maximumSize of them
// (0: no limit). Samples arrive in time order, so the queue is sorted by time.
// Alongside the samples it keeps one summary per block of BlockSize samples;
// block 0 starts at blockOffset(), which goes negative as the oldest samples
// leave, so the first block's summary may still count samples already gone.
template <typename T>
class LimitedQueue
{
public:
    using Summary = typename T::Summary;
    static constexpr int BlockSize = 64;

    explicit LimitedQueue(int maximumSize = 999)
        : m_maximumSize(std::max(0, maximumSize))
    {}

    void append(const T& sample)
    {
        if (m_samples.empty())
            resetBlocks();
        m_samples.push_back(sample);
        if ((size() - 1 - m_blockOffset) % BlockSize == 0) {
            m_summaries.emplace_back();
            m_summaries.back().reset(sample);
        } else {
            m_summaries.back().add(sample);
        }
        if (m_maximumSize != 0 && size() > m_maximumSize)
            dropOldest();
    }

    // A negative limit can only come from a damaged settings store; it would
    // empty the queue at every append, so it counts as no limit.
    void setMaximumSize(int maximumSize)
    {
        m_maximumSize = std::max(0, maximumSize);
        while (m_maximumSize != 0 && size() > m_maximumSize)
            dropOldest();
    }
    int maximumSize() const { return m_maximumSize; }

    void clear()
    {
        m_samples.clear();
        resetBlocks();
    }
    int size() const { return int(m_samples.size()); }
    bool isEmpty() const { return m_samples.empty(); }
    const T& at(int index) const { return m_samples.at(size_t(index)); }
    const T& operator[](int index) const { return m_samples[size_t(index)]; }

    static bool timeLessThan(const T& a, const T& b) { return a.time < b.time; }

    // Index of the first sample later than time (size() when there is none).
    int upperBound(qint64 time) const
    {
        const auto it = std::upper_bound(m_samples.begin(), m_samples.end(), time,
                                         [](qint64 t, const T& s) { return t < s.time; });
        return int(it - m_samples.begin());
    }
    // Index of the first sample at time or later.
    int lowerBound(qint64 time) const
    {
        const auto it = std::lower_bound(m_samples.begin(), m_samples.end(), time,
                                         [](const T& s, qint64 t) { return s.time < t; });
        return int(it - m_samples.begin());
    }

    int blockOffset() const { return m_blockOffset; }
    // Whether block's summary counts exactly the samples of that block still queued.
    bool blockIsExact(int block) const { return block > 0 || m_blockOffset == 0; }
    const Summary& blockSummary(int block) const { return m_summaries[size_t(block)]; }

private:
    void dropOldest()
    {
        m_samples.pop_front();
        if (--m_blockOffset == -BlockSize) {
            m_summaries.pop_front();
            m_blockOffset = 0;
        }
    }
    void resetBlocks()
    {
        m_summaries.clear();
        m_blockOffset = 0;
    }

    std::deque<T> m_samples;
    std::deque<Summary> m_summaries;
    int m_maximumSize;
    int m_blockOffset = 0;
};

#pragma once

#include <QtGlobal>
#include <algorithm>
#include <deque>

// The samples of one sensor view, oldest first, at most maximumSize of them
// (0: no limit). Samples arrive in time order, so the queue is sorted by time.
// Alongside the samples it keeps summaries of blocks of samples on two levels:
// long blocks spare a zoomed-out plot most samples of a pixel column, short
// ones most of those its long blocks do not cover whole. Block 0 of each level
// starts at blockOffset(), which goes negative as the oldest samples leave, so
// the first blocks' summaries may still count samples already gone.
template <typename T>
class LimitedQueue
{
public:
    using Summary = typename T::Summary;
    static constexpr int Levels = 2;
    static constexpr int blockSize(int level) { return level == 0 ? 8 : 64; }

    explicit LimitedQueue(int maximumSize = 999)
        : m_maximumSize(std::max(0, maximumSize))
    {}

    void append(const T& sample)
    {
        if (m_samples.empty())
            resetBlocks();
        m_samples.push_back(sample);
        for (int level = 0; level < Levels; ++level) {
            auto& summaries = m_summaries[level];
            if ((size() - 1 - m_blockOffset) % blockSize(level) == 0) {
                summaries.emplace_back();
                summaries.back().reset(sample);
            } else {
                summaries.back().add(sample);
            }
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
    // Whether a block's summary counts exactly the samples of that block still queued.
    bool blockIsExact(int level, int block) const
    {
        return m_blockOffset + block * blockSize(level) >= 0;
    }
    const Summary& blockSummary(int level, int block) const
    {
        return m_summaries[level][size_t(block)];
    }
    const std::deque<Summary>& blockSummaries(int level) const { return m_summaries[level]; }

private:
    void dropOldest()
    {
        m_samples.pop_front();
        const int longBlock = blockSize(Levels - 1);
        if (--m_blockOffset == -longBlock) {
            for (int level = 0; level < Levels; ++level) {
                const int blocks = longBlock / blockSize(level);
                m_summaries[level].erase(m_summaries[level].begin(),
                                         m_summaries[level].begin() + blocks);
            }
            m_blockOffset = 0;
        }
    }
    void resetBlocks()
    {
        for (auto& summaries : m_summaries)
            summaries.clear();
        m_blockOffset = 0;
    }

    std::deque<T> m_samples;
    std::deque<Summary> m_summaries[Levels];
    int m_maximumSize;
    int m_blockOffset = 0;
};

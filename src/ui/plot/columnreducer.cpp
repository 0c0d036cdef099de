#include "plot/columnreducer.h"

#include <algorithm>

using Range = BaseQueueSeriesData::Range;

struct ColumnReducer::Extremes
{
    int topIndex = -1;
    double topValue = 0;
    int topPixel = 0;
    int bottomIndex = -1;
    double bottomValue = 0;
    int bottomPixel = 0;

    // Only a strictly further pixel replaces an extreme, so each keeps its
    // earliest occurrence.
    void add(int index, double value, int pixel)
    {
        if (topIndex < 0 || pixel < topPixel) {
            topIndex = index;
            topValue = value;
            topPixel = pixel;
        }
        if (bottomIndex < 0 || pixel > bottomPixel) {
            bottomIndex = index;
            bottomValue = value;
            bottomPixel = pixel;
        }
    }
};

struct ColumnReducer::Column
{
    int firstPixel = 0;
    int second = -1;
    Extremes range;
    Extremes turns;
};

ColumnReducer::ColumnReducer(const BaseQueueSeriesData& series, const QwtScaleMap& xMap,
                             const QwtScaleMap& yMap, bool exactJoins)
    : m_series(series)
    , m_xMap(xMap)
    , m_yMap(yMap)
    , m_exactJoins(exactJoins)
{}

bool ColumnReducer::visibleRange(const BaseQueueSeriesData& series, const QwtScaleMap& xMap,
                                 const QRectF& canvasRect, double margin, int* from, int* to)
{
    const int size = int(series.size());
    if (size == 0)
        return false;
    double left = xMap.invTransform(canvasRect.left() - margin);
    double right = xMap.invTransform(canvasRect.right() + margin);
    if (left > right)
        std::swap(left, right);
    *from = std::max(series.lowerBound(left) - 1, 0);
    *to = std::min(series.upperBound(right), size - 1);
    return true;
}

ColumnReducer::Pieces ColumnReducer::polyline(int from, int to, const QRect& area,
                                              QVector<QLine>* spans) const
{
    Pieces pieces;
    QVector<QPointF>& points = pieces.points;
    bool enteredInside = false;
    int previous = -1;
    const bool spanned = spans && !m_exactJoins;
    forEachColumn(from, to, [&](int columnBegin, int columnEnd) {
        int begin = 0;
        int last = 0;
        if (!valueBounds(columnBegin, columnEnd, &begin, &last))
            return;
        // A piece that starts here is entered from nowhere, so not from outside.
        if (previous < 0 || !joins(previous, begin)) {
            startPiece(&pieces);
            enteredInside = true;
        }
        previous = last;
        const int end = last + 1;
        const int x = column(begin);
        // Spans need the column's extremes only, not where they occur.
        Column c;
        if (spanned) {
            const Range range = valueRange(begin, end);
            c.range.add(begin, range.min, pixel(range.min));
            c.range.add(begin, range.max, pixel(range.max));
        } else {
            c = scanColumn(begin, end);
        }
        const int top = c.range.topPixel;
        const int bottom = c.range.bottomPixel;
        const bool inside =
            x >= area.left() && x <= area.right() && top >= area.top() && bottom <= area.bottom();
        if (inside && enteredInside && spanned) {
            points.append(m_series.sample(size_t(begin)));
            if (end - begin > 1)
                points.append(m_series.sample(size_t(end - 1)));
            if (top < bottom)
                spans->append(QLine(x, top, x, bottom));
        } else if (inside && enteredInside) {
            reduceColumn(begin, end, c, &points);
        } else {
            for (int i = begin; i < end; ++i) {
                if (m_series.hasValue(i))
                    points.append(m_series.sample(size_t(i)));
            }
        }
        enteredInside = inside;
    });
    return pieces;
}

ColumnReducer::Pieces ColumnReducer::everySample(int from, int to) const
{
    Pieces pieces;
    int previous = -1;
    for (int i = from; i <= to; ++i) {
        if (!m_series.hasValue(i))
            continue;
        if (previous < 0 || !joins(previous, i))
            startPiece(&pieces);
        pieces.points.append(m_series.sample(size_t(i)));
        previous = i;
    }
    return pieces;
}

QVector<QPointF> ColumnReducer::sticks(int from, int to) const
{
    QVector<QPointF> points;
    forEachColumn(from, to, [&](int begin, int end) {
        const Range range = valueRange(begin, end);
        if (range.isEmpty())
            return;
        const double time = m_series.time(begin);
        points.append(QPointF(time, range.min));
        if (range.max != range.min)
            points.append(QPointF(time, range.max));
    });
    return points;
}

QVector<QPointF> ColumnReducer::dots(int from, int to, const QRect& area) const
{
    QVector<QPointF> points;
    QVector<int> stamps(std::max(area.height(), 0), INT_MIN);
    forEachColumn(from, to, [&](int begin, int end) {
        const int x = column(begin);
        if (x >= area.left() && x <= area.right())
            dotsOfColumn(begin, end, area, &stamps, x, &points);
    });
    return points;
}

QVector<int> ColumnReducer::firstNonZero(int from, int to) const
{
    QVector<int> indexes;
    forEachColumn(from, to, [&](int begin, int end) {
        const auto isSet = [&](int i) {
            if (m_series.value(i) == 0)
                return false;
            indexes.append(i);
            return true;
        };
        walkForward(begin, end, isSet, [&](int, int, const Range& r) {
            return r.min == 0 && r.max == 0 ? Visit::Next : Visit::Descend;
        });
    });
    return indexes;
}

BaseQueueSeriesData::Range ColumnReducer::valueRange(int begin, int end, int level) const
{
    // The whole blocks inside are read together, the ends a level lower.
    Range range = Range::none();
    if (level < 0) {
        for (int i = begin; i < end; ++i) {
            if (m_series.hasValue(i))
                range.widen({m_series.value(i), m_series.value(i)});
        }
        return range;
    }
    const int size = m_series.blockSize(level);
    const int offset = m_series.blockOffset();
    const int first = (begin - offset + size - 1) / size;
    const int last = (end - offset) / size;
    if (first >= last || !m_series.blocksRange(level, first, last, &range))
        return valueRange(begin, end, level - 1);
    range.widen(valueRange(begin, offset + first * size, level - 1));
    range.widen(valueRange(offset + last * size, end, level - 1));
    return range;
}

bool ColumnReducer::valueBounds(int begin, int end, int* first, int* last) const
{
    const auto descend = [](int, int, const Range&) {
        return Visit::Descend;
    };
    if (begin >= end)
        return false;
    // Most readings succeed, so mostly the ends themselves hold values.
    int found = -1;
    if (m_series.hasValue(begin)) {
        found = begin;
    } else {
        walkForward(
            begin, end,
            [&](int i) {
                found = i;
                return true;
            },
            descend);
    }
    if (found < 0)
        return false;
    *first = found;
    if (m_series.hasValue(end - 1)) {
        *last = end - 1;
        return true;
    }
    walkBackward(
        found, end,
        [&](int i) {
            *last = i;
            return true;
        },
        descend);
    return true;
}

int ColumnReducer::nextWithValue(int begin, int end) const
{
    int first = begin;
    int last = begin;
    return valueBounds(begin, end, &first, &last) ? first : end;
}

bool ColumnReducer::joins(int previous, int next) const
{
    return (next == previous + 1 && !m_series.followsGap(next)) || column(previous) == column(next);
}

void ColumnReducer::startPiece(Pieces* pieces)
{
    if (pieces->starts.isEmpty() || pieces->starts.last() != pieces->points.size())
        pieces->starts.append(pieces->points.size());
}

int ColumnReducer::columnEnd(int begin, int end, int guess) const
{
    // Readings come at a steady rate, so a column mostly holds as many
    // samples as the one before it, or one more or less.
    const int x = column(begin);
    const int guessed = begin + guess;
    if (guess > 1 && guessed + 1 < end) {
        const bool longer = column(guessed) == x;
        if (longer && column(guessed + 1) > x)
            return guessed + 1;
        if (!longer && column(guessed - 1) == x)
            return guessed;
        if (!longer && column(guessed - 2) == x)
            return guessed - 1;
    }
    // Columns are mostly short when zoomed in and long when zoomed out:
    // gallop from the start, then bisect.
    int low = begin;
    int high = end;
    for (int step = 1; low + step < end; step *= 2) {
        if (column(low + step) > x) {
            high = low + step;
            break;
        }
        low += step;
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (column(middle) > x)
            high = middle;
        else
            low = middle;
    }
    return high;
}

template <typename OnColumn>
void ColumnReducer::forEachColumn(int from, int to, OnColumn onColumn) const
{
    int guess = 0;
    for (int begin = from; begin <= to;) {
        const int end = columnEnd(begin, to + 1, guess);
        onColumn(begin, end);
        guess = end - begin;
        begin = end;
    }
}

template <typename OnSample, typename OnBlock>
bool ColumnReducer::walkForward(int begin, int end, OnSample onSample, OnBlock onBlock,
                                int level) const
{
    if (level < 0) {
        for (int i = begin; i < end; ++i) {
            if (m_series.hasValue(i) && onSample(i))
                return true;
        }
        return false;
    }
    const int blockSize = m_series.blockSize(level);
    const int offset = m_series.blockOffset();
    const int size = int(m_series.size());
    for (int i = begin; i < end;) {
        const int block = (i - offset) / blockSize;
        const int start = offset + block * blockSize;
        const int blockEnd = std::min(start + blockSize, size);
        const int stop = std::min(blockEnd, end);
        Range range;
        const Visit visit =
            i == start && blockEnd <= end && m_series.blockRange(level, block, &range)
                ? (range.isEmpty() ? Visit::Next : onBlock(start, stop, range))
                : Visit::Descend;
        if (visit == Visit::Stop ||
            (visit == Visit::Descend && walkForward(i, stop, onSample, onBlock, level - 1)))
            return true;
        i = stop;
    }
    return false;
}

template <typename OnSample, typename OnBlock>
bool ColumnReducer::walkBackward(int begin, int end, OnSample onSample, OnBlock onBlock,
                                 int level) const
{
    if (level < 0) {
        for (int i = end - 1; i >= begin; --i) {
            if (m_series.hasValue(i) && onSample(i))
                return true;
        }
        return false;
    }
    const int blockSize = m_series.blockSize(level);
    const int offset = m_series.blockOffset();
    const int size = int(m_series.size());
    for (int i = end; i > begin;) {
        const int block = (i - 1 - offset) / blockSize;
        const int blockStart = offset + block * blockSize;
        const int start = std::max(blockStart, begin);
        Range range;
        const bool whole = i == std::min(blockStart + blockSize, size) && blockStart >= begin;
        const Visit visit = whole && m_series.blockRange(level, block, &range)
                                ? (range.isEmpty() ? Visit::Next : onBlock(start, i, range))
                                : Visit::Descend;
        if (visit == Visit::Stop ||
            (visit == Visit::Descend && walkBackward(start, i, onSample, onBlock, level - 1)))
            return true;
        i = start;
    }
    return false;
}

int ColumnReducer::findOtherPixelBackward(int begin, int end, int pixel) const
{
    int found = -1;
    const auto differs = [&](int i) {
        if (this->pixel(m_series.value(i)) == pixel)
            return false;
        found = i;
        return true;
    };
    walkBackward(begin, end, differs, [&](int, int, const Range& r) {
        return this->pixel(r.min) == pixel && this->pixel(r.max) == pixel ? Visit::Next
                                                                          : Visit::Descend;
    });
    return found;
}

ColumnReducer::Column ColumnReducer::scanColumn(int begin, int end) const
{
    // One pass finds the first sample drawn at another pixel than the first,
    // and the column's extremes with their earliest occurrence from there on:
    // only an occurrence inside the column turns the line at that pixel.
    Column c;
    c.firstPixel = pixel(m_series.value(begin));
    c.range.add(-1, 0, c.firstPixel);
    const auto take = [&](int index, double value, int p) {
        if (c.second < 0 && p != c.firstPixel)
            c.second = index;
        if (c.second >= 0)
            c.turns.add(index, value, p);
        c.range.add(index, value, p);
    };
    const auto takeSample = [&](int i) {
        const double value = m_series.value(i);
        take(i, value, pixel(value));
        return false;
    };
    walkForward(begin + 1, end, takeSample, [&](int start, int, const Range& r) {
        const int low = pixel(r.min);
        const int high = pixel(r.max);
        // Wide pens need the column's extremes only.
        if (m_exactJoins && c.second < 0 && (low != c.firstPixel || high != c.firstPixel))
            return Visit::Descend;
        take(start, r.min, low);
        take(start, r.max, high);
        return Visit::Next;
    });
    return c;
}

void ColumnReducer::reduceColumn(int begin, int end, const Column& column,
                                 QVector<QPointF>* points) const
{
    // Rank orders entries that share an index: the join points must stay next
    // to the column's first and last sample.
    struct Entry
    {
        int index;
        int rank;
        double value;
    };
    Entry entries[7];
    int count = 0;
    const auto add = [&](int index, int rank, double value) {
        entries[count++] = {index, rank, value};
    };
    const auto addSample = [&](int index, int rank) {
        add(index, rank, m_series.value(index));
    };

    addSample(begin, 0);
    if (end - begin > 1)
        addSample(end - 1, 5);
    if (!m_exactJoins) {
        // A wide pen covers the column's whole span anyway; its joins differ
        // from drawing every sample in a few pixels at most.
        const Extremes& e = column.range;
        add(std::max(e.topIndex, begin), 3, e.topIndex < 0 ? m_series.value(begin) : e.topValue);
        add(std::max(e.bottomIndex, begin), 3,
            e.bottomIndex < 0 ? m_series.value(begin) : e.bottomValue);
    } else if (column.second >= 0) {
        addSample(nextWithValue(begin + 1, end), 1);
        addSample(column.second, 2);
        const int penultimate =
            findOtherPixelBackward(begin, end - 1, pixel(m_series.value(end - 1)));
        addSample(penultimate, 4);
        // An extreme first reached in the last run of equal pixels is the last
        // sample already.
        const Extremes& e = column.turns;
        if (e.topPixel == column.range.topPixel && e.topIndex <= penultimate)
            add(e.topIndex, 3, e.topValue);
        if (e.bottomPixel == column.range.bottomPixel && e.bottomIndex <= penultimate)
            add(e.bottomIndex, 3, e.bottomValue);
    }
    const auto before = [](const Entry& a, const Entry& b) {
        return a.index != b.index ? a.index < b.index : a.rank < b.rank;
    };
    for (int i = 1; i < count; ++i) {
        for (int j = i; j > 0 && before(entries[j], entries[j - 1]); --j)
            std::swap(entries[j], entries[j - 1]);
    }
    for (int i = 0; i < count; ++i) {
        const Entry& e = entries[i];
        if (i > 0 && e.index == entries[i - 1].index && e.value == entries[i - 1].value)
            continue;
        points->append(QPointF(m_series.time(e.index), e.value));
    }
}

void ColumnReducer::dotsOfColumn(int begin, int end, const QRect& area, QVector<int>* stamps,
                                 int stamp, QVector<QPointF>* points) const
{
    const auto mark = [&](int index, double value) {
        const int row = pixel(value) - area.top();
        if (row < 0 || row >= stamps->size() || (*stamps)[row] == stamp)
            return false;
        (*stamps)[row] = stamp;
        points->append(QPointF(m_series.time(index), value));
        return false;
    };
    walkForward(
        begin, end, [&](int i) { return mark(i, m_series.value(i)); },
        [&](int start, int, const Range& r) {
            // A block spanning at most two adjacent pixels holds exactly the
            // pixels of its minimum and maximum.
            if (std::abs(pixel(r.max) - pixel(r.min)) > 1)
                return Visit::Descend;
            mark(start, r.min);
            mark(start, r.max);
            return Visit::Next;
        });
}

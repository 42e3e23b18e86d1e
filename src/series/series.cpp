#include "series/series.h"

#include "archive/day_query.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Offsets are 32-bit milliseconds: a block spans at most 24 days.
constexpr qint64 MaxOffset = std::numeric_limits<qint32>::max();

} // namespace

void TSeries::TBlock::Push(qint64 stamp, double value)
{
    const qint32 local = qint32(Offsets.size());
    Offsets.push_back(qint32(stamp - Base));
    Values.push_back(value);
    if ((local & (ChunkSize - 1)) == 0) {
        Chunks.push_back({local, local});
        return;
    }
    TExtremes &chunk = Chunks.back();
    if (value < Values[size_t(chunk.Min)])
        chunk.Min = local;
    if (value > Values[size_t(chunk.Max)])
        chunk.Max = local;
}

qint64 TSeries::FirstStamp() const
{
    return m_count ? m_blocks.front().Base : 0;
}

qint64 TSeries::LastStamp() const
{
    return m_count ? m_blocks.back().StampAt(m_blocks.back().Size() - 1) : 0;
}

TSeriesPoint TSeries::At(qint64 index) const
{
    const TBlock &block = m_blocks[blockOf(index)];
    const qint64 local = index - block.Start;
    return {block.StampAt(local), block.Values[size_t(local)]};
}

void TSeries::Clear()
{
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_count = 0;
}

TSeries::TBlock &TSeries::blockFor(qint64 stamp)
{
    if (m_blocks.empty() || stamp - m_blocks.back().Base > MaxOffset) {
        TBlock block;
        block.Base = stamp;
        block.Start = m_count;
        m_blocks.push_back(std::move(block));
    }
    return m_blocks.back();
}

bool TSeries::Append(qint64 stamp, double value)
{
    if (m_count && stamp <= LastStamp())
        return false;
    blockFor(stamp).Push(stamp, value);
    ++m_count;
    return true;
}

void TSeries::AppendRows(const QVector<TArchiveRow> &rows)
{
    auto row = rows.cbegin();
    if (m_count)
        row = std::lower_bound(row, rows.cend(), LastStamp(), [](const TArchiveRow &r, qint64 s) { return r.DT < s; });
    bool fresh = true;
    for (; row != rows.cend(); ++row) {
        TBlock *block;
        if (fresh) {
            // A day of its own, sized once.
            m_blocks.push_back(TBlock{row->DT, m_count, {}, {}, {}});
            block = &m_blocks.back();
            const auto left = size_t(rows.cend() - row);
            block->Offsets.reserve(left);
            block->Values.reserve(left);
            block->Chunks.reserve((left + ChunkSize - 1) / ChunkSize);
            fresh = false;
        } else {
            block = &blockFor(row->DT);
        }
        block->Push(row->DT, row->V);
        ++m_count;
    }
}

size_t TSeries::blockOf(qint64 index) const
{
    const auto after = std::upper_bound(m_blocks.cbegin(), m_blocks.cend(), index,
                                        [](qint64 i, const TBlock &b) { return i < b.Start; });
    return size_t(after - m_blocks.cbegin()) - 1;
}

qint64 TSeries::LowerBound(double stamp) const
{
    // The first block whose newest point is at or after the stamp.
    const auto block = std::lower_bound(m_blocks.cbegin(), m_blocks.cend(), stamp, [](const TBlock &b, double s) {
        return double(b.StampAt(b.Size() - 1)) < s;
    });
    if (block == m_blocks.cend())
        return m_count;
    const double offset = stamp - double(block->Base);
    const auto at = std::lower_bound(block->Offsets.cbegin(), block->Offsets.cend(), offset,
                                     [](qint32 o, double s) { return double(o) < s; });
    return block->Start + (at - block->Offsets.cbegin());
}

void TSeries::extremes(qint64 first, qint64 end, qint64 &min, qint64 &max) const
{
    min = max = first;
    double low = At(first).Value;
    double high = low;
    const auto take = [&](const TBlock &block, qint64 local) {
        const double v = block.Values[size_t(local)];
        if (v < low) {
            low = v;
            min = block.Start + local;
        }
        if (v > high) {
            high = v;
            max = block.Start + local;
        }
    };
    for (size_t b = blockOf(first); b < m_blocks.size() && m_blocks[b].Start < end; ++b) {
        const TBlock &block = m_blocks[b];
        qint64 i = std::max(first, block.Start) - block.Start;
        const qint64 stop = std::min(end, block.Start + block.Size()) - block.Start;
        while (i < stop) {
            if ((i & (ChunkSize - 1)) == 0 && i + ChunkSize <= stop) {
                // A whole chunk: its summary stands for its 64 points.
                const TExtremes &chunk = block.Chunks[size_t(i >> ChunkShift)];
                take(block, chunk.Min);
                take(block, chunk.Max);
                i += ChunkSize;
            } else {
                take(block, i);
                ++i;
            }
        }
    }
}

bool TSeries::ValueRange(double from, double to, double &min, double &max) const
{
    const qint64 first = LowerBound(from);
    const qint64 end = LowerBound(std::nextafter(to, std::numeric_limits<double>::infinity()));
    if (first >= end)
        return false;
    qint64 low, high;
    extremes(first, end, low, high);
    min = At(low).Value;
    max = At(high).Value;
    return true;
}

std::vector<TSeriesPoint> TSeries::Reduce(double from, double to, int columns) const
{
    std::vector<TSeriesPoint> out;
    if (m_count == 0 || columns <= 0 || !(to >= from))
        return out;
    const qint64 first = LowerBound(from);
    const qint64 end = LowerBound(std::nextafter(to, std::numeric_limits<double>::infinity()));
    if (first > 0)
        out.push_back(At(first - 1));
    if (end - first <= columns) {
        for (qint64 i = first; i < end; ++i)
            out.push_back(At(i));
    } else {
        const double width = (to - from) / columns;
        qint64 begin = first;
        for (int c = 0; c < columns && begin < end; ++c) {
            const qint64 stop = c + 1 == columns ? end : std::min(end, LowerBound(from + width * (c + 1)));
            if (stop <= begin)
                continue;
            qint64 low, high;
            extremes(begin, stop, low, high);
            qint64 picks[] = {begin, low, high, stop - 1};
            std::sort(std::begin(picks), std::end(picks));
            const qint64 *last = std::unique(std::begin(picks), std::end(picks));
            for (const qint64 *p = picks; p != last; ++p)
                out.push_back(At(*p));
            begin = stop;
        }
    }
    if (end < m_count)
        out.push_back(At(end));
    return out;
}

qint64 TSeries::MemoryBytes() const
{
    qint64 bytes = qint64(m_blocks.capacity() * sizeof(TBlock));
    for (const TBlock &block : m_blocks)
        bytes += qint64(block.Offsets.capacity() * sizeof(qint32) + block.Values.capacity() * sizeof(double) +
                        block.Chunks.capacity() * sizeof(TExtremes));
    return bytes;
}

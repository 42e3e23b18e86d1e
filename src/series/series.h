#pragma once
// A time series of one archived value: (stamp, value) points in time order,
// as the time graphs and the command-line tool read them from the archive
// and from the reading feed.
//
// A year of readings at one a second is 31.5 million points, so the points
// are kept compactly: in blocks (one per archive day, and the live points
// after them), each with its first stamp and the other stamps as 32-bit
// millisecond offsets from it, and the values as doubles: 12 bytes a point.
// Every 64 points of a block also keep where their least and greatest value
// lie, so the reduction for a chart reads a few thousand summaries instead
// of millions of points when a long period is in view.
//
// Stamps are archive stamps (archive_stamp.h): local wall-clock milliseconds
// since 1970. Not thread-safe; one owner at a time.

#include <QVector>
#include <QtGlobal>

#include <cstdint>
#include <vector>

struct TArchiveRow;

struct TSeriesPoint {
    qint64 Stamp = 0;
    double Value = 0;
    bool operator==(const TSeriesPoint &) const = default;
};

class TSeries
{
public:
    qint64 Count() const { return m_count; }
    bool Empty() const { return m_count == 0; }
    // Stamps of the oldest and the newest point; 0 when empty.
    qint64 FirstStamp() const;
    qint64 LastStamp() const;
    // The point of index 0 .. Count()-1, oldest first.
    TSeriesPoint At(qint64 index) const;

    void Clear();
    // A point after the newest one; a point at or before it is refused
    // (false): the line stays in time order, and a reading that reaches the
    // graph both from the archive and from the feed is drawn once.
    bool Append(qint64 stamp, double value);
    // One archive day's rows (in "DT" order) as a block of their own. Rows
    // before the newest point are left out; rows with equal stamps are kept.
    void AppendRows(const QVector<TArchiveRow> &rows);

    // Index of the first point at or after stamp; Count() when there is none.
    qint64 LowerBound(double stamp) const;
    // The least and greatest value among the points of [from, to]; false
    // when no point lies there.
    bool ValueRange(double from, double to, double &min, double &max) const;

    // What a chart of `columns` pixel columns needs to draw [from, to]
    // exactly as it would draw every point: when the range holds no more
    // points than columns, those points; otherwise, per column, its first
    // point, its least and its greatest value and its last point, in time
    // order. Either way with the nearest point outside each end, so the line
    // runs on to the chart's edges. The cost grows with the columns, not
    // with the points.
    std::vector<TSeriesPoint> Reduce(double from, double to, int columns) const;

    // Bytes held by the points and their summaries.
    qint64 MemoryBytes() const;

private:
    static constexpr int ChunkShift = 6; // summaries every 64 points
    static constexpr int ChunkSize = 1 << ChunkShift;

    struct TExtremes {
        qint32 Min; // local indices in the block
        qint32 Max;
    };
    struct TBlock {
        qint64 Base = 0;              // stamp of the block's first point
        qint64 Start = 0;             // index of its first point in the series
        std::vector<qint32> Offsets;  // stamp - Base, in ms
        std::vector<double> Values;
        std::vector<TExtremes> Chunks; // one per 64 points
        qint64 StampAt(qint64 i) const { return Base + Offsets[size_t(i)]; }
        qint64 Size() const { return qint64(Offsets.size()); }
        void Push(qint64 stamp, double value);
    };

    // Starts a new block when the stamp does not fit the last one.
    TBlock &blockFor(qint64 stamp);
    // The block holding the point of index (index < Count()).
    size_t blockOf(qint64 index) const;
    // Indices of the least and greatest value among the points [first, end).
    void extremes(qint64 first, qint64 end, qint64 &min, qint64 &max) const;

    std::vector<TBlock> m_blocks;
    qint64 m_count = 0;
};

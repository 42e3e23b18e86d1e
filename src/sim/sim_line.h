#pragma once
// The simulated line: the gauges and the current-loop meter behind one
// request/answer call, with the faults and the line timing applied. Line
// implementations wrap it (in-process for tests, "/sim" and the command-line
// tool; on a pseudo-terminal in tolm-sim). The meter measures the loop of the
// first gauge; further gauges share the pair (see TSimGaugeBus).
//
// Timing of one exchange, all in microseconds:
//
//   |-- requestUs --|-- chunk 0 delayUs --|-- chunk 0 durationUs --|-- chunk 1 delayUs --| ...
//   request written   instrument thinks    first bytes on the line   split pause
//
// Without line timing every figure is 0 except the pause of a split answer,
// which must really pass for the reader to see the split. With it, bytes
// take 11 bit times each on the gauge's line (mark/space parity) and 10 on
// the meter's (no parity), and the instrument answers after the turnaround.
// The bytes of a chunk arrive evenly spread over its duration.
// Not thread-safe: the line carries one exchange at a time.

#include "sim/gauge_bus.h"
#include "sim/line_timing.h"
#include "sim/sim_clock.h"
#include "sim/sim_faults.h"
#include "sim/sim_gauge.h"
#include "sim/sim_meter.h"

#include <QByteArray>
#include <QList>

struct TSimChunk
{
    QByteArray bytes;
    qint64 delayUs = 0;    // quiet time before its first byte
    qint64 durationUs = 0; // time its bytes take on the line
};

struct TSimReply
{
    TSimFault fault = TSimFault::None;
    TSimBusOutcome bus = TSimBusOutcome::Silence; // what the gauges (or the meter) gave
    qint64 requestUs = 0;    // time the request's bytes took on the line
    QList<TSimChunk> chunks; // empty: no answer
    QByteArray bytes() const;
    bool isEmpty() const { return chunks.isEmpty(); }
    // From the first byte of the request to the last byte of the answer.
    qint64 totalUs() const;
};

struct TSimLineConfig
{
    TSimGaugeConfig gauge; // the first gauge, whose loop the meter measures
    // The other gauges on the same pair, each with its own address and seed.
    QList<TSimGaugeConfig> moreGauges;
    TSimFaultConfig faults;
    TSimLineTiming timing;
    // The gauge's line carries a parity bit (the nine-bit addressing);
    // false for a plain line without parity.
    bool gaugeParity = true;
};

class TSimLine
{
public:
    explicit TSimLine(const TSimLineConfig &config, TSimClock clock = {});
    TSimLine(const TSimLine &) = delete;
    TSimLine &operator=(const TSimLine &) = delete;

    // The answer of the meter (toMeter) or of the gauges to one request, CRC
    // included, after the faults. A garbled or collided answer is broken
    // already and goes out as it is; the faults draw only on clean answers.
    TSimReply answer(const QByteArray &request, bool toMeter);

    // The first gauge, the one the meter measures.
    TSimGauge &gauge() { return m_gauges.gauge(0); }
    TSimGaugeBus &gauges() { return m_gauges; }
    const TSimMeter &meter() const { return m_meter; }
    TSimFaults &faults() { return m_faults; }
    const TSimLineTiming &timing() const { return m_timing; }

private:
    TSimGaugeBus m_gauges;
    TSimMeter m_meter;
    TSimFaults m_faults;
    TSimLineTiming m_timing;
    bool m_gaugeParity;
};

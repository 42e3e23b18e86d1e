#pragma once
// The gauges on one RS-485 pair. Every gauge hears every request and only a
// gauge whose system address the request names answers, so one pair carries
// up to 255 gauges. Two gauges that answer the same request drive the pair
// at the same time: the reader gets neither answer but a mix of both whose
// checksum fails, as when two transmitters fight on a real pair.
//
// For tests and rehearsals a gauge can be
//  silent   cut off the pair (no power, a broken pair): it neither hears nor
//           answers, so a write to it changes nothing;
//  garbled  on a failing transmitter: it hears and carries out the request,
//           but its answer arrives with the last checksum byte inverted.
// Not thread-safe: the line carries one exchange at a time.

#include "sim/sim_clock.h"
#include "sim/sim_gauge.h"

#include <QByteArray>
#include <QList>
#include <memory>
#include <vector>

enum class TSimGaugeLink { Normal, Silent, Garbled };

// What came back from the gauges for one request.
enum class TSimBusOutcome {
    Silence,   // no gauge answered
    Answer,    // one gauge answered cleanly
    Garbled,   // one gauge answered, on its failing transmitter
    Collision, // several gauges answered at once
};

struct TSimBusAnswer
{
    TSimBusOutcome outcome = TSimBusOutcome::Silence;
    QByteArray bytes; // as they arrive at the reader; empty for Silence
};

class TSimGaugeBus
{
public:
    // One gauge per configuration, in that order, all on `clock` (a shared
    // monotonic clock when empty), all Normal.
    TSimGaugeBus(const QList<TSimGaugeConfig> &configs, TSimClock clock);

    int count() const { return int(m_slots.size()); }
    // index 0 .. count() - 1; the gauge stays where it is for the bus's life.
    TSimGauge &gauge(int index) { return *m_slots.at(size_t(index)).gauge; }
    const TSimGauge &gauge(int index) const { return *m_slots.at(size_t(index)).gauge; }
    TSimGaugeLink link(int index) const { return m_slots.at(size_t(index)).link; }
    void setLink(int index, TSimGaugeLink link) { m_slots.at(size_t(index)).link = link; }

    // `request` (CRC-16 included) to every gauge on the pair.
    TSimBusAnswer answer(const QByteArray &request);

private:
    struct TSlot
    {
        std::unique_ptr<TSimGauge> gauge;
        TSimGaugeLink link = TSimGaugeLink::Normal;
    };
    std::vector<TSlot> m_slots;
};

// The bytes two or more answers give when their transmitters start
// together: each byte the AND of the bytes sent at that moment (a repeatable
// stand-in for drivers fighting over the pair), the longest answer's tail as
// it is. When the mix happens to carry a right checksum (two gauges of one
// address echoing alike) its last byte is inverted: two real gauges are
// never bit-synchronous, so the reader never gets a clean answer.
QByteArray CollidedAnswer(const QList<QByteArray> &answers);

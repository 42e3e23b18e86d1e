#pragma once
// The search for gauges on one line: the echo command to each address of a
// range with a short time-out of its own, then the signature and the
// program type of each address that answered. A garbled echo (two gauges of
// one address answering at once, or a failing transmitter) is a conflict at
// that address, not a gauge.
//
// The exchanges go beside the polled gauge's bookkeeping (its model, its
// failure count and its black box stay as they were) and are logged like
// every exchange. Runs in the thread that calls it, on the line lock of
// each exchange; polling should be stopped meanwhile.

#include "session/line_gauges.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class TRequestCycle;
struct TProcedureContext;

struct TFoundGauge {
    int Address = 0;
    bool Conflict = false;  // no clean answer at this address, though bytes came
    bool Identified = false; // the signature was read
    uint16_t PlantNumber = 0;
    int ProgramType = -1; // -1: not read
    int HardVersion = 0;
    int SoftVersion = 0;
};

// Told before each address is asked (done of total asked so far); returns
// false to end the scan there.
using TScanStep = std::function<bool(int done, int total)>;

// The signature and program type of the gauge at `address`, read with the
// line's own time-outs; a gauge whose signature never came whole is a
// conflict.
TFoundGauge IdentifyGauge(TRequestCycle &cycle, int address);

// The gauges and conflicts of addresses from..to (clamped to 1..255), in
// address order.
std::vector<TFoundGauge> ScanLine(TRequestCycle &cycle, int from, int to, const TScanStep &step = {});

// The operator's search of the line: the scan with a progress window
// "Поиск приборов на линии" counting the addresses; closing the window (or
// the program's end) stops it at the next address.
std::vector<TFoundGauge> ScanLineShowingProgress(const TProcedureContext &context, int from = 1, int to = 255);

// The gauges a scan found, put into `gauges` (a gauge already listed at an
// address takes what the scan read and keeps its polled mark); conflicts
// are left out.
void MergeFoundGauges(std::vector<TLineGauge> &gauges, const std::vector<TFoundGauge> &found);
// What the operator is told of a scan: how many gauges, and the addresses
// of conflicts.
QString ScanSummary(const std::vector<TFoundGauge> &found);

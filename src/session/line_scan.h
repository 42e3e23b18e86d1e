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

#include <cstdint>
#include <functional>
#include <vector>

class TRequestCycle;

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

// The gauges and conflicts of addresses from..to (clamped to 1..255), in
// address order.
std::vector<TFoundGauge> ScanLine(TRequestCycle &cycle, int from, int to, const TScanStep &step = {});

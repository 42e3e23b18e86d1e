#pragma once
// How long bytes occupy a serial line. A byte is a start bit, eight data
// bits, the parity bit when there is one, and a stop bit: 11 bits with
// parity (the gauge's mark/space addressing), 10 without (the meter).

#include <QtGlobal>

struct TSimLineTiming
{
    bool enabled = false;
    int baud = 9600;
    int turnaroundMs = 5; // the instrument's think time before it answers
};

// Microseconds that `bytes` bytes take at `baud`; 0 for a baud rate of 0 or
// less.
qint64 LineTimeUs(int bytes, int baud, bool parity);

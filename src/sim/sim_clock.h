#pragma once
// Time as the simulated instruments see it: milliseconds on a monotonic
// scale. Tests hand in a clock they advance themselves, so a tank that fills
// for an hour is read back in a microsecond and every figure is repeatable.

#include <QtGlobal>
#include <functional>

using TSimClock = std::function<qint64()>;

// Milliseconds since the call, on the system's monotonic clock.
TSimClock MonotonicSimClock();

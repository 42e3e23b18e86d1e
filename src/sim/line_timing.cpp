#include "sim/line_timing.h"

qint64 LineTimeUs(int bytes, int baud, bool parity)
{
    if (baud <= 0 || bytes <= 0)
        return 0;
    const qint64 bits = qint64(bytes) * (parity ? 11 : 10);
    return (bits * 1'000'000 + baud - 1) / baud;
}

#pragma once
// Installs a manual clock for the lifetime of the scope and puts the system
// clock back afterwards.

#include "values/clock.h"

class ManualClockScope
{
public:
    explicit ManualClockScope(const QDateTime &start)
        : m_clock(start)
    {
        SetClock(&m_clock);
    }
    ~ManualClockScope() { SetClock(nullptr); }
    ManualClockScope(const ManualClockScope &) = delete;
    ManualClockScope &operator=(const ManualClockScope &) = delete;

    TManualClock &clock() { return m_clock; }

private:
    TManualClock m_clock;
};

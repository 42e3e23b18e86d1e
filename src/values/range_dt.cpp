#include "values/range_dt.h"

#include <cmath>

namespace {

constexpr double OneSecond = 1.0 / 86400.0;

// The date of value, or fallbackDay when it has none; its time of day, or
// the present one when it has less than a second.
TDateTime completed(TDateTime value, double fallbackDay, TDateTime now)
{
    const double day = std::trunc(value);
    const double time = std::fabs(value - day);
    return (day == 0 ? fallbackDay : day) + (time >= OneSecond ? time : now - std::trunc(now));
}

} // namespace

TRangeDT::TRangeDT()
{
    const TDateTime now = NowDateTime();
    m_start = now - 1;
    m_stop = now;
}

void TRangeDT::SetStart(TDateTime value)
{
    if (value == m_start)
        return;
    const TDateTime now = NowDateTime();
    m_start = completed(value, std::trunc(now) - 1, now);
}

void TRangeDT::SetStop(TDateTime value)
{
    if (value == m_stop)
        return;
    const TDateTime now = NowDateTime();
    m_stop = completed(value, std::trunc(now), now);
}

void TRangeDT::SetRange(TDateTime stop, TDateTime start)
{
    if (m_start > m_stop)
        return;
    SetStart(start);
    SetStop(stop);
}

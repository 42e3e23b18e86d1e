#pragma once
// TRangeDT: the period of a time graph, start and stop as the model's
// date-times (days since 30 December 1899, the time of day as fraction).
//
// A bound given without a date (whole part 0) takes yesterday for the start
// and today for the stop; one given without a time of day (less than a
// second) takes the present time of day. Setting a bound to the value it
// has does nothing. "Now" is the program's clock.

#include "values/date_time.h"

class TRangeDT
{
public:
    // From now minus one day to now.
    TRangeDT();

    TDateTime Start() const { return m_start; }
    TDateTime Stop() const { return m_stop; }
    void SetStart(TDateTime value);
    void SetStop(TDateTime value);
    // The start first, then the stop; nothing while the stored start is
    // later than the stored stop.
    void SetRange(TDateTime stop, TDateTime start);

private:
    TDateTime m_start;
    TDateTime m_stop;
};

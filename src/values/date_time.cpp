#include "values/date_time.h"

#include "values/clock.h"

#include <cmath>

namespace {

constexpr qint64 msPerDay = 86400000;

// Day 0 of the workstations' calendar.
QDate dayZero()
{
    return QDate(1899, 12, 30);
}

} // namespace

// Before day 0 the whole part counts the days backwards while the fraction
// is still the time of day: 29 December 1899, 06:00 is -1.25, not -0.75.
// The same numbers are written by the workstations, so the archive and the
// parameter files keep their meaning in both directions.
TDateTime QDateTimeToDateTime(const QDateTime &dt)
{
    if (!dt.isValid())
        return 0;
    const QDateTime local = dt.toLocalTime();
    const double days = double(dayZero().daysTo(local.date()));
    const double time = double(local.time().msecsSinceStartOfDay()) / double(msPerDay);
    return days < 0 ? days - time : days + time;
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    // Far beyond any date the program can meet (a garbage stamp from a
    // file must not overflow the day count).
    if (!std::isfinite(value) || std::fabs(value) > 1e8)
        return {};
    const double days = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - days) * double(msPerDay));
    qint64 day = qint64(days);
    // Rounding to the millisecond may reach midnight of the next day.
    if (ms >= msPerDay) {
        ms -= msPerDay;
        ++day;
    }
    return QDateTime(dayZero().addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::LocalTime);
}

QDateTime NowQDateTime()
{
    return Clock().Now().toLocalTime();
}

TDateTime NowDateTime()
{
    return QDateTimeToDateTime(NowQDateTime());
}

#include "archive/archive_stamp.h"

#include <cmath>

namespace {

constexpr qint64 kMsecsPerDay = 86'400'000;
constexpr qint64 kJulianDayOf1970 = 2'440'588;
// 1 January 1970 counted in days since 30 December 1899.
constexpr qint64 kDaysTo1970 = 25'569;
// Far beyond any date the program meets; a garbage date-time must not
// overflow the millisecond count.
constexpr double kLargestDay = 1e8;

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

qint64 ArchiveStamp(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0;
    const QDateTime local = dateTime.timeSpec() == Qt::LocalTime ? dateTime : dateTime.toLocalTime();
    return (local.date().toJulianDay() - kJulianDayOf1970) * kMsecsPerDay
        + local.time().msecsSinceStartOfDay();
}

QDateTime ArchiveStampToQDateTime(qint64 stamp)
{
    const qint64 days = floorDiv(stamp, kMsecsPerDay);
    const int msecs = int(stamp - days * kMsecsPerDay);
    return QDateTime(QDate::fromJulianDay(days + kJulianDayOf1970), QTime::fromMSecsSinceStartOfDay(msecs));
}

TDateTime ArchiveStampToDateTime(qint64 stamp)
{
    const qint64 dayIn1970 = floorDiv(stamp, kMsecsPerDay);
    const qint64 day = dayIn1970 + kDaysTo1970;
    const double time = double(stamp - dayIn1970 * kMsecsPerDay) / double(kMsecsPerDay);
    // Before day 0 the whole part counts backwards while the fraction is
    // still the time of day, as the model counts.
    return day < 0 ? double(day) - time : double(day) + time;
}

qint64 DateTimeToArchiveStamp(TDateTime value)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestDay)
        return 0;
    const double whole = std::trunc(value);
    qint64 day = qint64(whole);
    qint64 msecs = std::llround(std::fabs(value - whole) * double(kMsecsPerDay));
    // Rounding to the millisecond may reach midnight of the next day.
    if (msecs >= kMsecsPerDay) {
        msecs -= kMsecsPerDay;
        ++day;
    }
    return (day - kDaysTo1970) * kMsecsPerDay + msecs;
}

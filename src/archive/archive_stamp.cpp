#include "archive/archive_stamp.h"

#include <cmath>

namespace {

constexpr qint64 kMsecsPerDay = 86'400'000;
constexpr qint64 kJulianDayOf1970 = 2'440'588;
// 1 January 1970 counted in days since 30 December 1899.
constexpr double kDaysTo1970 = 25'569.0;

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

qint64 ArchiveStamp(const QDateTime &dateTime)
{
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
    return kDaysTo1970 + double(stamp) / double(kMsecsPerDay);
}

qint64 DateTimeToArchiveStamp(TDateTime value)
{
    return std::llround((value - kDaysTo1970) * double(kMsecsPerDay));
}

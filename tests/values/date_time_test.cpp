#include "values/clock.h"
#include "values/date_time.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cmath>

namespace {

QDateTime local(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::LocalTime);
}

} // namespace

TEST(DateTime, DaysSinceTheEndOf1899WithTimeAsFraction)
{
    EXPECT_EQ(QDateTimeToDateTime(local(1899, 12, 30)), 0.0);
    EXPECT_EQ(QDateTimeToDateTime(local(1900, 1, 1, 12)), 2.5);
    EXPECT_EQ(QDateTimeToDateTime(local(2000, 1, 1, 6)), 36526.25);
    // Before day 0 the fraction is still the time of day.
    EXPECT_EQ(QDateTimeToDateTime(local(1899, 12, 29, 6)), -1.25);
    EXPECT_EQ(QDateTimeToDateTime(local(1899, 12, 29, 18)), -1.75);
    EXPECT_EQ(QDateTimeToDateTime(local(1899, 12, 28)), -2.0);

    EXPECT_EQ(DateTimeToQDateTime(-1.75), local(1899, 12, 29, 18));
}

TEST(DateTime, RoundTripKeepsEveryMillisecond)
{
    // Whole days from 1700 to 2200 at random milliseconds, and the last
    // milliseconds of a day on both sides of day 0.
    QRandomGenerator random(47);
    QList<QDateTime> moments = {local(1899, 12, 29, 23, 59, 59, 999), local(1899, 12, 30, 0, 0, 0, 1),
                                local(2024, 12, 31, 23, 59, 59, 999)};
    const QDate first(1700, 1, 1);
    for (int i = 0; i < 20000; ++i) {
        const QDate date = first.addDays(random.bounded(183000));
        moments << QDateTime(date, QTime::fromMSecsSinceStartOfDay(random.bounded(86400000)), Qt::LocalTime);
    }
    for (const QDateTime &moment : std::as_const(moments)) {
        if (!moment.isValid())
            continue; // a local time that a clock change skips
        const QDateTime back = DateTimeToQDateTime(QDateTimeToDateTime(moment));
        ASSERT_EQ(back.date(), moment.date()) << moment.toString(Qt::ISODateWithMs).toStdString();
        ASSERT_EQ(back.time(), moment.time()) << moment.toString(Qt::ISODateWithMs).toStdString();
    }
}

TEST(DateTime, RoundingToTheMillisecondMayReachTheNextDayAndGarbageGivesNoDate)
{
    const double almostMidnight = 1.0 - 0.1 / 86400000.0;
    EXPECT_EQ(DateTimeToQDateTime(almostMidnight), local(1899, 12, 31));
    EXPECT_EQ(DateTimeToQDateTime(-1.0 - almostMidnight), local(1899, 12, 30));
    EXPECT_EQ(DateTimeToQDateTime(45000 + 0.4 / 86400000.0), DateTimeToQDateTime(45000));
    // Garbage stamps give no date and no crash.
    EXPECT_FALSE(DateTimeToQDateTime(std::nan("")).isValid());
    EXPECT_FALSE(DateTimeToQDateTime(-1e300).isValid());
}

TEST(DateTime, NowComesFromTheProgramClock)
{
    TManualClock clock(local(2024, 6, 30, 23, 59, 59, 500));
    SetClock(&clock);
    EXPECT_EQ(NowQDateTime(), local(2024, 6, 30, 23, 59, 59, 500));
    clock.Advance(700);
    EXPECT_EQ(NowQDateTime(), local(2024, 7, 1, 0, 0, 0, 200));
    EXPECT_EQ(NowDateTime(), QDateTimeToDateTime(local(2024, 7, 1, 0, 0, 0, 200)));
    SetClock(nullptr);
}

#include "archive/archive_stamp.h"
#include "archive/archive_text_line.h"
#include "archive/value_archive.h"

#include "support/temp_home.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <random>

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);

} // namespace

TEST(FormatFixed, RoundsToDigitsWithTheLocaleSeparatorAndNoGrouping)
{
    EXPECT_EQ(FormatFixed(1234.5678, 9, 2, kRussian), QStringLiteral("1234,57"));
    EXPECT_EQ(FormatFixed(1234567.25, 9, 1, kRussian), QStringLiteral("1234567,3"));
    EXPECT_EQ(FormatFixed(-12.345, 9, 1, kRussian), QStringLiteral("-12,3"));
    EXPECT_EQ(FormatFixed(42.0, 9, 0, kRussian), QStringLiteral("42"));
    // Gauge readings are single floats, so exact halves are common: they
    // round away from zero, as on the workstations.
    EXPECT_EQ(FormatFixed(1234.25, 9, 1, kRussian), QStringLiteral("1234,3"));
    EXPECT_EQ(FormatFixed(-0.125, 9, 2, kRussian), QStringLiteral("-0,13"));
    EXPECT_EQ(FormatFixed(2.5, 9, 0, kRussian), QStringLiteral("3"));
    EXPECT_EQ(FormatFixed(0.004, 9, 2, QLocale::c()), QStringLiteral("0.00"));
    // Rounded to nothing, a small negative value has no minus sign.
    EXPECT_EQ(FormatFixed(-0.04, 9, 1, kRussian), QStringLiteral("0,0"));
}

TEST(FormatFixed, KeepsNineSignificantDigitsAndPadsPastThem)
{
    EXPECT_EQ(FormatFixed(12345678.91, 9, 2, kRussian), QStringLiteral("12345678,90"));
    EXPECT_EQ(FormatFixed(123456789.4, 9, 3, kRussian), QStringLiteral("123456789,000"));
    EXPECT_EQ(FormatFixed(0.1, 9, 12, kRussian), QStringLiteral("0,100000000000"));
    // More integer digits than significant ones: written with an exponent.
    EXPECT_EQ(FormatFixed(12345678912.0, 9, 2, kRussian), QStringLiteral("1,23456789E10"));
    EXPECT_EQ(FormatFixed(999999999.7, 9, 2, kRussian), QStringLiteral("1E09"));
    EXPECT_EQ(FormatFixed(-1.5e-3 * 1e15, 9, 0, kRussian), QStringLiteral("-1,5E12"));
}

TEST(ArchiveTextLine, FileHoldsDateTimeAndValueInCp1251WithCrLf)
{
    TempHome home;
    TValueArchive archive(home.file(QStringLiteral("DATA")));
    const QDateTime first(QDate(2026, 12, 8), QTime(9, 5, 7, 870));
    const QDateTime second(QDate(2026, 12, 8), QTime(23, 59, 59, 999));

    QLocale::setDefault(kRussian);
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("Freq"), 9, 2, first, 1234.5678));
    // A locale with Cyrillic in its date and time formats shows the encoding.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("Freq"), 9, 0, second, -7.6));
    QLocale::setDefault(QLocale::c());

    EXPECT_EQ(home.readRaw(QStringLiteral("DATA/2026/12/08/Freq.txt")),
              QByteArray("08.12.2026 09:05:07 1234,57\r\n"
                         "8.12.26 \xE3. 23:59:59 \xF7. -8\r\n"));
}

TEST(ArchiveStamp, RoundTripsThroughQDateTimeAndModelDays)
{
    std::mt19937_64 random(20261208);
    // From 1800 to 2100, to the millisecond; before 30 December 1899 the
    // model's days count backwards with the time of day as a positive part.
    std::uniform_int_distribution<qint64> anyStamp(-5'364'662'400'000LL, 4'102'444'800'000LL);
    for (int i = 0; i < 20000; ++i) {
        const qint64 stamp = anyStamp(random);
        const QDateTime dt = ArchiveStampToQDateTime(stamp);
        // A wall-clock time that a daylight-saving change skips has no
        // local date-time; no clock ever stamps one.
        if (dt.time().msecsSinceStartOfDay() != ((stamp % 86'400'000) + 86'400'000) % 86'400'000)
            continue;
        ASSERT_EQ(ArchiveStamp(dt), stamp);
        const TDateTime days = ArchiveStampToDateTime(stamp);
        ASSERT_EQ(DateTimeToArchiveStamp(days), stamp);
        ASSERT_EQ(days, QDateTimeToDateTime(dt)) << stamp;
    }
    // Stamps sort as time does, and a day is 86,400,000 of them.
    const QDateTime noon(QDate(2026, 12, 8), QTime(12, 0));
    EXPECT_EQ(ArchiveStamp(noon.addDays(1)) - ArchiveStamp(noon), 86'400'000);
    EXPECT_EQ(ArchiveStamp(noon.addMSecs(1)) - ArchiveStamp(noon), 1);
    EXPECT_EQ(ArchiveStamp(QDateTime()), 0);
}

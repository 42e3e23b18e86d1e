#include "app/log.h"
#include "app/text_file.h"
#include "support/manual_clock.h"
#include "support/temp_home.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QDateTime kAfternoon(QDate(2026, 12, 8), QTime(14, 3, 27, 45));
}

TEST(Log, LineCarriesTheStampTheTextAndCrLfInCp1251)
{
    ManualClockScope clock(kAfternoon);
    TempHome home;
    TLog log;
    log.SetFileName(home.file("rd261208.txt"));
    ASSERT_TRUE(log.Add(QStringLiteral("Ответ 01 10")));
    clock.clock().Set(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5, 6)));
    ASSERT_TRUE(log.Add("x"));
    EXPECT_EQ(home.readRaw("rd261208.txt"), "08.12.2026 14:03:27,045 " + ToCp1251(QStringLiteral("Ответ 01 10")) +
                                                "\r\n02.01.2026 03:04:05,006 x\r\n");
}

TEST(Log, TwoLinesInTheSameMillisecondKeepTheirOrder)
{
    ManualClockScope clock(kAfternoon);
    TempHome home;
    TLog log;
    log.SetFileName(home.file("a.txt"));
    for (const char *text : {"first", "second", "third"})
        ASSERT_TRUE(log.Add(text));
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(home.file("a.txt"), lines));
    EXPECT_EQ(lines, QStringList({"08.12.2026 14:03:27,045 first", "08.12.2026 14:03:27,045 second",
                                  "08.12.2026 14:03:27,045 third"}));
}

TEST(Log, MissingFoldersAreMadeOnTheFirstLine)
{
    TempHome home;
    TLog log;
    log.SetFileName(home.file("logs/2026/BlackBox.txt"));
    EXPECT_TRUE(log.Add("status"));
    EXPECT_TRUE(QFileInfo(home.file("logs/2026/BlackBox.txt")).isFile());
}

TEST(Log, AnUnwritableFileIsReportedNotThrown)
{
    TempHome home;
    home.writeRaw("plain", "a file, not a folder");
    TLog log;
    log.SetFileName(home.file("plain/log.txt"));
    EXPECT_FALSE(log.Add("x"));
    log.SetFileName(home.path()); // a folder
    EXPECT_FALSE(log.Add("x"));
}

TEST(Log, NameDefaultsAndAnEmptyNameIsIgnored)
{
    TLog log;
    EXPECT_EQ(log.FileName(), "log.txt");
    log.SetFileName("rd261208.txt");
    log.SetFileName("");
    EXPECT_EQ(log.FileName(), "rd261208.txt");
    TLog copy;
    copy.Assign(log);
    EXPECT_EQ(copy.FileName(), "rd261208.txt");
}

TEST(Clock, ManualClockMovesOnlyByPausesAndAdvancesAndTheSystemClockComesBack)
{
    {
        ManualClockScope scope(kAfternoon);
        Clock().Pause(15000);
        scope.clock().Advance(500);
        EXPECT_EQ(Clock().Now(), kAfternoon.addMSecs(15500));
        EXPECT_EQ(scope.clock().PausedMs(), 15000);
    }
    const qint64 drift = Clock().Now().msecsTo(QDateTime::currentDateTime());
    EXPECT_LE(std::abs(drift), 1000);
}

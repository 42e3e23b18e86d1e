// The value archive on a small file system of its own that fills up while
// readings come in, and then gets its space back.

#include "archive/value_archive.h"

#include "support/archive_health.h"
#include "support/small_disk.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>

namespace {

const QStringList kFullDiskNames{"Freq", "Distance", "LevelBusy", "LevelFree", "Reserve", "Usil"};

// One pass of readings: every name once, one second apart from the last.
// Counts what the archive took per name.
void archivePass(TValueArchive &archive, QDateTime &stamp, std::map<QString, int> &taken, int &failed)
{
    stamp = stamp.addSecs(1);
    for (const QString &name : kFullDiskNames) {
        if (archive.Archive(name, 9, 2, stamp, stamp.time().second()))
            ++taken[name];
        else
            ++failed;
    }
}

// Rows equal lines is checked apart; the lines are what the archive took.
int linesOf(const QString &dbPath, const QString &name)
{
    QFile text(dbPath + QStringLiteral("/2026/12/08/") + name + QStringLiteral(".txt"));
    return text.open(QIODevice::ReadOnly) ? int(text.readAll().count("\r\n")) : 0;
}

} // namespace

TEST(ValueArchiveFullDisk, AValueIsInBothFilesOrInNeitherAndArchivingResumesWhenSpaceReturns)
{
    SmallDisk disk(2048);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    const QString dbPath = disk.file(QStringLiteral("DATA"));
    QStringList stops, resumes;
    std::map<QString, int> taken;
    int failed = 0;
    QDateTime stamp(QDate(2026, 12, 8), QTime(10, 0));
    {
        TValueArchive archive(dbPath);
        archive.SetErrorHandler([&](const QString &text) { stops << text; });
        archive.SetResumeHandler([&](const QString &text) { resumes << text; });
        for (int pass = 0; pass < 10; ++pass)
            archivePass(archive, stamp, taken, failed);
        ASSERT_EQ(failed, 0) << stops.join('|').toStdString();

        // Polling goes on while the disk fills, and on while it is full.
        disk.Fill(48 * 1024);
        for (int pass = 0; pass < 400 && failed < 60; ++pass)
            archivePass(archive, stamp, taken, failed);
        ASSERT_GE(failed, 60) << "the disk never filled";
        EXPECT_TRUE(archive.Failing());
        ASSERT_EQ(stops.size(), 1) << stops.join('|').toStdString();
        EXPECT_TRUE(stops[0].startsWith(QStringLiteral("Архив не записывается: "))) << stops[0].toStdString();
        EXPECT_TRUE(stops[0].contains(QStringLiteral("архивирование продолжится само, когда будет свободно не менее ")))
            << stops[0].toStdString();
        EXPECT_TRUE(resumes.isEmpty());
        EXPECT_FALSE(archive.FailedFiles().isEmpty());

        // Space comes back: the next pass goes in whole, and it is said once.
        disk.Free();
        const std::map<QString, int> before = taken;
        for (int pass = 0; pass < 3; ++pass)
            archivePass(archive, stamp, taken, failed);
        for (const QString &name : kFullDiskNames)
            EXPECT_EQ(taken[name], before.at(name) + 3) << name.toStdString();
        EXPECT_FALSE(archive.Failing());
        ASSERT_EQ(resumes.size(), 1);
        EXPECT_TRUE(resumes[0].startsWith(QStringLiteral("Архив снова записывается"))) << resumes[0].toStdString();
        EXPECT_EQ(stops.size(), 1);
    }
    // Every table sound, rows equal lines, whole lines only, nothing left
    // behind, and every value the archive took is there.
    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
    for (const QString &name : kFullDiskNames)
        EXPECT_EQ(linesOf(dbPath, name), taken[name]) << name.toStdString();
}

TEST(ValueArchiveFullDisk, ATableFileThatCannotBeMadeLeavesNothingBehind)
{
    SmallDisk disk(1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    const QString dbPath = disk.file(QStringLiteral("DATA"));
    ASSERT_TRUE(QDir().mkpath(dbPath + QStringLiteral("/2026/12/08")));
    disk.Fill();
    {
        TValueArchive archive(dbPath);
        EXPECT_FALSE(archive.Archive(QStringLiteral("TmpOfSensor"), 9, 0, QDateTime(QDate(2026, 12, 8), QTime(10, 0)), 21));
        EXPECT_EQ(archive.FailedFiles().size(), 1) << archive.FailedFiles().join('|').toStdString();
    }
    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
    // The next start, with room, makes the table as if nothing had happened.
    disk.Free();
    TValueArchive archive(dbPath);
    EXPECT_TRUE(archive.Archive(QStringLiteral("TmpOfSensor"), 9, 0, QDateTime(QDate(2026, 12, 8), QTime(10, 1)), 22));
    archive.CloseTables();
    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
}

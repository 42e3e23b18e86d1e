#include "archive/day_folder.h"
#include "archive/day_query.h"
#include "archive/value_archive.h"

#include "archive_db.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

QDateTime moment(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

class ValueArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        archive.SetErrorHandler([this](const QString &text) { reports << text; });
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QString day(const QDate &d, const QString &file) const
    {
        return QDir(DayFolder(dbPath, d)).filePath(file);
    }
    QStringList textLines(const QDate &d, const QString &name) const
    {
        QFile f(day(d, name + QStringLiteral(".txt")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast(); // after the last CR LF
        return lines;
    }

    TempHome home;
    QString dbPath = home.file(QStringLiteral("DATA"));
    TValueArchive archive{dbPath};
    QStringList reports;
};

} // namespace

TEST(DayFolder, JoinsRootAndDateWithoutDoubledSeparator)
{
    const QDate d(2026, 12, 8);
    EXPECT_EQ(DayFolder(QStringLiteral("/opt/tolm/DATA"), d), QStringLiteral("/opt/tolm/DATA/2026/12/08"));
    EXPECT_EQ(DayFolder(QStringLiteral("/opt/tolm/DATA/"), d), QStringLiteral("/opt/tolm/DATA/2026/12/08"));
    EXPECT_EQ(DayFolder(QString(), QDate(987, 1, 2)), QStringLiteral("0987/01/02"));
}

TEST_F(ValueArchiveTest, FirstValueOfADayCreatesFolderTableAndTextLine)
{
    const QDateTime stamp = moment(2026, 12, 8, 9, 5, 7, 123);
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Distance"), stamp, 1234.5678));
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("Distance"), 9, 1, stamp, 1234.5678));

    ArchiveDb db(day(stamp.date(), QStringLiteral("Distance.db")));
    ASSERT_TRUE(db.opened());
    EXPECT_EQ(db.tables(), QStringList{QStringLiteral("Distance")});
    EXPECT_EQ(db.fields(QStringLiteral("Distance")), (QStringList{QStringLiteral("V REAL"), QStringLiteral("DT INTEGER")}));
    EXPECT_EQ(db.journalMode(), QStringLiteral("wal"));
    const QVector<StoredRow> rows = db.rows(QStringLiteral("Distance"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].v, 1234.5678);
    EXPECT_EQ(db.lastRowTypes(), QStringLiteral("real integer"));
    EXPECT_EQ(textLines(stamp.date(), QStringLiteral("Distance")), QStringList{QStringLiteral("08.12.2026 09:05:07 1234,6")});
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(ValueArchiveTest, TimeStampsReadBackToTheMillisecond)
{
    const QDate d(2026, 3, 29);
    const QList<QDateTime> stamps{QDateTime(d, QTime(0, 0)), moment(2026, 3, 29, 0, 0, 0, 1),
                                  moment(2026, 3, 29, 12, 34, 56, 789), moment(2026, 3, 29, 23, 59, 59, 999)};
    for (int i = 0; i < stamps.size(); ++i)
        ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Freq"), stamps[i], 0.1 * i));

    QVector<TArchiveRow> rows;
    QString error;
    ASSERT_TRUE(LoadDay(dbPath, {QStringLiteral("Freq"), d, {}, {}, {}}, rows, error)) << error.toStdString();
    ASSERT_EQ(rows.size(), stamps.size());
    for (int i = 0; i < stamps.size(); ++i) {
        EXPECT_EQ(rows[i].ToQDateTime(), stamps[i]);
        EXPECT_EQ(rows[i].V, 0.1 * i);
        // The graphs count in days since 30 December 1899.
        EXPECT_EQ(rows[i].DateTime(), QDateTimeToDateTime(stamps[i]));
    }
}

TEST_F(ValueArchiveTest, ValuesAcrossMidnightLandInTwoDayFolders)
{
    const QDateTime before = moment(2026, 12, 31, 23, 59, 59, 999);
    const QDateTime after = moment(2027, 1, 1, 0, 0, 0, 100);
    for (const QDateTime &stamp : {before, after}) {
        ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("LevelBusy"), stamp, stamp.time().msec()));
        ASSERT_TRUE(archive.ArchiveText(QStringLiteral("LevelBusy"), 9, 0, stamp, stamp.time().msec()));
    }
    EXPECT_EQ(ArchiveDb(day(before.date(), QStringLiteral("LevelBusy.db"))).rows(QStringLiteral("LevelBusy")).size(), 1);
    EXPECT_EQ(ArchiveDb(day(after.date(), QStringLiteral("LevelBusy.db"))).rows(QStringLiteral("LevelBusy")).size(), 1);
    EXPECT_EQ(textLines(before.date(), QStringLiteral("LevelBusy")), QStringList{QStringLiteral("31.12.2026 23:59:59 999")});
    EXPECT_EQ(textLines(after.date(), QStringLiteral("LevelBusy")), QStringList{QStringLiteral("01.01.2027 00:00:00 100")});

    // A late value of the old day (a clock set back) still finds its table.
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("LevelBusy"), before.addMSecs(-1), 7));
    EXPECT_EQ(ArchiveDb(day(before.date(), QStringLiteral("LevelBusy.db"))).rows(QStringLiteral("LevelBusy")).size(), 2);
}

TEST_F(ValueArchiveTest, BlanksAroundANameWriteTheSameFiles)
{
    const QDateTime stamp = moment(2026, 12, 8, 10, 0, 0);
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral(" Usil "), stamp, 1));
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Usil"), stamp, 2));
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("\tUsil"), 9, 0, stamp, 1));
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("Usil  "), 9, 0, stamp, 2));

    EXPECT_EQ(QDir(DayFolder(dbPath, stamp.date())).entryList(QDir::Files),
              (QStringList{QStringLiteral("Usil.db"), QStringLiteral("Usil.db-shm"), QStringLiteral("Usil.db-wal"),
                           QStringLiteral("Usil.txt")}));
    EXPECT_EQ(ArchiveDb(day(stamp.date(), QStringLiteral("Usil.db"))).rows(QStringLiteral("Usil")).size(), 2);
    EXPECT_EQ(textLines(stamp.date(), QStringLiteral("Usil")).size(), 2);
}

TEST_F(ValueArchiveTest, NamesThatWouldLeaveTheDayFolderAreRefused)
{
    const QDateTime stamp = moment(2026, 12, 8, 10, 0, 0);
    for (const QString &name : {QStringLiteral("../Freq"), QStringLiteral("a/b"), QStringLiteral("  "), QStringLiteral("..")}) {
        EXPECT_FALSE(archive.ArchiveValue(name, stamp, 1)) << name.toStdString();
        EXPECT_FALSE(archive.ArchiveText(name, 9, 0, stamp, 1)) << name.toStdString();
    }
    EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Freq"), QDateTime(), 1));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("DATA/2026/12/Freq.db"))));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("DATA/2026/12/08/a"))));
    EXPECT_EQ(reports.size(), 1);
}

TEST_F(ValueArchiveTest, AnUnwritableArchiveIsReportedOnceAndHealsSilently)
{
    // A file where the archive folder should be: nothing can be created below it.
    home.writeRaw(QStringLiteral("DATA"), "not a folder");
    QDateTime stamp = moment(2026, 12, 8, 10, 0, 0);
    for (int i = 0; i < 50; ++i, stamp = stamp.addSecs(1)) {
        EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Freq"), stamp, i));
        EXPECT_FALSE(archive.ArchiveText(QStringLiteral("Freq"), 9, 2, stamp, i));
        EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Usil"), stamp, i));
    }
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith(QStringLiteral("Архив не записывается: "))) << reports[0].toStdString();
    EXPECT_TRUE(archive.Failing());

    // The operator frees the folder: every file writes again, nothing is said.
    ASSERT_TRUE(QFile::remove(dbPath));
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Freq"), stamp, 1));
    EXPECT_TRUE(archive.Failing()); // Usil and the text file have not been written yet
    ASSERT_TRUE(archive.ArchiveText(QStringLiteral("Freq"), 9, 2, stamp, 1));
    ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Usil"), stamp, 1));
    EXPECT_FALSE(archive.Failing());
    EXPECT_EQ(reports.size(), 1);

    // A new failure is news again, once.
    ASSERT_TRUE(QDir().mkpath(day(stamp.date(), QStringLiteral("Reserve.db"))));
    EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Reserve"), stamp, 1));
    EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Reserve"), stamp, 2));
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(ValueArchiveTest, ADamagedTableFileIsNeitherWrittenNorRepairedAway)
{
    const QDateTime stamp = moment(2026, 12, 8, 10, 0, 0);
    const QByteArray garbage(5000, 'x');
    home.writeRaw(QStringLiteral("DATA/2026/12/08/Freq.db"), garbage);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(archive.ArchiveValue(QStringLiteral("Freq"), stamp, i));
        // Its text file and the other tables go on.
        EXPECT_TRUE(archive.ArchiveText(QStringLiteral("Freq"), 9, 2, stamp, i));
        EXPECT_TRUE(archive.ArchiveValue(QStringLiteral("Distance"), stamp, i));
    }
    EXPECT_EQ(home.readRaw(QStringLiteral("DATA/2026/12/08/Freq.db")), garbage);
    EXPECT_EQ(reports.size(), 1);
    EXPECT_EQ(textLines(stamp.date(), QStringLiteral("Freq")).size(), 10);
}

TEST_F(ValueArchiveTest, HalfMadeFilesDoNotBlockTheDay)
{
    const QDateTime stamp = moment(2026, 12, 8, 10, 0, 0);
    // An empty file is a database without tables.
    home.writeRaw(QStringLiteral("DATA/2026/12/08/Freq.db"), QByteArray());
    // A table file being made when the program was killed.
    home.writeRaw(QStringLiteral("DATA/2026/12/08/Usil.db.new"), QByteArray(100, 'x'));
    home.writeRaw(QStringLiteral("DATA/2026/12/08/Usil.db.new-journal"), QByteArray(100, 'x'));
    for (const QString &name : {QStringLiteral("Freq"), QStringLiteral("Usil")}) {
        ASSERT_TRUE(archive.ArchiveValue(name, stamp, 5));
        EXPECT_EQ(ArchiveDb(day(stamp.date(), name + QStringLiteral(".db"))).rows(name).size(), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(day(stamp.date(), QStringLiteral("Usil.db.new"))));
    EXPECT_FALSE(QFileInfo::exists(day(stamp.date(), QStringLiteral("Usil.db.new-journal"))));
}

TEST_F(ValueArchiveTest, ReadingWhileThePollingWritesSeesWholeRowsInOrder)
{
    const QDateTime start = moment(2026, 12, 8, 10, 0, 0);
    constexpr int kValues = 400;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < kValues; ++i) {
            archive.ArchiveValue(QStringLiteral("Freq"), start.addMSecs(i * 10), i);
            archive.ArchiveText(QStringLiteral("Freq"), 9, 0, start.addMSecs(i * 10), i);
        }
        done = true;
    });
    int reads = 0;
    qsizetype seen = 0;
    bool consistent = true;
    while (!done || reads == 0) {
        QVector<TArchiveRow> rows;
        QString error;
        // The table may not exist yet on the first rounds.
        if (!LoadDay(dbPath, {QStringLiteral("Freq"), start.date(), {}, {}, {}}, rows, error))
            continue;
        ++reads;
        consistent = consistent && rows.size() >= seen;
        seen = rows.size();
        for (qsizetype i = 0; i < rows.size(); ++i)
            consistent = consistent && rows[i].V == double(i) && rows[i].DT - rows[0].DT == i * 10;
    }
    writer.join();
    EXPECT_TRUE(consistent);
    EXPECT_GT(reads, 0);
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(ArchiveDb(day(start.date(), QStringLiteral("Freq.db"))).rows(QStringLiteral("Freq")).size(), kValues);
}

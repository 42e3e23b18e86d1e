#include "archive/archive_stamp.h"
#include "archive/day_folder.h"
#include "archive/day_query.h"
#include "archive/value_archive.h"

#include "archive_db.h"
#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 12, 8);

QDateTime dayAt(int h, int mi, int s, int ms = 0)
{
    return QDateTime(kDay, QTime(h, mi, s, ms));
}

// A day of "Freq" with values 0..9 at 10:00:00, 10:00:01, ..., written out
// of order, as a clock set back would do.
class DayQueryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TValueArchive archive(dbPath);
        for (int i : {5, 6, 7, 8, 9, 0, 1, 2, 3, 4})
            ASSERT_TRUE(archive.ArchiveValue(QStringLiteral("Freq"), dayAt(10, 0, i), i));
    }

    QVector<double> values(const TDayQuery &query, bool expectOk = true)
    {
        QVector<TArchiveRow> rows;
        QString error;
        EXPECT_EQ(LoadDay(dbPath, query, rows, error), expectOk) << error.toStdString();
        EXPECT_EQ(error.isEmpty(), expectOk);
        lastError = error;
        QVector<double> out;
        for (const TArchiveRow &row : rows)
            out << row.V;
        return out;
    }
    TDayQuery freq(const QString &filter = {}) const { return {QStringLiteral("Freq"), kDay, {}, {}, filter}; }

    TempHome home;
    QString dbPath = home.file(QStringLiteral("DATA"));
    QString tableFile = DayFolder(dbPath, kDay) + QStringLiteral("/Freq.db");
    QString lastError;
};

} // namespace

TEST(DayQueryText, HasNoWhereLineWithoutConditions)
{
    EXPECT_EQ(DayQueryText({QStringLiteral(" Freq "), kDay, {}, {}, QStringLiteral("   ")}),
              QStringLiteral("SELECT DT, V\nFROM \"Freq\"\nORDER BY DT"));
}

TEST(DayQueryText, PutsEachConditionOnItsLineJoinedByAnd)
{
    const QDateTime start = dayAt(10, 0, 0), end = dayAt(11, 0, 0, 500);
    EXPECT_EQ(DayQueryText({QStringLiteral("Freq"), kDay, start, end, QStringLiteral("V>1")}),
              QStringLiteral("SELECT DT, V\nFROM \"Freq\"\nWHERE\n(DT>=%1)\nAND\n(DT<=%2)\nAND\n(V>1)\nORDER BY DT")
                  .arg(ArchiveStamp(start))
                  .arg(ArchiveStamp(end)));
    EXPECT_EQ(DayQueryText({QStringLiteral("Freq"), kDay, {}, end, {}}),
              QStringLiteral("SELECT DT, V\nFROM \"Freq\"\nWHERE\n(DT<=%1)\nORDER BY DT").arg(ArchiveStamp(end)));
}

TEST_F(DayQueryTest, RowsComeInTimeOrderWithinTheInclusiveLimitsAndFilter)
{
    EXPECT_EQ(values(freq()), (QVector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    TDayQuery query = freq();
    query.start = dayAt(10, 0, 3);
    EXPECT_EQ(values(query), (QVector<double>{3, 4, 5, 6, 7, 8, 9}));
    query.end = dayAt(10, 0, 6);
    EXPECT_EQ(values(query), (QVector<double>{3, 4, 5, 6}));
    query.filter = QStringLiteral("V <> 4 AND V < 6");
    EXPECT_EQ(values(query), (QVector<double>{3, 5}));
    // A blank filter is no condition; an operator may use the day's
    // functions and sub-queries, they only read.
    EXPECT_EQ(values(freq(QStringLiteral(" \t "))).size(), 10);
    EXPECT_EQ(values(freq(QStringLiteral("V > (SELECT avg(V) FROM Freq)"))), (QVector<double>{5, 6, 7, 8, 9}));
}

TEST_F(DayQueryTest, AFilterCannotChangeOrDeleteRows)
{
    const QByteArray before = home.readRaw(QStringLiteral("DATA/2026/12/08/Freq.db"));
    for (const QString &filter : {QStringLiteral("1=1); DELETE FROM Freq; --"), QStringLiteral("1=1); DROP TABLE Freq"),
                                  QStringLiteral("1=1); DROP TABLE Freq; SELECT DT, V FROM Freq WHERE (1=1"),
                                  QStringLiteral("1=1) ; UPDATE Freq SET V=0 WHERE (1=1"),
                                  QStringLiteral("1=1);\nATTACH 'x.db' AS x; --"), QStringLiteral("V >")}) {
        EXPECT_TRUE(values(freq(filter), false).isEmpty()) << filter.toStdString();
        EXPECT_FALSE(lastError.isEmpty());
    }
    EXPECT_EQ(values(freq()), (QVector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(home.readRaw(QStringLiteral("DATA/2026/12/08/Freq.db")), before);
    EXPECT_EQ(ArchiveDb(tableFile).integrity(), QStringLiteral("ok"));
}

TEST_F(DayQueryTest, ARunawayFilterIsStopped)
{
    // Without the time limit this never ends.
    TDayQuery query = freq(QStringLiteral(
        "V IN (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c WHERE x < 0)"));
    query.timeLimitMs = 200;
    EXPECT_TRUE(values(query, false).isEmpty());
    EXPECT_TRUE(lastError.contains(QStringLiteral("слишком долго"))) << lastError.toStdString();
}

TEST_F(DayQueryTest, MissingOrDamagedTablesGiveNoRowsAndAReason)
{
    EXPECT_TRUE(values({QStringLiteral("Distance"), kDay, {}, {}, {}}, false).isEmpty());
    EXPECT_TRUE(values({QStringLiteral("Freq"), kDay.addDays(1), {}, {}, {}}, false).isEmpty());
    EXPECT_TRUE(values({QStringLiteral("../08/Freq"), kDay, {}, {}, {}}, false).isEmpty());

    home.writeRaw(QStringLiteral("DATA/2026/12/08/Usil.db"), QByteArray(3000, '\x5a'));
    EXPECT_TRUE(values({QStringLiteral("Usil"), kDay, {}, {}, {}}, false).isEmpty());
    EXPECT_TRUE(lastError.contains(QStringLiteral("Usil.db"))) << lastError.toStdString();

    // A table cut short in the middle of its pages.
    {
        TValueArchive archive(dbPath);
        for (int i = 0; i < 20000; ++i)
            archive.ArchiveValue(QStringLiteral("Reserve"), dayAt(11, 0, 0).addMSecs(i), i);
    }
    const QString reserve = home.file(QStringLiteral("DATA/2026/12/08/Reserve.db"));
    ASSERT_GT(QFile(reserve).size(), 100000);
    ASSERT_TRUE(QFile::resize(reserve, QFile(reserve).size() / 2));
    EXPECT_TRUE(values({QStringLiteral("Reserve"), kDay, {}, {}, {}}, false).isEmpty());
}

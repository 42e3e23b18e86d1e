// The program may be killed at any moment while it archives (power switch,
// task manager, a crash elsewhere). Here a child process archives without
// pause and is killed with SIGKILL at random moments; after each kill every
// table must open and pass its integrity check, and every value the child
// had reported as written must be there, in its table and its text file.

#include "archive/archive_stamp.h"
#include "archive/day_folder.h"
#include "archive/value_archive.h"

#include "archive_db.h"
#include "support/temp_home.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <random>

namespace {

const QStringList kKillNames{QStringLiteral("Freq"),      QStringLiteral("Distance"), QStringLiteral("LevelBusy"),
                         QStringLiteral("LevelFree"), QStringLiteral("Reserve"),  QStringLiteral("Usil"),
                         QStringLiteral("TmpOfSensor"), QStringLiteral("CurrentOutput")};

// Value number n goes to archive name n mod 8, stamped 30 s after number
// n - 1 from 22:00, so the run crosses midnight after 240 values, however
// slowly a loaded machine lets the child write.
QDateTime stampOf(qint64 n)
{
    return QDateTime(QDate(2026, 12, 8), QTime(22, 0)).addMSecs(n * 29999);
}

[[noreturn]] void archiveUntilKilled(const QString &dbPath, qint64 first, int reportFd)
{
    TValueArchive archive(dbPath);
    for (qint64 n = first;; ++n) {
        const QString &name = kKillNames[int(n % kKillNames.size())];
        if (archive.ArchiveValue(name, stampOf(n), double(n)) && archive.ArchiveText(name, 9, 0, stampOf(n), double(n))) {
            if (write(reportFd, &n, sizeof n) != sizeof n)
                _exit(3);
        }
    }
}

// Collects the numbers the child reports until `ms` have passed, then kills
// it and takes what was still in the pipe.
QVector<qint64> runAndKill(const QString &dbPath, qint64 first, int ms)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        archiveUntilKilled(dbPath, first, fds[1]);
    }
    close(fds[1]);
    QVector<qint64> reported;
    QByteArray pending;
    auto drain = [&](int timeoutMs) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            return false;
        pending.append(buffer, got);
        return true;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline)
        drain(5);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    while (drain(0)) {
    }
    close(fds[0]);
    for (qsizetype i = 0; i + qsizetype(sizeof(qint64)) <= pending.size(); i += sizeof(qint64)) {
        qint64 n;
        memcpy(&n, pending.constData() + i, sizeof n);
        reported << n;
    }
    return reported;
}

} // namespace

TEST(ArchiveKill, KilledAtRandomMomentsKeepsEveryTableAndEveryReportedValue)
{
    TempHome home;
    const QString dbPath = home.file(QStringLiteral("DATA"));
    std::mt19937 random(8122026);
    std::uniform_int_distribution<int> runMs(30, 250);
    QSet<qint64> reported;
    QSet<qint64> inFlight; // the one value each child may have been writing
    qint64 next = 0;
    for (int round = 0; round < 20; ++round) {
        const QVector<qint64> got = runAndKill(dbPath, next, runMs(random));
        for (qint64 n : got)
            reported.insert(n);
        const qint64 last = got.isEmpty() ? next - 1 : got.last();
        inFlight.insert(last + 1);
        next = last + 2;

        QSet<qint64> inTables, inTexts;
        int tables = 0;
        qsizetype rows = 0;
        QDirIterator files(dbPath, {QStringLiteral("*.db"), QStringLiteral("*.txt")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString name = QFileInfo(path).completeBaseName();
            if (path.endsWith(QStringLiteral(".db"))) {
                ++tables;
                ArchiveDb db(path);
                ASSERT_EQ(db.integrity().toStdString(), "ok") << path.toStdString() << " after round " << round;
                for (const StoredRow &row : db.rows(name)) {
                    const qint64 n = qint64(row.v);
                    EXPECT_EQ(kKillNames[int(n % kKillNames.size())], name);
                    EXPECT_EQ(row.dt, ArchiveStamp(stampOf(n)));
                    inTables.insert(n);
                    ++rows;
                }
            } else {
                QFile text(path);
                ASSERT_TRUE(text.open(QIODevice::ReadOnly));
                for (const QByteArray &line : text.readAll().split('\n')) {
                    bool ok = false;
                    const qint64 n = line.trimmed().split(' ').last().toLongLong(&ok);
                    if (ok)
                        inTexts.insert(n);
                }
            }
        }
        // A child killed before its first table was made has reported nothing.
        EXPECT_TRUE(tables > 0 || reported.isEmpty());
        for (qint64 n : reported) {
            ASSERT_TRUE(inTables.contains(n)) << "value " << n << " lost after round " << round;
            ASSERT_TRUE(inTexts.contains(n)) << "line " << n << " lost after round " << round;
        }
        // Nothing the child never wrote, nothing written twice.
        EXPECT_EQ(rows, inTables.size());
        for (qint64 n : inTables)
            EXPECT_TRUE(reported.contains(n) || inFlight.contains(n)) << n;
    }
    // The runs crossed midnight: values of several days.
    EXPECT_TRUE(QFileInfo::exists(DayFolder(dbPath, QDate(2026, 12, 9))));
    std::printf("[ kill    ] %lld values reported written over 20 kills\n", qint64(reported.size()));
}

// tolm-cli when things go wrong: a disk that fills, a gauge that answers
// only part of its frames, values no gauge can hold. Nothing already stored
// is damaged, and the exit status says what was done.

#include "cli/cli_options.h"
#include "cli_fixture.h"
#include "support/archive_health.h"
#include "support/small_disk.h"

#include <QFile>
#include <QRegularExpression>

namespace {

class CliFaultsTest : public CliVerbsTest
{
protected:
    // The gauge answers only part of its frames, the same way every run
    // with the same seed.
    void faultyGauge(double rate, quint64 seed = 7)
    {
        env.simFaults.seed = seed;
        env.simFaults.rate = rate;
        env.simFaults.kinds = {TSimFault::BadCrc, TSimFault::NoAnswer};
    }
    // The first of a few seeds whose run of `args` says `text` on standard
    // error: which frames go wrong decides whether the gauge answers at all.
    CliRun runUntil(const QStringList &args, const QString &text)
    {
        CliRun r;
        for (quint64 seed = 1; seed <= 30; ++seed) {
            faultyGauge(0.5, seed);
            r = run(args);
            if (r.err.join('|').contains(text))
                break;
        }
        return r;
    }
    void soundGauge() { env.simFaults.rate = 0; }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(CliFaultsTest, BackupOnAFullDiskFailsAndKeepsTheOldFile)
{
    SmallDisk disk(512);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    const QString file = disk.file("gauge.ini");
    ASSERT_EQ(run({"--sim", "backup", file}).status, ExitOk);
    const QByteArray good = bytesOf(file);
    ASSERT_GT(good.size(), 1000);

    disk.Fill();
    const CliRun full = run({"--sim", "backup", file});
    EXPECT_EQ(full.status, ExitFailed);
    EXPECT_TRUE(full.out.isEmpty()) << full.out.join('|').toStdString();
    ASSERT_EQ(full.err.size(), 1);
    EXPECT_TRUE(full.err[0].contains(QDir::toNativeSeparators(file))) << full.err[0].toStdString();
    EXPECT_EQ(bytesOf(file), good);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files), QStringList{"gauge.ini"});
}

TEST_F(CliFaultsTest, PollingOnADiskThatFillsKeepsTheArchiveWholeAndResumes)
{
    SmallDisk disk(2048);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    // The program folder on the small disk: the archive below it fills it.
    ASSERT_TRUE(QDir().mkpath(disk.file("INI")));
    QFile::copy(home.file("INI/ComPort.ini"), disk.file("INI/ComPort.ini"));
    env.executableFolder = disk.path();
    const QString dbPath = disk.file("DATA");
    ASSERT_EQ(run({"--sim", "poll", "--period", "10", "--count", "5"}).status, ExitOk);

    disk.Fill(64 * 1024);
    const CliRun full = run({"--sim", "poll", "--period", "10", "--count", "150"});
    EXPECT_EQ(full.status, ExitFailed);
    const QStringList stops = full.err.filter(QStringLiteral("Архив не записывается: "));
    EXPECT_EQ(stops.size(), 1) << full.err.join('|').toStdString();
    const QStringList named = full.err.filter(QStringLiteral("Не записаны в архив: "));
    ASSERT_EQ(named.size(), 1) << full.err.join('|').toStdString();
    EXPECT_TRUE(named[0].contains(QStringLiteral(".db")) || named[0].contains(QStringLiteral(".txt")));

    // Space comes back (a reader needs some too): what the full run left is
    // whole, and the next run archives every reading it prints.
    disk.Free();
    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
    const CliRun again = run({"--sim", "poll", "--period", "10", "--count", "3"});
    EXPECT_EQ(again.status, ExitOk) << again.err.join('|').toStdString();
    EXPECT_EQ(ArchiveProblems(dbPath).join('|').toStdString(), "");
}

TEST_F(CliFaultsTest, APartialReadIsNoBackupAndUnreadIsNoDifference)
{
    const QString file = home.file("gauge.ini");
    ASSERT_EQ(run({"--sim", "backup", file}).status, ExitOk);
    const QByteArray good = bytesOf(file);

    const CliRun backup = runUntil({"--sim", "backup", file}, QStringLiteral("Не считано параметров: "));
    EXPECT_EQ(backup.status, ExitFailed);
    EXPECT_TRUE(backup.err.join('|').contains(QStringLiteral("Не считано параметров: "))) << backup.err.join('|').toStdString();
    EXPECT_EQ(bytesOf(file), good) << "a good backup is never replaced by a partial one";

    const CliRun diff = runUntil({"--sim", "diff", file}, QStringLiteral("Не считаны из прибора: "));
    EXPECT_EQ(diff.status, ExitUsage) << diff.err.join('|').toStdString();
    const QStringList unread = diff.err.filter(QStringLiteral("Не считаны из прибора: "));
    ASSERT_EQ(unread.size(), 1) << diff.err.join('|').toStdString();
    // The gauge holds what the file holds: nothing unread is listed as differing.
    EXPECT_TRUE(diff.out.isEmpty()) << diff.out.join('|').toStdString();
}

TEST_F(CliFaultsTest, ARestoreWithAFailedWriteStoresNothingAndListsOnlyConfirmedWrites)
{
    const QString file = home.file("gauge.ini");
    ASSERT_EQ(run({"--sim", "backup", file}).status, ExitOk);
    const QStringList changes{"--sim", "write", "KKalman", "0.25", "MUP", "41", "KrPer", "2.5", "SmPer", "3", "ODPM", "7"};
    ASSERT_EQ(run(changes).status, ExitOk);
    const CliRun before = run({"--sim", "diff", file});
    ASSERT_EQ(before.out.size(), 5) << before.out.join('|').toStdString();

    // The first seed whose restore fails a write (not the signature read
    // before it); a restore that went through is undone before the next.
    CliRun restore;
    for (quint64 seed = 1; seed <= 30; ++seed) {
        soundGauge();
        ASSERT_EQ(run(changes).status, ExitOk);
        faultyGauge(0.5, seed);
        restore = run({"--sim", "restore", file});
        if (restore.err.join('|').contains(QStringLiteral("В ПЗУ ничего не записано")))
            break;
    }
    EXPECT_EQ(restore.status, ExitFailed);
    const QString err = restore.err.join('|');
    EXPECT_TRUE(err.contains(QStringLiteral("В ПЗУ ничего не записано"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("Повторите восстановление"))) << err.toStdString();
    // A row is printed once the gauge confirmed it, with the file's value
    // (the gauge's old one may have been unread this time).
    for (const QString &line : restore.out) {
        const QString name = line.section(' ', 0, 0);
        const QStringList same = before.out.filter(QRegularExpression("^" + name + " "));
        EXPECT_TRUE(same.isEmpty() || same.first().section(' ', 0, 1) == line.section(' ', 0, 1)) << line.toStdString();
    }

    // The gauge restarts with every run: nothing was stored, so it differs
    // as it did.
    soundGauge();
    EXPECT_EQ(run({"--sim", "diff", file}).out, before.out);
}

TEST_F(CliFaultsTest, ValuesNoGaugeHoldsAreRefusedBeforeAnythingIsSent)
{
    for (const char *value : {"inf", "-inf", "Infinity", "nan", "1e999"}) {
        const CliRun write = run({"--sim", "write", "Hmax", value});
        EXPECT_EQ(write.status, ExitUsage) << value;
        EXPECT_TRUE(write.out.isEmpty()) << value;
    }
    EXPECT_TRUE(exchangeLog().isEmpty());
    // A value the program keeps to itself says so.
    const CliRun plant = run({"--sim", "write", "PlantNumber", "5"});
    EXPECT_EQ(plant.status, ExitOk);
    EXPECT_EQ(plant.out, QStringList{"PlantNumber := 5 (только в программе, в прибор не отправлено)"});
}

TEST_F(CliFaultsTest, PassesWithoutAReadingAreCountedAndFail)
{
    faultyGauge(0.6);
    const CliRun poll = run({"--sim", "poll", "--period", "10", "--count", "20"});
    EXPECT_EQ(poll.status, ExitFailed);
    const QStringList missed = poll.err.filter(QStringLiteral("Не принято показаний: "));
    ASSERT_EQ(missed.size(), 1) << poll.err.join('|').toStdString();
    // One reading of LevelAllRead per pass; each printed one was accepted.
    EXPECT_EQ(missed[0], QStringLiteral("Не принято показаний: %1 из 20 за 20 проходов опроса").arg(20 - poll.out.size()));
}

TEST_F(CliFaultsTest, MistakesOfTheOperatorAreUsageErrorsThatSayWhat)
{
    ASSERT_EQ(run({"--sim", "poll", "--period", "10", "--count", "2"}).status, ExitOk);
    const CliRun unknown = run({"archive", "Nonexistent"});
    EXPECT_EQ(unknown.status, ExitUsage);
    EXPECT_TRUE(unknown.err.value(0).startsWith(QStringLiteral("Неизвестное имя архива: Nonexistent"))) << unknown.err.value(0).toStdString();
    const CliRun reversed = run({"archive", "Freq", "--from", "10:00:00", "--to", "09:00:00"});
    EXPECT_EQ(reversed.status, ExitUsage);
    EXPECT_EQ(reversed.err, QStringList{"Неверный диапазон"});
    for (const char *filter : {"V >", "V > 0; DELETE FROM Freq", "nosuchcolumn = 1"}) {
        const CliRun wrong = run({"archive", "Freq", "--filter", filter});
        EXPECT_EQ(wrong.status, ExitUsage) << filter;
        EXPECT_TRUE(wrong.err.value(0).startsWith(QStringLiteral("Неверное условие отбора --filter: "))) << wrong.err.value(0).toStdString();
    }
    EXPECT_EQ(run({"archive", "Freq", "--filter", "V >= 0"}).status, ExitOk);

    // Parameter-set files that are no text, or whose lines end in CR alone.
    home.writeRaw("binary.ini", QByteArray("\x7f" "ELF\0\0\1\2[Tolm471Backup]", 21));
    const CliRun binary = run({"--sim", "diff", home.file("binary.ini")});
    EXPECT_EQ(binary.status, ExitUsage);
    EXPECT_TRUE(binary.err.value(0).endsWith(QStringLiteral("это не текстовый файл"))) << binary.err.value(0).toStdString();
    home.writeRaw("mac.ini", "[Tolm471Backup]\rHmax=1\r");
    const CliRun mac = run({"--sim", "diff", home.file("mac.ini")});
    EXPECT_EQ(mac.status, ExitUsage);
    EXPECT_TRUE(mac.err.value(0).contains(QStringLiteral("только символом CR"))) << mac.err.value(0).toStdString();

    // A port given as a relative path is that file of the caller's folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home.path());
    home.writeRaw("ttyG", "");
    const CliRun port = run({"--port", "ttyG", "read", "Hmax"});
    const CliRun sub = run({"--port", "sub/ttyH", "read", "Hmax"});
    QDir::setCurrent(previous);
    EXPECT_EQ(port.status, ExitFailed);
    EXPECT_TRUE(port.err.value(0).contains(home.file("ttyG"))) << port.err.value(0).toStdString();
    EXPECT_TRUE(sub.err.value(0).contains(home.file("sub/ttyH"))) << sub.err.value(0).toStdString();
}

// The built tolm-cli as a script sees it: exit status and UTF-8 text, and
// the archive after the program was killed while polling.

#include "archive/day_folder.h"
#include "archive/day_query.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

#ifdef TOLM_CLI_BINARY

namespace {

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

Finished runProgram(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TOLM_CLI_BINARY), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString integrity(const QString &path)
{
    sqlite3 *db = nullptr;
    QString result = QStringLiteral("cannot open");
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

} // namespace

TEST(CliProgramTest, ExitStatusAndOneLineOfRussianOnStandardError)
{
    const Finished help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Действия:")));
    EXPECT_TRUE(help.err.isEmpty());

    // The version a customer reads out on the phone: the project's, with
    // the commit of the checkout or at least the day of the build.
    const Finished version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tolm-cli 0\\.2\\.0 \\(([0-9a-f]{10}, )?\\d{4}-\\d\\d-\\d\\d\\)\n"
                                                  "Папка программы: /.+\n$"))
                    .match(version.out)
                    .hasMatch())
        << version.out.toStdString();

    const Finished wrong = runProgram({"--bogus"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.out.isEmpty());
    EXPECT_EQ(wrong.err, QStringLiteral("Неизвестный ключ: --bogus; см. tolm-cli --help\n"));

    TempHome home;
    const Finished silent = runProgram({"--home", home.path(), "--sim", "--address", "3", "read", "MUP"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.err,
              QStringLiteral("Не выполнена команда: Считать минимальный уровень учитываемой помехи из прибора\n"));
}

// Twenty times: the tool polls with line timing and archives each reading
// as it comes; it is killed without warning at a random moment, and started
// again on the same archive. Every table must then open and pass SQLite's
// integrity check, and every reading the tool printed as accepted (it
// prints after the row is written) must be in its table, in order.
TEST(CliProgramTest, KillsWhileArchivingLoseNoPrintedReading)
{
    EnsureCoreApplication();
    TempHome home;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> extraMs(0, 400);
    QMap<QString, QList<double>> printed;
    QSet<QDate> days;
    QElapsedTimer total;
    total.start();

    for (int kill = 0; kill < 20; ++kill) {
        QProcess p;
        p.setWorkingDirectory(home.path());
        p.start(QStringLiteral(TOLM_CLI_BINARY),
                {"--home", home.path(), "--sim", "--json", "poll", "--period", "20", "--codes", "6"});
        ASSERT_TRUE(p.waitForStarted(10000));
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (!out.contains('\n') && waited.elapsed() < 15000) {
            p.waitForReadyRead(100);
            out += p.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains('\n')) << "no reading within 15 s: " << p.readAllStandardError().toStdString();
        QThread::msleep(ulong(extraMs(random)));
        p.kill(); // SIGKILL
        ASSERT_TRUE(p.waitForFinished(10000));
        out += p.readAllStandardOutput();

        // Only whole lines: the kill may cut the last one.
        const QList<QByteArray> lines = out.left(out.lastIndexOf('\n')).split('\n');
        for (const QByteArray &line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            ASSERT_FALSE(o.isEmpty()) << line.toStdString();
            days.insert(QDateTime::fromString(o["time"].toString(), Qt::ISODateWithMs).date());
            const QJsonObject values = o["values"].toObject();
            for (auto it = values.begin(); it != values.end(); ++it)
                printed[it.key()].append(it.value().toDouble());
        }
    }

    int tables = 0;
    QDirIterator it(home.file("DATA"), {"*.db"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        EXPECT_EQ(integrity(path), "ok") << path.toStdString();
        ++tables;
    }
    EXPECT_GE(tables, 6);

    ASSERT_EQ(printed.size(), 6);
    for (auto p = printed.begin(); p != printed.end(); ++p) {
        QList<double> stored;
        QList<QDate> sorted = days.values();
        std::sort(sorted.begin(), sorted.end());
        for (const QDate &day : sorted) {
            TDayQuery q;
            q.name = p.key();
            q.day = day;
            QVector<TArchiveRow> rows;
            QString error;
            ASSERT_TRUE(LoadDay(home.file("DATA"), q, rows, error)) << error.toStdString();
            for (const TArchiveRow &row : rows)
                stored.append(row.V);
        }
        // A row written just before a kill may not have been printed; a
        // printed one must be stored.
        int next = 0;
        for (double v : stored)
            if (next < p.value().size() && v == p.value().at(next))
                ++next;
        EXPECT_EQ(next, p.value().size()) << p.key().toStdString() << ": " << stored.size() << " rows, "
                                          << p.value().size() << " printed";
        EXPECT_LE(stored.size(), p.value().size() + 20) << p.key().toStdString();
    }
    RecordProperty("seconds", int(total.elapsed() / 1000));
}

#endif

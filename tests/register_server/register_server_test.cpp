// The register against a real PostgreSQL server that each test starts for
// itself: the server's tables made by the administrator's register.sql,
// benches logging in with a role that may only insert and select, the
// password in a password file of libpq. Two benches meet on one server; the
// server goes down in the middle of their records and comes back; a bench
// is killed between committing a record and sending it; a refused login, a
// server without TLS when the bench demands it and a server of a newer
// program leave the records waiting on the bench.

#include "app/text_file.h"
#include "pg_cluster.h"
#include "register/register_place.h"
#include "register/register_reading.h"
#include "register/register_store.h"
#include "register/register_sync.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString BenchPassword = QStringLiteral("bench-secret");

class RegisterServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_TRUE(pg.Error().isEmpty()) << pg.Error().toStdString();
        QFile script(QStringLiteral(TOLM_REGISTER_SQL));
        ASSERT_TRUE(script.open(QIODevice::ReadOnly));
        ASSERT_TRUE(pg.Exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE tolm")))
            << pg.Error().toStdString();
        ASSERT_TRUE(pg.Exec(QStringLiteral("tolm"), QString::fromUtf8(script.readAll()))) << pg.Error().toStdString();
        // The rights the script's comment names, and no more.
        ASSERT_TRUE(pg.Exec(QStringLiteral("tolm"),
                            QStringLiteral("CREATE ROLE bench LOGIN PASSWORD '%1';"
                                           "GRANT SELECT ON register_schema TO bench;"
                                           "GRANT SELECT, INSERT ON register_record TO bench;"
                                           "GRANT USAGE ON SEQUENCE register_record_id_seq TO bench")
                                .arg(BenchPassword)))
            << pg.Error().toStdString();
        // The password where libpq looks for it; never in the program's files.
        QFile passfile(passwords.filePath(QStringLiteral("pgpass")));
        ASSERT_TRUE(passfile.open(QIODevice::WriteOnly));
        passfile.write(QStringLiteral("127.0.0.1:%1:tolm:bench:%2\n").arg(pg.Port()).arg(BenchPassword).toUtf8());
        passfile.close();
        passfile.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        qputenv("PGPASSFILE", passfile.fileName().toLocal8Bit());
        qunsetenv("PGPASSWORD");
    }
    void TearDown() override { qunsetenv("PGPASSFILE"); }

    // The bench's INI/Register.ini: its name and the server.
    void setBench(const TempHome &home, const QString &name, int port, const QString &sslMode = QStringLiteral("prefer"))
    {
        home.writeRaw("INI/Register.ini",
                      ToCp1251(QStringLiteral("[Bench]\r\nName=%1\r\n[Server]\r\nHost=127.0.0.1\r\nPort=%2\r\n"
                                              "Database=tolm\r\nUser=bench\r\nSslMode=%3\r\n")
                                   .arg(name)
                                   .arg(port)
                                   .arg(sslMode)));
    }
    static TRegisterPlace place(const TempHome &home) { return RegisterPlace(home.path(), home.file("DATA")); }
    static void add(const TempHome &home, int plant, int count)
    {
        for (int n = 0; n < count; ++n) {
            TRegisterRecord r;
            r.Plant = plant;
            r.Kind = TRecordKind::Configuration;
            r.Summary = QString::number(n);
            r.Document = QByteArray("[Tolm471]\r\nHmax=15000\r\n");
            QString error;
            ASSERT_TRUE(AddToRegister(place(home), r, error)) << error.toStdString();
        }
    }
    int onServer(const QString &where = QString())
    {
        return pg.Value(QStringLiteral("tolm"), QStringLiteral("SELECT COUNT(*) FROM register_record ") + where).toInt();
    }

    TPgCluster pg;
    QTemporaryDir passwords;
};

} // namespace

TEST_F(RegisterServer, TwoBenchesMeetOnOneServerAndEachSeesEveryRecord)
{
    TempHome a, b;
    setBench(a, QStringLiteral("Стенд А"), pg.Port());
    setBench(b, QStringLiteral("Стенд Б"), pg.Port());
    add(a, 101, 3);
    add(b, 202, 2);
    EXPECT_EQ(SendOutbox(place(a)).Sent, 3);
    const TSyncResult fromB = SendOutbox(place(b));
    EXPECT_EQ(fromB.Sent, 2) << fromB.Error.toStdString();
    EXPECT_EQ(fromB.Waiting, 0);
    EXPECT_EQ(onServer(), 5) << pg.Error().toStdString();

    TRegisterStore store;
    QString note, error;
    ASSERT_TRUE(OpenRegisterForReading(place(a), store, note, error)) << error.toStdString();
    EXPECT_TRUE(note.isEmpty()) << note.toStdString();
    EXPECT_EQ(store.Dialect(), TRegisterDialect::Server);
    TRegisterFilter plantOfB;
    plantOfB.Plant = 202;
    const QList<TRegisterRecord> seen = store.Find(plantOfB, error);
    ASSERT_EQ(seen.size(), 2) << error.toStdString();
    EXPECT_EQ(seen[0].Bench, QStringLiteral("Стенд Б"));
    EXPECT_EQ(store.Load(seen[0].Id, error)->Document, QByteArray("[Tolm471]\r\nHmax=15000\r\n"));

#ifdef TOLM_CLI_BINARY
    // A third record made after the others is listed first by tolm-cli of
    // bench A, which sends it on the way.
    add(b, 303, 1);
    SendOutbox(place(b));
    QProcess cli;
    cli.start(QStringLiteral(TOLM_CLI_BINARY), {"--home", a.path(), "register", "list", "--json"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QJsonArray list = QJsonDocument::fromJson(cli.readAllStandardOutput()).array();
    ASSERT_EQ(list.size(), 6);
    const QJsonObject newest = list[0].toObject();
    EXPECT_EQ(newest.value("plant").toInt(), 303);
    EXPECT_EQ(newest.value("kind").toString(), QStringLiteral("configuration"));
    EXPECT_EQ(newest.value("bench").toString(), QStringLiteral("Стенд Б"));
    EXPECT_TRUE(newest.value("id").toInteger() > 0);
    EXPECT_TRUE(QDateTime::fromString(newest.value("time").toString(), Qt::ISODateWithMs).isValid());
    EXPECT_TRUE(newest.value("time").toString().contains(QRegularExpression("[+-]\\d\\d:\\d\\d$")))
        << newest.value("time").toString().toStdString();
#endif
}

// The outage here is 2 s, not 30: what counts is that the server is gone
// while both benches go on recording and trying, and comes back.
TEST_F(RegisterServer, ServerDownInTheMiddleOfTwoHundredRecordsAllArriveOnceInOrderPerBench)
{
    TempHome a, b;
    setBench(a, QStringLiteral("A"), pg.Port());
    setBench(b, QStringLiteral("B"), pg.Port());
    add(a, 1, 50);
    add(b, 2, 50);
    EXPECT_EQ(SendOutbox(place(a)).Sent, 50);
    EXPECT_EQ(SendOutbox(place(b)).Sent, 50);

    ASSERT_TRUE(pg.Stop()) << pg.Error().toStdString();
    add(a, 1, 50);
    add(b, 2, 50);
    const TSyncResult down = SendOutbox(place(a), 2);
    EXPECT_EQ(down.Sent, 0);
    EXPECT_EQ(down.Waiting, 50);
    EXPECT_FALSE(down.Error.isEmpty());
    EXPECT_EQ(SendOutbox(place(b), 2).Waiting, 50);
    QThread::msleep(2000);
    ASSERT_TRUE(pg.Start()) << pg.Error().toStdString();

    EXPECT_EQ(SendOutbox(place(b)).Sent, 50);
    EXPECT_EQ(SendOutbox(place(a)).Sent, 50);
    EXPECT_EQ(SendOutbox(place(a)).Sent, 0) << "nothing twice";
    EXPECT_EQ(onServer(), 200);
    EXPECT_EQ(pg.Value("tolm", "SELECT COUNT(DISTINCT record_key) FROM register_record").toInt(), 200);
    // In the server's order of arrival each bench's numbers only rise.
    for (const char *bench : {"A", "B"}) {
        const QString rising = pg.Value(
            "tolm", QStringLiteral("SELECT COUNT(*) FROM (SELECT bench_seq, LAG(bench_seq) OVER (ORDER BY id) AS prev "
                                   "FROM register_record WHERE bench = '%1') s WHERE prev IS NULL OR bench_seq > prev")
                        .arg(QString::fromLatin1(bench)));
        EXPECT_EQ(rising.toInt(), 100) << bench;
    }
}

#ifdef TOLM_CLI_BINARY
namespace {

// A port that takes connections and never answers: libpq waits there for
// its time-out, which is when the bench is killed.
class BlackHole
{
public:
    BlackHole()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address);
        listen(m_socket, 8);
        getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~BlackHole() { close(m_socket); }
    int Port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

// Records committed in the bench's file, read as another process reads it.
int committed(const QString &file)
{
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
        QSqlQuery query(db);
        if (QFile::exists(file) && db.open() && query.exec(QStringLiteral("SELECT COUNT(*) FROM register_outbox")) &&
            query.next())
            count = query.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return count;
}

} // namespace

TEST_F(RegisterServer, ABenchKilledBetweenCommitAndSendSendsThatRecordOnceAfterRestart)
{
    TempHome a;
    BlackHole hole;
    setBench(a, QStringLiteral("A"), hole.Port());
    QProcess cli;
    cli.start(QStringLiteral(TOLM_CLI_BINARY), {"--sim", "--home", a.path(), "backup", a.file("gauge.ini")});
    ASSERT_TRUE(cli.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (committed(a.file("DATA/Register.db")) < 1 && waited.elapsed() < 60000)
        QThread::msleep(20);
    ASSERT_EQ(committed(a.file("DATA/Register.db")), 1);
    // The record is committed and the send has begun: the server does not
    // answer. Killed now.
    EXPECT_EQ(cli.state(), QProcess::Running);
    cli.kill();
    cli.waitForFinished();
    EXPECT_EQ(onServer(), 0);

    setBench(a, QStringLiteral("A"), pg.Port());
    QProcess sync;
    sync.start(QStringLiteral(TOLM_CLI_BINARY), {"--home", a.path(), "register", "sync"});
    ASSERT_TRUE(sync.waitForFinished(30000));
    EXPECT_EQ(sync.exitCode(), 0) << sync.readAllStandardError().toStdString();
    EXPECT_EQ(onServer("WHERE kind = 'configuration' AND bench = 'A'"), 1);

    // Killed after the server took it but before the outbox knew: sent
    // again, kept once.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("undo"));
        db.setDatabaseName(a.file("DATA/Register.db"));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("INSERT INTO register_outbox (record_id) VALUES (1)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("undo"));
    const TSyncResult again = SendOutbox(place(a));
    EXPECT_EQ(again.Waiting, 0) << again.Error.toStdString();
    EXPECT_EQ(onServer(), 1);
}
#endif

TEST_F(RegisterServer, RefusedLoginPlainServerUnderSslRequireAndNewerSchemaLeaveRecordsWaiting)
{
    TempHome a;
    setBench(a, QStringLiteral("A"), pg.Port());
    add(a, 7, 2);

    qputenv("PGPASSWORD", "wrong");
    TSyncResult refused = SendOutbox(place(a));
    qunsetenv("PGPASSWORD");
    EXPECT_EQ(refused.Waiting, 2);
    EXPECT_TRUE(refused.Error.contains(QStringLiteral("недоступен"))) << refused.Error.toStdString();
    EXPECT_TRUE(refused.Error.contains(QStringLiteral("password"))) << refused.Error.toStdString();

    setBench(a, QStringLiteral("A"), pg.Port(), QStringLiteral("require"));
    const TSyncResult plain = SendOutbox(place(a));
    EXPECT_EQ(plain.Waiting, 2);
    EXPECT_TRUE(plain.Error.contains(QStringLiteral("SSL"))) << plain.Error.toStdString();
    EXPECT_EQ(onServer(), 0);

    setBench(a, QStringLiteral("A"), pg.Port());
    ASSERT_TRUE(pg.Exec("tolm", "UPDATE register_schema SET version = 99"));
    const TSyncResult newer = SendOutbox(place(a));
    EXPECT_EQ(newer.Waiting, 2);
    EXPECT_TRUE(newer.Error.contains(QStringLiteral("более новой версией"))) << newer.Error.toStdString();

    ASSERT_TRUE(pg.Exec("tolm", "UPDATE register_schema SET version = 1"));
    EXPECT_EQ(SendOutbox(place(a)).Sent, 2);
    // No file the program wrote holds the password.
    for (QDirIterator files(a.path(), QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(file.readAll().contains(BenchPassword.toUtf8())) << file.fileName().toStdString();
    }
}

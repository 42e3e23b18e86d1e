// The bench's own register file: records come back as they were committed,
// newest first, found by plant number, kind and days; the outbox holds them
// in the order they were made; a file that is no register of this program
// (damaged, foreign, of a newer program) is refused with a message and left
// byte for byte as it was; the settings of INI/Register.ini; the script the
// database administrator gets is the program's own schema.

#include "app/text_file.h"
#include "register/register_place.h"
#include "register/register_schema.h"
#include "register/register_store.h"
#include "support/core_application.h"
#include "support/manual_clock.h"
#include "support/temp_home.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

TRegisterRecord record(int plant, TRecordKind kind, const QDateTime &time, const QByteArray &document = {})
{
    TRegisterRecord r;
    r.Plant = plant;
    r.Kind = kind;
    r.Time = time;
    r.Model = QStringLiteral("ТОЛМ471И");
    r.HardVersion = 3;
    r.SoftVersion = 2;
    r.ProgramType = 11;
    r.Summary = QStringLiteral("итог ") + QString::number(plant);
    r.Details = {{QStringLiteral("ppm"), QStringLiteral("ППМ-1")}};
    r.DocumentName = QStringLiteral("doc.pdf");
    r.Document = document;
    return r;
}

class LocalRegister : public ::testing::Test
{
protected:
    LocalRegister() { EnsureCoreApplication(); }
    TRegisterPlace place() const { return RegisterPlace(home.path(), home.file("DATA")); }
    bool add(TRegisterRecord r)
    {
        QString error;
        const bool added = AddToRegister(place(), r, error);
        EXPECT_TRUE(added) << error.toStdString();
        return added;
    }
    TempHome home;
};

} // namespace

TEST_F(LocalRegister, RecordsComeBackAsCommittedNewestFirstAndWaitInTheOutboxInOrder)
{
    home.writeRaw("INI/Register.ini", ToCp1251(QStringLiteral("[Bench]\r\nName=Стенд 3\r\n")));
    const QDateTime moscow(QDate(2026, 12, 9), QTime(10, 15), QTimeZone(3 * 3600));
    QByteArray pdf("%PDF-1.4\0binary\xff", 16);
    add(record(123, TRecordKind::TestRun, moscow, pdf));
    add(record(456, TRecordKind::Calibration, moscow.addSecs(60)));
    add(record(123, TRecordKind::Configuration, moscow.addDays(2)));

    TRegisterStore store;
    QString error;
    ASSERT_TRUE(store.OpenLocal(home.file("DATA/Register.db"), error)) << error.toStdString();
    TRegisterFilter byPlant;
    byPlant.Plant = 123;
    const QList<TRegisterRecord> found = store.Find(byPlant, error);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].Kind, TRecordKind::Configuration) << "newest first";
    EXPECT_EQ(found[1].Kind, TRecordKind::TestRun);
    EXPECT_EQ(RecordTimeText(found[1].Time), QStringLiteral("2026-12-09T10:15:00.000+03:00"));
    EXPECT_EQ(found[1].Bench, QStringLiteral("Стенд 3"));
    EXPECT_FALSE(found[1].User.isEmpty());
    EXPECT_FALSE(found[1].ProgramVersion.isEmpty());
    EXPECT_TRUE(found[1].Document.isEmpty()) << "a list carries no documents";

    const std::optional<TRegisterRecord> loaded = store.Load(found[1].Id, error);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Document, pdf);
    EXPECT_EQ(loaded->Details.value("ppm").toString(), QStringLiteral("ППМ-1"));
    EXPECT_EQ(loaded->Summary, QStringLiteral("итог 123"));
    EXPECT_EQ(loaded->HardVersion, 3);
    EXPECT_EQ(loaded->Key.size(), 36);

    TRegisterFilter kindAndDays;
    kindAndDays.Kind = TRecordKind::Calibration;
    EXPECT_EQ(store.Find(kindAndDays, error).size(), 1);
    // Days are the searcher's local days; the third record is two days later.
    TRegisterFilter days;
    days.From = moscow.toLocalTime().date();
    days.To = days.From;
    EXPECT_EQ(store.Find(days, error).size(), 2);

    EXPECT_EQ(store.Outbox(error), (QList<qint64>{1, 2, 3}));
    ASSERT_TRUE(store.MarkSent(1, error));
    EXPECT_EQ(store.Outbox(error), (QList<qint64>{2, 3}));
}

TEST_F(LocalRegister, AFileThatIsNoRegisterOfThisProgramIsRefusedAndLeftAsItWas)
{
    const QString file = home.file("DATA/Register.db");
    QDir().mkpath(home.file("DATA"));
    auto refused = [&](const char *expected) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        const QByteArray before = f.readAll();
        f.close();
        TRegisterRecord r = record(1, TRecordKind::Bundle, QDateTime::currentDateTime());
        QString error;
        EXPECT_FALSE(AddToRegister(place(), r, error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(expected))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("оставлен как есть"))) << error.toStdString();
        f.open(QIODevice::ReadOnly);
        EXPECT_EQ(f.readAll(), before) << expected;
    };

    home.writeRaw("DATA/Register.db", QByteArray("not a database at all, but somebody's notes\n").repeated(200));
    refused("не читается");

    QFile::remove(file);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("CREATE TABLE invoices (n INTEGER)"));
        QSqlQuery(db).exec(QStringLiteral("INSERT INTO invoices VALUES (7)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    refused("это не журнал приборов");

    // A register of a newer program: its records stay for that program.
    QFile::remove(file);
    ASSERT_TRUE(add(record(5, TRecordKind::Bundle, QDateTime::currentDateTime())));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("UPDATE register_schema SET version = 7"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    refused("более новой версией программы");
}

TEST_F(LocalRegister, BenchAndServerComeFromRegisterIniAndTheBenchDefaultsToTheHostName)
{
    EXPECT_EQ(LoadRegisterSettings(home.path()).Bench, QSysInfo::machineHostName());
    EXPECT_FALSE(LoadRegisterSettings(home.path()).Server.Configured());
    home.writeRaw("INI/Register.ini",
                  ToCp1251(QStringLiteral("[Bench]\r\nName= Стенд №2 \r\n[Server]\r\nHost=db.factory\r\nPort=6543\r\n"
                                          "Database=tolm\r\nUser=bench2\r\nSslMode=Require\r\n")));
    const TRegisterSettings settings = LoadRegisterSettings(home.path());
    EXPECT_EQ(settings.Bench, QStringLiteral("Стенд №2"));
    EXPECT_TRUE(settings.Server.Configured());
    EXPECT_EQ(settings.Server.Describe(), QStringLiteral("bench2@db.factory:6543/tolm"));
    EXPECT_EQ(settings.Server.SslMode, QStringLiteral("require"));
    home.writeRaw("INI/Register.ini", "[Server]\r\nHost=\r\n");
    EXPECT_FALSE(LoadRegisterSettings(home.path()).Server.Configured()) << "an empty Host is no server";
}

TEST(RegisterScript, TheInstalledScriptIsTheSchemaTheProgramMakesOnTheServer)
{
    QFile file(QStringLiteral(TOLM_REGISTER_SQL));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), RegisterServerScript());
}

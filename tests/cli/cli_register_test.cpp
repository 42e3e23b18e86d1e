// tolm-cli register against the simulated gauge in a throw-away program
// folder without a server: backup and bundle leave their records, list
// finds them newest first (text and JSON), show gives a record and its
// document byte for byte, diff compares the gauge with the newest snapshot
// of its plant number, sync says what waits.

#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_session.h"
#include "support/core_application.h"
#include "support/register_contents.h"
#include "support/temp_home.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

struct Ran {
    int status = -1;
    QStringList out;
    QStringList err;
};

class CliRegister : public ::testing::Test
{
protected:
    CliRegister()
    {
        EnsureCoreApplication();
        env.executableFolder = home.path();
        env.simLineTiming = false;
    }
    Ran run(const QStringList &args)
    {
        TBufferOutput out;
        Ran r;
        r.status = RunCli(args, env, out);
        r.out = out.out();
        r.err = out.err();
        return r;
    }
    QByteArray read(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    TempHome home;
    TCliEnvironment env;
};

} // namespace

TEST_F(CliRegister, BackupAndBundleAreListedShownAndTheGaugeComparedWithItsNewestSnapshot)
{
    ASSERT_EQ(run({"--sim", "backup", home.file("first.ini")}).status, ExitOk);
    ASSERT_EQ(run({"--sim", "bundle", home.file("case.zip")}).status, ExitOk);

    const Ran json = run({"register", "list", "--json"});
    ASSERT_EQ(json.status, ExitOk) << json.err.join('|').toStdString();
    const QJsonArray list = QJsonDocument::fromJson(json.out.value(0).toUtf8()).array();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toObject().value("kind").toString(), QStringLiteral("bundle")) << "newest first";
    const QJsonObject backup = list[1].toObject();
    EXPECT_EQ(backup.value("kind").toString(), QStringLiteral("configuration"));
    const int plant = backup.value("plant").toInt();
    for (const char *key : {"id", "plant", "kind", "time", "bench"})
        EXPECT_TRUE(backup.contains(QLatin1String(key))) << key;

    const QList<TRegisterRecord> stored = StoredRecords(home.file("DATA"));
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].Details.value("size").toInteger(), QFileInfo(home.file("case.zip")).size());
    EXPECT_TRUE(stored[0].Document.isEmpty()) << "a bundle's name and size, not its content";

    const Ran kind = run({"register", "list", "--kind", "configuration", "--plant", QString::number(plant)});
    ASSERT_EQ(kind.out.size(), 1) << kind.out.join('|').toStdString();
    EXPECT_EQ(run({"register", "list", "--kind", "rubbish"}).status, ExitUsage);
    EXPECT_EQ(run({"register", "list", "--from", "9.12.2026"}).status, ExitUsage);

    const QString id = QString::number(backup.value("id").toInteger());
    const Ran show = run({"register", "show", id, "--pdf", home.file("kept.ini")});
    ASSERT_EQ(show.status, ExitOk) << show.err.join('|').toStdString();
    EXPECT_EQ(read(home.file("kept.ini")), read(home.file("first.ini"))) << "the file byte for byte";
    EXPECT_EQ(run({"register", "show", "999"}).status, ExitFailed);

    EXPECT_EQ(run({"--sim", "register", "diff", "--plant", QString::number(plant)}).status, ExitOk);
    ASSERT_EQ(run({"--sim", "write", "KKalman", "0.25"}).status, ExitOk);
    const Ran differs = run({"--sim", "register", "diff", "--plant", QString::number(plant)});
    EXPECT_EQ(differs.status, ExitFailed);
    ASSERT_EQ(differs.out.size(), 1) << differs.out.join('|').toStdString();
    EXPECT_TRUE(differs.out[0].startsWith("KKalman ")) << differs.out[0].toStdString();
    EXPECT_EQ(run({"--sim", "register", "diff", "--plant", "4242"}).status, ExitUsage) << "no snapshot of it";

    const Ran sync = run({"register", "sync"});
    EXPECT_EQ(sync.status, ExitFailed) << "two records wait and no server is set";
    EXPECT_EQ(sync.out.value(0), QStringLiteral("Отправлено: 0, ждут отправки: 2"));
}

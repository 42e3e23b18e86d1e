// The command line: options before the verb, the verb's own after it, and
// exit status 2 with one line of Russian for every wrong use, before the
// line is touched.

#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_session.h"
#include "device/parameter_table.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(CliOptionsTest, CommonOptionsComeBeforeTheVerb)
{
    TCliOptions o;
    QString error;
    ASSERT_TRUE(ParseCliOptions({"--sim", "--modbus", "--address", "7", "--home=/x", "--json", "read", "Hmax",
                                 "--json"},
                                o, error));
    EXPECT_TRUE(o.sim);
    EXPECT_TRUE(o.modbus);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.address, 7);
    EXPECT_EQ(o.home, "/x");
    EXPECT_EQ(o.verb, "read");
    EXPECT_EQ(o.args, (QStringList{"Hmax", "--json"}));

    TCliOptions d;
    ASSERT_TRUE(ParseCliOptions({"--port", "/dev/ttyS0", "poll"}, d, error));
    EXPECT_EQ(d.address, 255);
    EXPECT_EQ(d.port, "/dev/ttyS0");
    EXPECT_FALSE(d.sim);

    TCliOptions h;
    ASSERT_TRUE(ParseCliOptions({"--sim", "poll", "--help"}, h, error));
    EXPECT_TRUE(h.help);
}

TEST(CliOptionsTest, WrongUsageExitsWithTwoAndOneLineBeforeAnyExchange)
{
    EnsureCoreApplication();
    TempHome home;
    TCliEnvironment env;
    env.executableFolder = home.path();
    env.simLineTiming = false;
    const QList<QStringList> wrong{
        {},
        {"--sim"},
        {"--sim", "--port", "x", "poll"},
        {"--address", "300", "--sim", "send", "Echo"},
        {"--address"},
        {"--frobnicate", "send", "Echo"},
        {"--sim", "dance"},
        {"--sim", "send"},
        {"--sim", "send", "NoSuchCommand"},
        {"--sim", "send", "101"},
        {"--sim", "read", "Hmaxx"},
        {"--sim", "read", "LevelKalibr"},
        {"--sim", "write", "Hmax"},
        {"--sim", "write", "Hmax", "много"},
        {"--sim", "write", "KKalman", "1.5"},
        {"--sim", "poll", "--period", "5"},
        {"--sim", "poll", "--codes", "6,Nope"},
        {"--sim", "poll", "--codes", ""},
        {"--sim", "spectrum", "now"},
        {"archive"},
        {"archive", "LevelBusy", "--day", "08.12.2026"},
        {"archive", "LevelBusy", "--from", "25:00:00"},
    };
    for (const QStringList &args : wrong) {
        TBufferOutput out;
        EXPECT_EQ(RunCli(args, env, out), ExitUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(out.out().isEmpty()) << args.join(' ').toStdString();
        ASSERT_EQ(out.err().size(), 1) << args.join(' ').toStdString();
        EXPECT_FALSE(out.err().first().isEmpty());
    }
    // Nothing went to the gauge: no exchange log was started.
    EXPECT_TRUE(QDir(home.path()).entryList({"rd*.txt"}, QDir::Files).isEmpty());
}

TEST(CliOptionsTest, HelpListsEveryVerbAndOption)
{
    TBufferOutput out;
    EXPECT_EQ(RunCli({"--help"}, TCliEnvironment{}, out), ExitOk);
    const QString help = out.out().join('\n');
    for (const char *word : {"--port", "--sim", "--modbus", "--address", "--home", "--json", "send", "read", "write",
                             "poll", "--period", "--count", "--codes", "--lumidor", "spectrum", "signal", "archive",
                             "--day", "--from", "--to", "--csv", "--filter", "--no-store"})
        EXPECT_TRUE(help.contains(QLatin1String(word))) << word;
    EXPECT_TRUE(out.err().isEmpty());
}

// Each name read and write take is in the help, as itself or within its
// numbered series; what only the gauge reports is not.
TEST(CliOptionsTest, HelpNamesTheParametersOfTheParameterTable)
{
    TBufferOutput out;
    ASSERT_EQ(RunCli({"--help"}, TCliEnvironment{}, out), ExitOk);
    const QString help = out.out().join('\n');
    const QString names = help.section(QStringLiteral("Параметры read/write:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
    const QStringList words = names.simplified().split(QLatin1Char(' '));
    for (const TParameter &p : ParameterTable()) {
        const QString name = QString::fromLatin1(p.Name);
        const bool listed = std::any_of(words.begin(), words.end(), [&](const QString &word) {
            const QString bare = word.section(QLatin1Char('('), 0, 0);
            if (bare == name)
                return true;
            const QString first = bare.section(QStringLiteral(".."), 0, 0);
            const int last = bare.section(QStringLiteral(".."), 1).toInt();
            for (int n = 1; n <= last; ++n)
                if (first.chopped(1) + QString::number(n) == name)
                    return true;
            return false;
        });
        EXPECT_EQ(listed, CanRead(p) || CanWrite(p) || CanSet(p)) << p.Name;
    }
    EXPECT_TRUE(names.contains(QStringLiteral("LevelKalibr(только запись)")));
    EXPECT_TRUE(words.contains(QStringLiteral("BadZoneEmpty1..5")));
    for (const QString &line : names.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 100);
}

TEST(CliOptionsTest, MissingProgramFolderOrPortFailsWithOne)
{
    EnsureCoreApplication();
    TCliEnvironment env;
    TBufferOutput out;
    EXPECT_EQ(RunCli({"--sim", "--home", "/no/such/folder", "send", "Echo"}, env, out), ExitFailed);
    EXPECT_EQ(out.err(), QStringList{"Папка программы не найдена: /no/such/folder"});

    TempHome home;
    TBufferOutput port;
    EXPECT_EQ(RunCli({"--home", home.path(), "--port", "/dev/tolm-no-such-port", "read", "Hmax"}, env, port),
              ExitFailed);
    ASSERT_EQ(port.err().size(), 1);
    EXPECT_TRUE(port.err().first().startsWith("Ошибка активации порта :/dev/tolm-no-such-port"))
        << port.err().first().toStdString();
}

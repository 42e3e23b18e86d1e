#pragma once
// The verbs of tolm-cli run in the test's process against the simulated
// gauge (without line timing), in a throw-away program folder.

#include "app/text_file.h"
#include "archive/day_folder.h"
#include "archive/day_query.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "cli/cli_session.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status = -1;
    QStringList out;
    QStringList err;
};

class CliVerbsTest : public ::testing::Test
{
protected:
    CliVerbsTest()
    {
        EnsureCoreApplication();
        env.executableFolder = home.path();
        env.simLineTiming = false;
        // Short read time-outs: a silent or broken answer costs milliseconds.
        home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nReadInterval=10\r\nReadTotalConstant=30\r\n"
                                         "ReadTotalMultiplier=0\r\n[Lumidor]\r\nReadInterval=10\r\n"
                                         "ReadTotalConstant=30\r\nReadTotalMultiplier=0\r\n");
    }

    CliRun run(const QStringList &args)
    {
        TBufferOutput out;
        CliRun r;
        r.status = RunCli(args, env, out);
        r.out = out.out();
        r.err = out.err();
        return r;
    }

    // The exchange log of today without its time stamps.
    QStringList exchangeLog() const
    {
        QStringList lines;
        const QStringList files = QDir(home.path()).entryList({"rd*.txt"}, QDir::Files);
        if (files.size() == 1)
            ReadTextLines(home.file(files.first()), lines);
        for (QString &l : lines)
            l = l.mid(24);
        return lines;
    }

    QVector<TArchiveRow> rows(const QString &name) const
    {
        TDayQuery q;
        q.name = name;
        q.day = QDate::currentDate();
        QVector<TArchiveRow> out;
        QString error;
        LoadDay(home.file("DATA"), q, out, error);
        return out;
    }

    int textLines(const QString &name) const
    {
        QStringList lines;
        ReadTextLines(DayFolder(home.file("DATA"), QDate::currentDate()) + "/" + name + ".txt", lines);
        return int(lines.size());
    }

    TempHome home;
    TCliEnvironment env;
};

} // namespace

#include "cli/cli_run.h"

#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "app/build_info.h"
#include "cli/cli_verbs.h"

#include <QDir>

int UsageError(TCliOutput &out, const QString &text)
{
    out.Error(text);
    return ExitUsage;
}

bool OpenSession(TCliSession &session)
{
    QString error;
    if (session.Open(error))
        return true;
    session.Out().Error(error);
    return false;
}

int RunCli(const QStringList &arguments, const TCliEnvironment &environment, TCliOutput &out)
{
    TCliOptions options;
    QString error;
    if (!ParseCliOptions(arguments, options, error))
        return UsageError(out, error);
    if (options.version) {
        out.Line(VersionLine(QStringLiteral("tolm-cli")));
        // Where this run would keep its files: --home, beside the program,
        // or the user's folder of an installed copy.
        QString missing;
        const QString home = TCliSession::ResolveHome(options, environment, missing);
        out.Line(home.isEmpty() ? missing : QStringLiteral("Папка программы: ") + QDir::toNativeSeparators(home));
        return ExitOk;
    }
    if (options.help) {
        for (const QString &line : CliHelpText().split(QLatin1Char('\n')))
            out.Line(line);
        return ExitOk;
    }
    if (options.verb == QStringLiteral("archive"))
        return RunArchive(options, environment, out);
    if (options.verb == QStringLiteral("register"))
        return RunRegister(options, environment, out);

    using TVerb = int (*)(TCliSession &);
    const std::pair<const char *, TVerb> verbs[] = {
        {"send", RunSend},   {"read", RunRead},         {"write", RunWrite},
        {"poll", RunPoll},   {"spectrum", RunSpectrum}, {"signal", RunSignal},
        {"backup", RunBackup}, {"diff", RunDiff},      {"restore", RunRestore},
        {"bundle", RunBundle}, {"scan", RunScan},
    };
    for (const auto &[name, run] : verbs) {
        if (options.verb == QLatin1String(name)) {
            TCliSession session(options, environment, out);
            const int recorded = RegisterRecordsAdded();
            const int status = run(session);
            if (RegisterRecordsAdded() != recorded)
                SendRegisterOutbox(session);
            return status;
        }
    }
    return UsageError(out, QStringLiteral("Неизвестное действие: ") + options.verb +
                               QStringLiteral("; см. tolm-cli --help"));
}

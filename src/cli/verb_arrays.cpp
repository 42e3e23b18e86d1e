// spectrum / signal: the block read of the gauge's array as the main window
// runs it, written as capture files into the archive's folder of the day.
//
// In the program the model already holds the gauge's identity, parameters
// and distance (from reading the parameters and from polling) when the
// operator reads an array, and the capture files record them. A run of the
// tool starts from an empty model, so it first asks the gauge for them once
// (single exchanges, no retry, failures ignored as in the program's single
// reads); without that the summary and the signal file would show zeros.

#include "values/clock.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "protocol/command_codes.h"
#include "session/array_read.h"
#include "session/command_sender.h"
#include "session/gauge_views.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace {

using TReader = TArrayReadResult (*)(TCommandSender &, TGaugeViews &, TCaptureCounters &, const QString &);

constexpr int RecordedByCapture[] = {SignatureRead, HmaxRead,  LmaxRead,    KKalmanRead,
                                     KrPerRead,     SmPerRead, DistanceRead};

int runArrayRead(TCliSession &session, const QString &verb, TReader read)
{
    TCliOutput &out = session.Out();
    if (!session.Options().args.isEmpty())
        return UsageError(out, verb + QStringLiteral(": лишний аргумент ") + session.Options().args.first());
    if (!OpenSession(session))
        return ExitFailed;

    for (int code : RecordedByCapture)
        session.Sender().Exchange(code);

    // Each run numbers its captures from 1, stamped with its own start.
    TCaptureCounters counters;
    counters.Reset(Clock().Now());
    // No windows to refresh or open on a terminal.
    TGaugeViews noViews;
    const TArrayReadResult result = read(session.Sender(), noViews, counters, session.DbPath());
    if (!result.Initialised)
        return ExitFailed; // the failed init was reported

    if (session.Options().json) {
        QJsonArray files;
        for (const QString &file : result.Files)
            files.append(QDir::toNativeSeparators(file));
        out.Json({{QStringLiteral("array"), verb},
                  {QStringLiteral("blocks"), result.BlockCount},
                  {QStringLiteral("blocksRead"), result.BlocksRead},
                  {QStringLiteral("stopped"), result.Stopped},
                  {QStringLiteral("files"), files}});
    } else {
        out.Line(QStringLiteral("Прочитано блоков: ") + QString::number(result.BlocksRead) + QStringLiteral(" из ") +
                 QString::number(result.BlockCount));
        for (const QString &file : result.Files)
            out.Line(QDir::toNativeSeparators(file));
    }
    if (result.BlocksRead < result.BlockCount)
        out.Error(QStringLiteral("Не прочитано блоков: ") + QString::number(result.BlockCount - result.BlocksRead) +
                  QStringLiteral(" из ") + QString::number(result.BlockCount) +
                  QStringLiteral(" (их значения остались нулевыми)"));
    return result.Complete() ? ExitOk : ExitFailed;
}

} // namespace

int RunSpectrum(TCliSession &session)
{
    return runArrayRead(session, QStringLiteral("spectrum"), ReadSpectrum);
}

int RunSignal(TCliSession &session)
{
    return runArrayRead(session, QStringLiteral("signal"), ReadSignal);
}

// send CODE|NAME ...: one exchange per command, no retry, with the frames,
// the exchange status and what the answer set.

#include "cli/answer_values.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_verbs.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "session/command_sender.h"

#include <QJsonObject>

namespace {

// A command code 0..102 or a command name; -1 for anything else (101 is no
// command).
int commandCode(const QString &text)
{
    qint64 code = -1;
    if (ParseInteger(text, 0, CommandCount - 1, code))
        return CommandName(int(code)).isEmpty() ? -1 : int(code);
    return CommandByName(text);
}

void printSent(TCliSession &session, int code, bool accepted)
{
    const Ttolm472 &m = session.Model();
    QByteArray request, answer;
    session.LastFrames(request, answer);
    const QList<TNamedValue> values = accepted ? AnswerValues(code, m) : QList<TNamedValue>();
    TCliOutput &out = session.Out();
    if (session.Options().json) {
        QJsonObject set;
        for (const TNamedValue &v : values)
            set.insert(v.name, v.json);
        out.Json({{QStringLiteral("command"), CommandName(code)},
                  {QStringLiteral("code"), code},
                  {QStringLiteral("request"), BytesToHex(request)},
                  {QStringLiteral("answer"), BytesToHex(answer)},
                  {QStringLiteral("accepted"), accepted},
                  {QStringLiteral("status"), m.LastErrorCode},
                  {QStringLiteral("statusText"), m.LastErrorText},
                  {QStringLiteral("linkState"), m.LinkState.AsInt()},
                  {QStringLiteral("values"), set}});
        return;
    }
    out.Line(CommandName(code) + QStringLiteral(" (") + QString::number(code) + QStringLiteral(")"));
    out.Line(QStringLiteral("  запрос:    ") + BytesToHex(request));
    out.Line(QStringLiteral("  ответ:     ") + BytesToHex(answer));
    out.Line(QStringLiteral("  состояние: ") + QString::number(m.LastErrorCode) + QStringLiteral(" ") +
             m.LastErrorText);
    out.Line(QStringLiteral("  LinkState: ") + QString::number(m.LinkState.AsInt()));
    for (const TNamedValue &v : values)
        out.Line(QStringLiteral("  ") + v.name + QStringLiteral(" = ") + v.text);
}

} // namespace

int RunSend(TCliSession &session)
{
    TCliOutput &out = session.Out();
    const QStringList &args = session.Options().args;
    if (args.isEmpty())
        return UsageError(out, QStringLiteral("send: не указаны команды"));
    QList<int> codes;
    for (const QString &arg : args) {
        const int code = commandCode(arg);
        if (code < 0)
            return UsageError(out, QStringLiteral("Неизвестная команда прибора: ") + arg);
        codes.append(code);
    }
    if (!OpenSession(session))
        return ExitFailed;

    int status = ExitOk;
    for (int code : codes) {
        session.ClearLastFrames();
        const bool accepted = session.Sender().Exchange(code);
        printSent(session, code, accepted);
        if (!accepted) {
            out.Error(FailureText(CommandName(code)));
            status = ExitFailed;
        }
    }
    return status;
}

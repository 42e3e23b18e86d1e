#include "session/command_sender.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/ui_hand_over.h"
#include "session/operator.h"

QString FailureText(const QString &hint)
{
    return QStringLiteral("Не выполнена команда\r") + hint;
}

TCommandSender::TCommandSender(TRequestCycle &cycle, Ttolm472 &model, TOperator &op, const std::atomic<bool> *stop)
    : m_cycle(cycle), m_model(model), m_op(op), m_stop(stop)
{
}

bool TCommandSender::Exchange(int code, QByteArray *answer)
{
    if (Stopped())
        return false;
    return m_cycle.ExchangeAccepted(code, answer);
}

bool TCommandSender::OnModel(const std::function<void(Ttolm472 &)> &work)
{
    return m_cycle.HandOver().Run([&] { work(m_model); });
}

bool TCommandSender::SendCommandWithRetries(int code, const QString &hint, int attempts)
{
    const QString text = QStringLiteral("Повтор команды ") + hint;
    for (int attempt = 1; attempt <= attempts && !Stopped(); ++attempt) {
        m_op.ShowProgress(text, attempt, attempts);
        if (Exchange(code)) {
            m_op.CloseProgress();
            return true;
        }
    }
    m_op.CloseProgress();
    return false;
}

bool TCommandSender::ExchangeQuietly(int code, int attempts, QByteArray *answer)
{
    for (int attempt = 1; attempt <= attempts && !Stopped(); ++attempt)
        if (Exchange(code, answer))
            return true;
    return false;
}

bool TCommandSender::ReadBlockWithRetries(int attempts)
{
    return ExchangeQuietly(DataBlockRead, attempts);
}

void TCommandSender::ReportFailure(const QString &hint)
{
    m_op.Warning(FailureText(hint));
}

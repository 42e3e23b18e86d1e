#include "session/command_sender.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/ui_hand_over.h"
#include "session/operator.h"

QString FailureText(const QString &hint)
{
    return QStringLiteral("Не выполнена команда\r") + hint;
}

TCommandSender::TCommandSender(TRequestCycle &cycle, Ttolm472 &model, TUiHandOver &handOver, TOperator &op,
                               const std::atomic<bool> *stop)
    : m_cycle(cycle), m_model(model), m_handOver(handOver), m_op(op), m_stop(stop)
{
}

TGaugeRequest TCommandSender::Request(int code)
{
    return FromModel([code](const Ttolm472 &model) { return model.MakeRequest(code); });
}

bool TCommandSender::attempt(const TGaugeRequest &request, TGaugeAnswer *answer)
{
    if (Stopped())
        return false;
    TGaugeAnswer got = m_cycle.Exchange(request);
    const bool accepted = got.Accepted();
    if (answer)
        *answer = std::move(got);
    return accepted;
}

bool TCommandSender::Exchange(int code, TGaugeAnswer *answer)
{
    return attempt(Request(code), answer);
}

bool TCommandSender::Ending() const
{
    return m_handOver.Closed();
}

bool TCommandSender::OnModel(const std::function<void(Ttolm472 &)> &work)
{
    return m_handOver.Run([&] { work(m_model); });
}

bool TCommandSender::SendCommandWithRetries(int code, const QString &hint, int attempts, TGaugeAnswer *answer)
{
    const QString text = QStringLiteral("Повтор команды ") + hint;
    const TGaugeRequest request = Request(code);
    for (int n = 1; n <= attempts && !Stopped(); ++n) {
        m_op.ShowProgress(text, n, attempts);
        if (attempt(request, answer)) {
            m_op.CloseProgress();
            return true;
        }
    }
    m_op.CloseProgress();
    return false;
}

bool TCommandSender::ExchangeQuietly(int code, int attempts, TGaugeAnswer *answer)
{
    const TGaugeRequest request = Request(code);
    for (int n = 1; n <= attempts && !Stopped(); ++n)
        if (attempt(request, answer))
            return true;
    return false;
}

bool TCommandSender::ReadBlockWithRetries(int block, int attempts)
{
    TGaugeRequest request = Request(DataBlockRead);
    request.BlockIndex = uint16_t(block);
    for (int n = 1; n <= attempts; ++n)
        if (attempt(request, nullptr))
            return true;
    return false;
}

void TCommandSender::ReportFailure(const QString &hint)
{
    m_op.Warning(FailureText(hint));
}

#include "link/command_sender.h"

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "link/procedure_host.h"
#include "link/request_cycle.h"

QString FailureText(const QString &hint)
{
    return QStringLiteral("Не выполнена команда\r") + hint;
}

TCommandSender::TCommandSender(TRequestCycle &cycle, Ttolm472 &model, TProcedureHost &host)
    : m_cycle(cycle), m_model(model), m_host(host)
{
}

bool TCommandSender::Exchange(int code)
{
    const uint16_t errorsBefore = m_model.ErrorCount;
    if (m_cycle.Exchange(code) != 0)
        return false;
    // The parse counts every answer it refuses (and a reading whose status
    // says the gauge cannot measure); once the count reaches ErrorMax the
    // refusal also shows in LastErrorCode as one of the program's own
    // negative codes.
    return m_model.ErrorCount <= errorsBefore && m_model.LastErrorCode >= 0;
}

bool TCommandSender::SendCommandWithRetries(int code, const QString &hint, int attempts)
{
    const QString text = QStringLiteral("Повтор команды ") + hint;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        m_host.ShowProgress(text, attempt, attempts);
        if (Exchange(code)) {
            m_host.CloseProgress();
            return true;
        }
    }
    m_host.CloseProgress();
    return false;
}

bool TCommandSender::ReadBlockWithRetries(int attempts)
{
    for (int attempt = 1; attempt <= attempts; ++attempt)
        if (Exchange(DataBlockRead))
            return true;
    return false;
}

void TCommandSender::ReportFailure(const QString &hint)
{
    m_host.Message(FailureText(hint));
}

#include "session/ui_procedure_host.h"

#include "link/ui_hand_over.h"

void TUiProcedureHost::ShowProgress(const QString &text, int step, int count)
{
    m_handOver.Run([&] { m_host.ShowProgress(text, step, count); });
}

void TUiProcedureHost::CloseProgress()
{
    m_handOver.Run([&] { m_host.CloseProgress(); });
}

void TUiProcedureHost::Message(const QString &text)
{
    m_handOver.Run([&] { m_host.Message(text); });
}

void TUiProcedureHost::ErrorMessage(const QString &text)
{
    m_handOver.Run([&] { m_host.ErrorMessage(text); });
}

void TUiProcedureHost::UpdateAllViews()
{
    m_handOver.Run([&] { m_host.UpdateAllViews(); });
}

void TUiProcedureHost::ShowCapturedArray(TCapturedArray array)
{
    m_handOver.Run([&] { m_host.ShowCapturedArray(array); });
}

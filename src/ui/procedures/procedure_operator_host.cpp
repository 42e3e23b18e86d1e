#include "ui/procedures/procedure_operator_host.h"

#include "ui/main/main_services.h"
#include "ui/dialogs/operator.h"

TOperatorProcedureHost::TOperatorProcedureHost(TMainServices &services)
    : m_services(services)
{
}

void TOperatorProcedureHost::ShowProgress(const QString &text, int step, int count)
{
    Operator().ShowProgress(text, step, count);
}

void TOperatorProcedureHost::CloseProgress()
{
    Operator().CloseProgress();
}

void TOperatorProcedureHost::Message(const QString &text)
{
    Operator().Warning(text);
}

void TOperatorProcedureHost::ErrorMessage(const QString &text)
{
    Operator().Error(text);
}

void TOperatorProcedureHost::UpdateAllViews()
{
    m_services.UpdateAllViews();
}

void TOperatorProcedureHost::ShowCapturedArray(TCapturedArray array)
{
    if (m_onCapturedArray)
        m_onCapturedArray(array);
}

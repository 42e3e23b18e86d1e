#pragma once
// A procedure host for procedures on the runner's worker: each call is
// handed to the user-interface thread, where the host behind it shows the
// progress window and the operator's messages, and the procedure waits for
// it (a message box is answered before the procedure goes on). When the
// hand-over is closed (the program is ending) the calls do nothing.

#include "session/procedure_host.h"

class TUiHandOver;

class TUiProcedureHost final : public TProcedureHost
{
public:
    TUiProcedureHost(TProcedureHost &host, TUiHandOver &handOver) : m_host(host), m_handOver(handOver) {}

    void ShowProgress(const QString &text, int step, int count) override;
    void CloseProgress() override;
    void Message(const QString &text) override;
    void ErrorMessage(const QString &text) override;
    void UpdateAllViews() override;
    void ShowCapturedArray(TCapturedArray array) override;

private:
    TProcedureHost &m_host;
    TUiHandOver &m_handOver;
};

#pragma once
// The gauge procedures' host in the program: the retry progress, warnings
// and errors go to the operator in use (the real dialogs, or a test's
// script), the refresh to the main window's views.

#include "session/procedure_host.h"

#include <functional>

class TMainServices;

class TOperatorProcedureHost final : public TProcedureHost
{
public:
    explicit TOperatorProcedureHost(TMainServices &services);

    void ShowProgress(const QString &text, int step, int count) override;
    void CloseProgress() override;
    // "Внимание", warning icon, OK.
    void Message(const QString &text) override;
    // "Внимание", error icon, OK.
    void ErrorMessage(const QString &text) override;
    void UpdateAllViews() override;
    // Runs the handler set by SetOnCapturedArray, when there is one.
    void ShowCapturedArray(TCapturedArray array) override;

    // Who shows an array when its read is complete (the spectrum and
    // signal windows).
    void SetOnCapturedArray(std::function<void(TCapturedArray)> handler) { m_onCapturedArray = std::move(handler); }

private:
    TMainServices &m_services;
    std::function<void(TCapturedArray)> m_onCapturedArray;
};

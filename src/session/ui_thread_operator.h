#pragma once
// The operator and the windows as a procedure on the runner's worker sees
// them: each call is handed to the user-interface thread, where the real
// operator (the dialogs, or a test's script) and the main window answer it,
// and the procedure waits for the answer (a message box is closed, a
// question answered, before the procedure goes on). When the hand-over is
// closed (the program is ending) a message does nothing, a question gets
// its default, an input is cancelled; and so they do once the procedure is
// asked to stop, except that the progress window still closes.
//
// Called in the user-interface thread too, the call runs at once.

#include "session/gauge_views.h"
#include "session/operator.h"

#include <atomic>
#include <functional>

class TUiHandOver;

class TUiThreadOperator final : public TOperator
{
public:
    TUiThreadOperator(TOperator &op, TUiHandOver &handOver, const std::atomic<bool> *stop = nullptr)
        : m_op(op), m_handOver(handOver), m_stop(stop)
    {
    }

    void ShowMessage(TMessageIcon icon, const QString &caption, const QString &text) override;
    bool AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes) override;
    int InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                              bool &confirmed) override;
    double InputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                       double value) override;
    int InputIndexFromList(const QString &title, const QString &label, int index, const QString &listFile) override;
    QString InputText(const QString &title, const QString &label, const QString &text) override;
    bool InputBadZone(TBadZone &zone) override;
    void ShowProgress(const QString &text, int step, int total) override;
    void CloseProgress() override;
    void ShowClosableProgress(const QString &text, int step, int total) override;
    // Not handed over: the window's answer is kept for any thread.
    bool ProgressClosed() const override { return m_op.ProgressClosed(); }
    QString OpenFileName(const QString &filter, const QString &defaultExtension,
                         const QString &initialFolder) override;
    QString SaveFileName(const QString &filter, const QString &defaultExtension, const QString &suggested) override;
    bool ReviewComparison(const TConfigurationComparison &comparison, const QString &fileName) override;

private:
    // Runs `work` in the user-interface thread unless the procedure is
    // asked to stop or the hand-over is closed.
    void ask(const std::function<void()> &work);

    TOperator &m_op;
    TUiHandOver &m_handOver;
    const std::atomic<bool> *m_stop;
};

class TUiThreadViews final : public TGaugeViews
{
public:
    TUiThreadViews(TGaugeViews &views, TUiHandOver &handOver) : m_views(views), m_handOver(handOver) {}

    void UpdateAllViews() override;
    void ApplyModeVisibility() override;
    void ApplyValueRanges() override;
    void ShowParametersWindow(bool factoryTab) override;
    void ShowCapturedArray(TCapturedArray array) override;
    bool StopPolling() override;
    void StartPolling() override;
    QByteArray CalibrationPagePdf() override;

private:
    TGaugeViews &m_views;
    TUiHandOver &m_handOver;
};

#pragma once
// TWidgetOperator: the operator as the program shows it on screen: modal
// message boxes and input dialogs centred on the screen, and one progress
// window that lives from the first ShowProgress to the next CloseProgress.

#include "ui/dialogs/form_progress_bar.h"
#include "ui/dialogs/operator.h"

#include <QFileDialog>
#include <QPointer>

#include <atomic>

class TWidgetOperator final : public TOperator
{
public:
    TWidgetOperator() = default;
    ~TWidgetOperator() override;
    TWidgetOperator(const TWidgetOperator &) = delete;
    TWidgetOperator &operator=(const TWidgetOperator &) = delete;

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
    bool ProgressClosed() const override { return m_progressClosed; }
    QString OpenFileName(const QString &filter, const QString &defaultExtension,
                         const QString &initialFolder) override;
    QString SaveFileName(const QString &filter, const QString &defaultExtension, const QString &suggested) override;
    bool ReviewComparison(const TConfigurationComparison &comparison, const QString &fileName) override;

    // The progress window while it exists.
    TFormProgressBar *ProgressWindow() const { return m_progress; }

private:
    // The file dialog of both: "Открыть" or "Сохранить", Russian labels.
    static QString chooseFile(QFileDialog::AcceptMode mode, const QString &verb, const QString &filter,
                              const QString &defaultExtension, const QString &start);

    void showProgress(const QString &text, int step, int total, bool closable);

    QPointer<TFormProgressBar> m_progress;
    std::atomic<bool> m_progressClosed{false};
};

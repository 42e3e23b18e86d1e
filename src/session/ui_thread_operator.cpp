#include "session/ui_thread_operator.h"

#include "session/ui_hand_over.h"

// The answers start as a cancel would leave them, so a closed hand-over or
// a stop gives exactly that.

void TUiThreadOperator::ask(const std::function<void()> &work)
{
    if (!(m_stop && *m_stop))
        m_handOver.Run(work);
}

void TUiThreadOperator::ShowMessage(TMessageIcon icon, const QString &caption, const QString &text)
{
    ask([&] { m_op.ShowMessage(icon, caption, text); });
}

bool TUiThreadOperator::AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes)
{
    bool answer = defaultYes;
    ask([&] { answer = m_op.AskYesNo(icon, caption, text, defaultYes); });
    return answer;
}

int TUiThreadOperator::InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                                             bool &confirmed)
{
    int answer = value;
    confirmed = false;
    ask([&] { answer = m_op.InputIntegerConfirmed(title, label, value, max, min, confirmed); });
    return answer;
}

double TUiThreadOperator::InputDouble(const QString &title, const QString &label, int decimals, double max,
                                      double min, double value)
{
    double answer = value;
    ask([&] { answer = m_op.InputDouble(title, label, decimals, max, min, value); });
    return answer;
}

int TUiThreadOperator::InputIndexFromList(const QString &title, const QString &label, int index,
                                          const QString &listFile)
{
    int answer = index;
    ask([&] { answer = m_op.InputIndexFromList(title, label, index, listFile); });
    return answer;
}

QString TUiThreadOperator::InputText(const QString &title, const QString &label, const QString &text)
{
    QString answer = text;
    ask([&] { answer = m_op.InputText(title, label, text); });
    return answer;
}

bool TUiThreadOperator::InputBadZone(TBadZone &zone)
{
    bool answer = false;
    ask([&] { answer = m_op.InputBadZone(zone); });
    return answer;
}

void TUiThreadOperator::ShowProgress(const QString &text, int step, int total)
{
    ask([&] { m_op.ShowProgress(text, step, total); });
}

void TUiThreadOperator::ShowClosableProgress(const QString &text, int step, int total)
{
    ask([&] { m_op.ShowClosableProgress(text, step, total); });
}

void TUiThreadOperator::CloseProgress()
{
    m_handOver.Run([&] { m_op.CloseProgress(); });
}

QString TUiThreadOperator::OpenFileName(const QString &filter, const QString &defaultExtension,
                                        const QString &initialFolder)
{
    QString answer;
    ask([&] { answer = m_op.OpenFileName(filter, defaultExtension, initialFolder); });
    return answer;
}

QString TUiThreadOperator::SaveFileName(const QString &filter, const QString &defaultExtension,
                                        const QString &suggested)
{
    QString answer;
    ask([&] { answer = m_op.SaveFileName(filter, defaultExtension, suggested); });
    return answer;
}

bool TUiThreadOperator::ReviewComparison(const TConfigurationComparison &comparison, const QString &fileName)
{
    bool answer = false;
    ask([&] { answer = m_op.ReviewComparison(comparison, fileName); });
    return answer;
}

void TUiThreadViews::UpdateAllViews()
{
    m_handOver.Run([&] { m_views.UpdateAllViews(); });
}

void TUiThreadViews::ApplyModeVisibility()
{
    m_handOver.Run([&] { m_views.ApplyModeVisibility(); });
}

void TUiThreadViews::ApplyValueRanges()
{
    m_handOver.Run([&] { m_views.ApplyValueRanges(); });
}

void TUiThreadViews::ShowParametersWindow(bool factoryTab)
{
    m_handOver.Run([&] { m_views.ShowParametersWindow(factoryTab); });
}

void TUiThreadViews::ShowCapturedArray(TCapturedArray array)
{
    m_handOver.Run([&] { m_views.ShowCapturedArray(array); });
}

bool TUiThreadViews::StopPolling()
{
    bool wasRunning = false;
    m_handOver.Run([&] { wasRunning = m_views.StopPolling(); });
    return wasRunning;
}

void TUiThreadViews::StartPolling()
{
    m_handOver.Run([&] { m_views.StartPolling(); });
}

QByteArray TUiThreadViews::CalibrationPagePdf()
{
    QByteArray page;
    m_handOver.Run([&] { page = m_views.CalibrationPagePdf(); });
    return page;
}

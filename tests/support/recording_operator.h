#pragma once
// An operator and windows for tests of the gauge procedures: every progress
// call, message and refresh recorded in order, as text. Warnings land in
// `messages`, errors in `errors`. Nobody answers: a question gets its
// default, an input is cancelled.

#include "device/bad_zones.h"
#include "session/gauge_views.h"
#include "session/operator.h"

#include <QStringList>

class RecordingHost final : public TOperator, public TGaugeViews
{
public:
    void ShowMessage(TMessageIcon icon, const QString &, const QString &text) override
    {
        const bool error = icon == TMessageIcon::Error;
        (error ? errors : messages).append(text);
        calls.append((error ? QStringLiteral("error ") : QStringLiteral("message ")) + text);
    }
    bool AskYesNo(TMessageIcon, const QString &, const QString &, bool defaultYes) override { return defaultYes; }
    int InputIntegerConfirmed(const QString &, const QString &, int value, int, int, bool &confirmed) override
    {
        confirmed = false;
        return value;
    }
    double InputDouble(const QString &, const QString &, int, double, double, double value) override { return value; }
    int InputIndexFromList(const QString &, const QString &, int index, const QString &) override { return index; }
    QString InputText(const QString &, const QString &, const QString &text) override { return text; }
    bool InputBadZone(TBadZone &) override { return false; }
    QString OpenFileName(const QString &, const QString &, const QString &) override { return {}; }

    void ShowProgress(const QString &text, int step, int count) override
    {
        calls.append(QStringLiteral("progress %1 %2/%3").arg(text).arg(step).arg(count));
    }
    void CloseProgress() override { calls.append(QStringLiteral("close")); }

    void UpdateAllViews() override { calls.append(QStringLiteral("update")); }
    void ShowCapturedArray(TCapturedArray array) override
    {
        calls.append(array == TCapturedArray::Spectrum ? QStringLiteral("show spectrum")
                                                        : QStringLiteral("show signal"));
    }

    QStringList calls;
    QStringList messages;
    QStringList errors;
};

#pragma once
// A procedure host for tests: records every progress call, message and
// refresh in order, as text.

#include "session/procedure_host.h"

#include <QStringList>

class RecordingHost final : public TProcedureHost
{
public:
    void ShowProgress(const QString &text, int step, int count) override
    {
        calls.append(QStringLiteral("progress %1 %2/%3").arg(text).arg(step).arg(count));
    }
    void CloseProgress() override { calls.append(QStringLiteral("close")); }
    void Message(const QString &text) override
    {
        messages.append(text);
        calls.append(QStringLiteral("message ") + text);
    }
    void ErrorMessage(const QString &text) override
    {
        errors.append(text);
        calls.append(QStringLiteral("error ") + text);
    }
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

#pragma once
// The gauge procedures' host on a terminal: progress as one line of
// standard error rewritten in place (only on a terminal), the operator's
// warnings and errors as lines of standard error.

#include "session/procedure_host.h"

#include <QStringList>

class TCliOutput;

class TCliHost final : public TProcedureHost
{
public:
    explicit TCliHost(TCliOutput &out);

    void ShowProgress(const QString &text, int step, int count) override;
    void CloseProgress() override;
    void Message(const QString &text) override;
    void ErrorMessage(const QString &text) override;

    // Every message and error shown so far, as given.
    const QStringList &Messages() const { return m_messages; }

private:
    TCliOutput &m_out;
    bool m_open = false;
    QString m_text;
    int m_count = 0;
    QStringList m_messages;
};

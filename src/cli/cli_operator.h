#pragma once
// The operator on a terminal: progress as one line of standard error
// rewritten in place (only on a terminal), messages as lines of standard
// error. Nobody answers at a terminal run by a script: every question gets
// its default button, every input is cancelled, no file is chosen.

#include "session/operator.h"

#include <QStringList>

class TCliOutput;

class TCliOperator final : public TOperator
{
public:
    explicit TCliOperator(TCliOutput &out);

    void ShowMessage(TMessageIcon icon, const QString &caption, const QString &text) override;
    bool AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes) override;
    int InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                              bool &confirmed) override;
    double InputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                       double value) override;
    int InputIndexFromList(const QString &title, const QString &label, int index, const QString &listFile) override;
    QString InputText(const QString &title, const QString &label, const QString &text) override;
    bool InputBadZone(TBadZone &zone) override;
    void ShowProgress(const QString &text, int step, int count) override;
    void CloseProgress() override;
    QString OpenFileName(const QString &filter, const QString &defaultExtension,
                         const QString &initialFolder) override;

    // Every message shown so far, as given.
    const QStringList &Messages() const { return m_messages; }

private:
    TCliOutput &m_out;
    bool m_open = false;
    QString m_text;
    int m_count = 0;
    QStringList m_messages;
};

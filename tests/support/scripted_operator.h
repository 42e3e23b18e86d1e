#pragma once
// An operator for tests: it answers from a script and records every call
// with its texts, so a test can drive a command that asks questions and then
// check exactly what the person at the workstation would have seen.
// TInstalledOperator (installed_operator.h) is the same, installed as the
// program's operator while it exists.
//
// Answers are taken in order by the calls that need one: a bool for a Yes/No
// question, a number or a text for an input dialog (a text goes through the
// integer field's rule, so "abc" gives the minimum), a list of the four
// values for a bad zone, a path for the file dialog, Cancel() to cancel an
// input. A call that finds no answer left is counted in Unanswered: a
// question then gets its default button and an input is cancelled.

#include "device/bad_zones.h"
#include "session/operator.h"
#include "session/procedures/gauge_configuration.h"
#include "values/whole_number.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QVariant>

struct TOperatorCall {
    QString Kind;      // the operation's name: "ShowMessage", "AskYesNo", "InputDouble", ...
    QString Caption;   // caption or title
    QString Text;      // message text, label, or progress text
    QVariantList Args; // the other arguments, in the operation's order
};

class TScriptedOperator : public TOperator
{
public:
    TScriptedOperator() = default;
    TScriptedOperator(const TScriptedOperator &) = delete;
    TScriptedOperator &operator=(const TScriptedOperator &) = delete;

    static QVariant Cancel() { return QVariant(); }
    TScriptedOperator &Answer(const QVariant &answer)
    {
        m_answers.enqueue(answer);
        return *this;
    }
    int PendingAnswers() const { return int(m_answers.size()); }

    QList<TOperatorCall> Calls;
    int Unanswered = 0;
    // The progress window as the real one would stand: open or not, and its
    // remembered text.
    bool ProgressOpen = false;
    QString ProgressText;
    // When set, the progress calls also go to this operator (the real
    // progress window), so what happens while it is shown is tested too.
    TOperator *ProgressShownBy = nullptr;

    // The texts of the message boxes shown so far.
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const TOperatorCall &call : CallsOf(QStringLiteral("ShowMessage")))
            texts.append(call.Text);
        return texts;
    }

    QList<TOperatorCall> CallsOf(const QString &kind) const
    {
        QList<TOperatorCall> found;
        for (const TOperatorCall &call : Calls)
            if (call.Kind == kind)
                found.append(call);
        return found;
    }

    void ShowMessage(TMessageIcon icon, const QString &caption, const QString &text) override
    {
        Calls.append({QStringLiteral("ShowMessage"), caption, text, {int(icon)}});
    }

    bool AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes) override
    {
        Calls.append({QStringLiteral("AskYesNo"), caption, text, {int(icon), defaultYes}});
        const QVariant answer = next();
        return answer.isValid() ? answer.toBool() : defaultYes;
    }

    int InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                              bool &confirmed) override
    {
        Calls.append({QStringLiteral("InputIntegerConfirmed"), title, label, {value, max, min}});
        const QVariant answer = next();
        confirmed = answer.isValid();
        return confirmed ? WholeNumberInLimits(answer.toString(), max, min) : value;
    }

    double InputDouble(const QString &title, const QString &label, int decimals, double max, double min,
                       double value) override
    {
        Calls.append({QStringLiteral("InputDouble"), title, label, {decimals, max, min, value}});
        const QVariant answer = next();
        if (!answer.isValid())
            return value;
        // The field pulls its entry into the limits when OK takes the focus.
        const double entered = answer.toDouble();
        if (min <= max && entered < min)
            return min;
        if (min <= max && entered > max)
            return max;
        return entered;
    }

    int InputIndexFromList(const QString &title, const QString &label, int index, const QString &listFile) override
    {
        Calls.append({QStringLiteral("InputIndexFromList"), title, label, {index, listFile}});
        const QVariant answer = next();
        return answer.isValid() ? answer.toInt() : index;
    }

    QString InputText(const QString &title, const QString &label, const QString &text) override
    {
        Calls.append({QStringLiteral("InputText"), title, label, {text}});
        const QVariant answer = next();
        return answer.isValid() ? answer.toString() : text;
    }

    bool InputBadZone(TBadZone &zone) override
    {
        Calls.append({QStringLiteral("InputBadZone"), QString(), zone.Description.Hint,
                      {zone.Number(), zone.Near.AsDouble(), zone.Far.AsDouble(), zone.FillSpeed.AsDouble(),
                       zone.EmptySpeed.AsDouble()}});
        const QVariantList values = next().toList();
        if (values.size() != 4)
            return false;
        zone.Near.SetValue(values[0].toDouble());
        zone.Far.SetValue(values[1].toDouble());
        zone.FillSpeed.SetValue(values[2].toDouble());
        zone.EmptySpeed.SetValue(values[3].toDouble());
        return true;
    }

    void ShowProgress(const QString &text, int step, int total) override
    {
        Calls.append({QStringLiteral("ShowProgress"), QString(), text, {step, total}});
        if (!ProgressOpen)
            ProgressText = text;
        ProgressOpen = true;
        if (ProgressShownBy)
            ProgressShownBy->ShowProgress(text, step, total);
    }

    void CloseProgress() override
    {
        Calls.append({QStringLiteral("CloseProgress"), QString(), QString(), {}});
        ProgressOpen = false;
        if (ProgressShownBy)
            ProgressShownBy->CloseProgress();
    }

    QString OpenFileName(const QString &filter, const QString &defaultExtension,
                         const QString &initialFolder) override
    {
        Calls.append({QStringLiteral("OpenFileName"), QString(), filter, {defaultExtension, initialFolder}});
        return next().toString();
    }

    QString SaveFileName(const QString &filter, const QString &defaultExtension, const QString &suggested) override
    {
        Calls.append({QStringLiteral("SaveFileName"), QString(), filter, {defaultExtension, suggested}});
        return next().toString();
    }

    // Answered with a bool (true: "Записать в прибор"); no answer: closed.
    bool ReviewComparison(const TConfigurationComparison &comparison, const QString &fileName) override
    {
        Calls.append({QStringLiteral("ReviewComparison"), QString(), fileName, {comparison.Differing()}});
        Reviewed = comparison;
        return next().toBool();
    }
    // The comparison shown last.
    TConfigurationComparison Reviewed;

private:
    QVariant next()
    {
        if (m_answers.isEmpty()) {
            ++Unanswered;
            return QVariant();
        }
        return m_answers.dequeue();
    }

    QQueue<QVariant> m_answers;
};

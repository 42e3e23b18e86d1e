#include "cli/cli_operator.h"

#include "cli/cli_output.h"

TCliOperator::TCliOperator(TCliOutput &out) : m_out(out) {}

void TCliOperator::ShowMessage(TMessageIcon, const QString &, const QString &text)
{
    m_messages.append(text);
    m_out.Error(text);
}

bool TCliOperator::AskYesNo(TMessageIcon, const QString &, const QString &text, bool defaultYes)
{
    m_out.Error(text);
    return defaultYes;
}

int TCliOperator::InputIntegerConfirmed(const QString &, const QString &, int value, int, int, bool &confirmed)
{
    confirmed = false;
    return value;
}

double TCliOperator::InputDouble(const QString &, const QString &, int, double, double, double value)
{
    return value;
}

int TCliOperator::InputIndexFromList(const QString &, const QString &, int index, const QString &)
{
    return index;
}

QString TCliOperator::InputText(const QString &, const QString &, const QString &text)
{
    return text;
}

bool TCliOperator::InputBadZone(TBadZone &)
{
    return false;
}

void TCliOperator::ShowProgress(const QString &text, int step, int count)
{
    // As the progress window: the first call fixes the text and the count.
    if (!m_open) {
        m_open = true;
        m_text = text;
        m_count = count;
    }
    if (m_count > 0 && step >= 0)
        m_out.Progress(m_text + QStringLiteral(" ") + QString::number(step * 100 / m_count) + QStringLiteral("%"));
}

void TCliOperator::CloseProgress()
{
    m_open = false;
    m_out.EndProgress();
}

QString TCliOperator::OpenFileName(const QString &, const QString &, const QString &)
{
    return {};
}

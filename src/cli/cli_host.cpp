#include "cli/cli_host.h"

#include "cli/cli_output.h"

TCliHost::TCliHost(TCliOutput &out) : m_out(out) {}

void TCliHost::ShowProgress(const QString &text, int step, int count)
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

void TCliHost::CloseProgress()
{
    m_open = false;
    m_out.EndProgress();
}

void TCliHost::Message(const QString &text)
{
    m_messages.append(text);
    m_out.Error(text);
}

void TCliHost::ErrorMessage(const QString &text)
{
    m_messages.append(text);
    m_out.Error(text);
}

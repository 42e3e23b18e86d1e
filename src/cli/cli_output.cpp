#include "cli/cli_output.h"

#include <QJsonDocument>

#include <cstdio>
#include <unistd.h>

QString TCliOutput::OneLine(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(": "));
    line.replace(QLatin1Char('\r'), QStringLiteral(": "));
    line.replace(QLatin1Char('\n'), QStringLiteral(": "));
    return line;
}

void TCliOutput::Line(const QString &text)
{
    std::lock_guard lock(m_mutex);
    writeOut(text.toUtf8() + '\n');
}

void TCliOutput::Json(const QJsonObject &object)
{
    std::lock_guard lock(m_mutex);
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void TCliOutput::Error(const QString &text)
{
    std::lock_guard lock(m_mutex);
    if (m_progressShown) {
        writeErr("\n");
        m_progressShown = false;
    }
    writeErr(OneLine(text).toUtf8() + '\n');
}

void TCliOutput::Progress(const QString &text)
{
    if (!ShowsProgress())
        return;
    std::lock_guard lock(m_mutex);
    writeErr("\r\033[K" + text.toUtf8());
    m_progressShown = true;
}

void TCliOutput::EndProgress()
{
    std::lock_guard lock(m_mutex);
    if (!m_progressShown)
        return;
    writeErr("\r\033[K");
    m_progressShown = false;
}

TStdOutput::TStdOutput() : m_terminal(isatty(STDERR_FILENO) == 1) {}

void TStdOutput::writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void TStdOutput::writeErr(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

namespace {

QStringList lines(const QByteArray &bytes)
{
    QStringList out = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

} // namespace

QStringList TBufferOutput::out() const
{
    std::lock_guard lock(m_bufferMutex);
    return lines(m_out);
}

QStringList TBufferOutput::err() const
{
    std::lock_guard lock(m_bufferMutex);
    return lines(m_err);
}

void TBufferOutput::writeOut(const QByteArray &bytes)
{
    std::lock_guard lock(m_bufferMutex);
    m_out += bytes;
}

void TBufferOutput::writeErr(const QByteArray &bytes)
{
    std::lock_guard lock(m_bufferMutex);
    m_err += bytes;
}

#pragma once
// Where tolm-cli writes: results on standard output, messages on standard
// error, both UTF-8 (the terminal's encoding; the program's files stay
// Windows-1251). Every line is flushed at once, so a script or a test that
// reads the output sees a reading as soon as it is archived, and a kill
// loses no line that was already printed. Safe to call from any thread: the
// polling prints from the request thread.

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <mutex>

class TCliOutput
{
public:
    virtual ~TCliOutput() = default;

    // One result line (text mode) or one JSON object on one line.
    void Line(const QString &text);
    void Json(const QJsonObject &object);
    // One message line; line breaks inside ("\r" between the two lines of a
    // failure message) become ": ", so every message stays on one line.
    void Error(const QString &text);
    // Progress on a terminal: rewritten in place, no line end.
    void Progress(const QString &text);
    void EndProgress();
    // Whether progress is shown at all (standard error is a terminal).
    virtual bool ShowsProgress() const { return false; }

    // One line of a message as Error prints it.
    static QString OneLine(const QString &text);

protected:
    virtual void writeOut(const QByteArray &bytes) = 0;
    virtual void writeErr(const QByteArray &bytes) = 0;

private:
    std::mutex m_mutex;
    bool m_progressShown = false;
};

// The process's standard output and error.
class TStdOutput final : public TCliOutput
{
public:
    TStdOutput();
    bool ShowsProgress() const override { return m_terminal; }

protected:
    void writeOut(const QByteArray &bytes) override;
    void writeErr(const QByteArray &bytes) override;

private:
    bool m_terminal;
};

// Collects the lines, for tests.
class TBufferOutput final : public TCliOutput
{
public:
    QStringList out() const;
    QStringList err() const;

protected:
    void writeOut(const QByteArray &bytes) override;
    void writeErr(const QByteArray &bytes) override;

private:
    mutable std::mutex m_bufferMutex;
    QByteArray m_out;
    QByteArray m_err;
};

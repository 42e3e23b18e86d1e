#pragma once
// A text log that appends one time-stamped line per call and keeps no file
// open in between, so a line is on disk when Add returns and the file can be
// read or moved while the program runs. Used for the exchange log and the
// gauge's black-box record.

#include <QString>

class TLog
{
public:
    TLog() = default;

    const QString &FileName() const { return m_fileName; }
    // An empty name leaves the previous one.
    void SetFileName(const QString &name);
    void Assign(const TLog &source) { m_fileName = source.m_fileName; }

    // Appends "dd.mm.yyyy hh:nn:ss,zzz text" with CR LF, creating missing
    // folders and the file. False when the line could not be written (the
    // exchange goes on without its log line).
    bool Add(const QString &text) const;

private:
    QString m_fileName = QStringLiteral("log.txt");
};

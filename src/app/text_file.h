#pragma once
// Every text file the program reads or writes (settings, logs, archive text
// files, capture files, parameter sets) is Windows-1251 with CR LF line ends,
// so the files move to and from the Windows workstations unchanged.

#include <QByteArray>
#include <QString>
#include <QStringList>

QByteArray ToCp1251(const QString &text);
QString FromCp1251(const QByteArray &bytes);

// What keeps these bytes from reading as lines of a text file: a byte 0
// (a binary file) or line ends of CR alone (an old Macintosh text); empty
// when they read well.
QString TextProblem(const QByteArray &bytes);

// Reads the lines of a text file; CR LF, LF and a missing last line end are
// all accepted. False when the file cannot be read.
bool ReadTextLines(const QString &fileName, QStringList &lines);
// Replaces the file with these lines, each ended by CR LF, atomically.
bool WriteTextLines(const QString &fileName, const QStringList &lines);
// Appends lines, each ended by CR LF, creating the file (not its folder)
// when missing. False when they cannot be written, with the file as it was
// (no part of a line).
bool AppendTextLines(const QString &fileName, const QStringList &lines);
bool AppendTextLine(const QString &fileName, const QString &line);

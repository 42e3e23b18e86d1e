#pragma once
// Every text file the program reads or writes (settings, logs, archive text
// files, capture files, parameter sets) is Windows-1251 with CR LF line ends,
// so the files move to and from the Windows workstations unchanged.

#include <QByteArray>
#include <QString>
#include <QStringList>

QByteArray ToCp1251(const QString &text);
QString FromCp1251(const QByteArray &bytes);

// Reads the lines of a text file; CR LF, LF and a missing last line end are
// all accepted. False when the file cannot be read.
bool ReadTextLines(const QString &fileName, QStringList &lines);
// Replaces the file with these lines, each ended by CR LF, atomically.
bool WriteTextLines(const QString &fileName, const QStringList &lines);
// Appends one line ended by CR LF, creating the file (not its folder) when
// missing. False when it cannot be written.
bool AppendTextLine(const QString &fileName, const QString &line);

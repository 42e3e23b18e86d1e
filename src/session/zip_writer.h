#pragma once
// A ZIP file made at once from files and texts already in memory. Files are
// read by the caller first, so a log that grows while the archive is made
// goes in as it was when read, and whole.
//
// The file appears complete or not at all: it is made under a temporary
// name beside the target, synced and renamed at the end, so a full disk or
// a power cut leaves no half archive and an existing file of that name stays
// until the new one is whole.

#include <QByteArray>
#include <QList>
#include <QString>

struct TZipEntry {
    QString Name; // path inside the archive, "/" between folders
    QByteArray Bytes;
};

// False with a one-line Russian `error` naming the file.
bool WriteZip(const QString &path, const QList<TZipEntry> &entries, QString &error);

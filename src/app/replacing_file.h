#pragma once
// A file that replaces another only once it is whole: the writer (a PDF
// printer, the ZIP library) writes to TemporaryPath(), a new file in the
// same folder; Commit() puts it on the disk for good and renames it over
// the target. Until then, and whenever anything fails (a full disk, a
// writer that gave up), the old file stays as it was; an uncommitted
// temporary file is removed with the object.

#include <QString>
#include <QTemporaryFile>

class TReplacingFile
{
public:
    explicit TReplacingFile(const QString &target);
    TReplacingFile(const TReplacingFile &) = delete;
    TReplacingFile &operator=(const TReplacingFile &) = delete;

    // Empty when no temporary file could be made in the target's folder.
    QString TemporaryPath() const { return m_temporaryPath; }
    // False, with a Russian text naming the target, when the temporary
    // file is missing or empty or cannot be synced or renamed.
    bool Commit(QString &error);

private:
    QString m_target;
    QTemporaryFile m_temporary;
    QString m_temporaryPath;
};

#pragma once
// A throw-away program folder for one test: the "INI" folder exists, as in
// an installation, and everything is removed when the test ends.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TempHome
{
public:
    TempHome();
    QString path() const { return m_dir.path(); }
    // Absolute path of a file or folder below the program folder.
    QString file(const QString &relative) const { return QDir(m_dir.path()).filePath(relative); }
    // Writes raw bytes (no conversion) to a file below the program folder.
    void writeRaw(const QString &relative, const QByteArray &bytes) const;
    QByteArray readRaw(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

#pragma once
// A small file system of its own for one test: a tmpfs of a few hundred
// kilobytes mounted into a temporary folder and unmounted when the test
// ends. Fill() takes every free byte with one ballast file, Free() gives
// the space back, so a test sees a disk that is full and then is not.
// Mounting needs root; where it is not allowed, Mounted() is false and
// SkipReason() says why.

#include <QString>
#include <QTemporaryDir>

class SmallDisk
{
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return m_mounted; }
    QString SkipReason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const;

    // Takes all free space but `leaveBytes`.
    void Fill(qint64 leaveBytes = 0);
    void Free();
    qint64 FreeBytes() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

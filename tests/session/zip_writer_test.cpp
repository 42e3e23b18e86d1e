// The service bundle's ZIP on a disk that fills: the bundle saved before
// under the same name stays whole, nothing half-written is left beside it,
// and once there is room the new one replaces it.

#include "session/zip_writer.h"
#include "support/small_disk.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Bytes that do not compress, so the archive needs their room on the disk.
QByteArray Noise(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return bytes;
}

} // namespace

TEST(ZipWriter, AFullDiskLeavesTheBundleSavedBeforeAsItWas)
{
    SmallDisk disk(512);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    const QString path = disk.file(QStringLiteral("bundle.zip"));
    QString error;
    ASSERT_TRUE(WriteZip(path, {{QStringLiteral("README.txt"), "first"}}, error)) << error.toStdString();
    const QByteArray before = ReadAll(path);

    disk.Fill(64 * 1024);
    const QList<TZipEntry> big{{QStringLiteral("Exchange.log"), Noise(128 * 1024, 7)}};
    EXPECT_FALSE(WriteZip(path, big, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать"))) << error.toStdString();
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).join('|').toStdString(),
              ".ballast|bundle.zip");

    disk.Free();
    ASSERT_TRUE(WriteZip(path, big, error)) << error.toStdString();
    EXPECT_GT(ReadAll(path).size(), 128 * 1024);
}

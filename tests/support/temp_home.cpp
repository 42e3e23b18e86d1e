#include "support/temp_home.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TempHome::TempHome()
{
    EXPECT_TRUE(m_dir.isValid());
    QDir(m_dir.path()).mkpath(QStringLiteral("INI"));
}

void TempHome::writeRaw(const QString &relative, const QByteArray &bytes) const
{
    const QString name = file(relative);
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray TempHome::readRaw(const QString &relative) const
{
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

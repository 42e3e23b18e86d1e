#include "archive/archive_settings.h"

#include "app/ini_file.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(ArchiveSettings, MissingFileGivesDataFolderAndIsCreatedAtTheEnd)
{
    TempHome home;
    const TArchiveSettings settings = LoadArchiveSettings(home.path());
    EXPECT_EQ(settings.dbPath, home.file(QStringLiteral("DATA")));
    EXPECT_TRUE(settings.dbAlias.isEmpty());

    ASSERT_TRUE(SaveArchiveSettings(home.path(), settings));
    const TIniFile ini(home.file(QStringLiteral("INI/bde.ini")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("BDE"), QStringLiteral("dbPath"), {}), home.file(QStringLiteral("DATA")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("BDE"), QStringLiteral("dbAlias")));
}

TEST(ArchiveSettings, EmptyPathMeansDataFolderAndAliasIsCarriedAlong)
{
    TempHome home;
    home.writeRaw(QStringLiteral("INI/bde.ini"),
                  "; workstation 3\r\n[BDE]\r\ndbAlias=TOLM_ARCH\r\ndbPath=\r\n[Other]\r\nKey=1\r\n");
    TArchiveSettings settings = LoadArchiveSettings(home.path());
    EXPECT_EQ(settings.dbPath, home.file(QStringLiteral("DATA")));
    EXPECT_EQ(settings.dbAlias, QStringLiteral("TOLM_ARCH"));

    settings.dbPath = QStringLiteral("/srv/archive/");
    ASSERT_TRUE(SaveArchiveSettings(home.path(), settings));
    EXPECT_EQ(home.readRaw(QStringLiteral("INI/bde.ini")),
              QByteArray("; workstation 3\r\n[BDE]\r\ndbAlias=TOLM_ARCH\r\ndbPath=/srv/archive/\r\n[Other]\r\nKey=1\r\n"));
    EXPECT_EQ(LoadArchiveSettings(home.path()).dbPath, QStringLiteral("/srv/archive/"));
}

TEST(ArchiveSettings, WithoutTheIniFolderSavingFailsQuietly)
{
    TempHome home;
    ASSERT_TRUE(QDir(home.file(QStringLiteral("INI"))).removeRecursively());
    EXPECT_FALSE(SaveArchiveSettings(home.path(), LoadArchiveSettings(home.path())));
}

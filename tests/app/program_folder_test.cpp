// Where the program keeps its files: beside a writable executable, or in
// the user's folder seeded with the installed defaults.

#include "app/program_folder.h"

#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(ProgramFolder, WritableCopyStaysBesideItsExecutableAnInstalledOneMovesToTheUsersFolder)
{
    TempHome home;
    home.writeRaw("usr/bin/.keep", "");
    home.writeRaw("usr/share/tolm47x/INI/ComPort.ini", "[Transmitter]\r\nPort=ttyUSB0\r\n");
    home.writeRaw("usr/share/tolm47x/INI/ProgramTypes.ini", "471\r\n472\r\n");
    const QString bin = home.file("usr/bin");
    const QString defaults = InstalledIniDefaults(bin);
    EXPECT_EQ(defaults, home.file("usr/share/tolm47x/INI"));
    const QString user = home.file("user/.local/share/tolm47x");

    EXPECT_TRUE(FolderWritable(bin));
    EXPECT_FALSE(FolderWritable(home.file("no/such/folder")));
    // Writable, but installed: the defaults lie in ../share and the folder
    // has no INI of its own (root started /usr/bin/tolm47x).
    EXPECT_FALSE(PortableCopy(bin));
    home.writeRaw("usr/bin/INI/ComPort.ini", "");
    EXPECT_TRUE(PortableCopy(bin));
    const TProgramFolder portable = ResolveProgramFolder(bin, true, user, defaults);
    EXPECT_EQ(portable.Path, bin);
    EXPECT_FALSE(portable.Installed);
    EXPECT_FALSE(QDir(user).exists()) << "a portable copy leaves the user's folder alone";

    // Installed (its folder read-only): the defaults seed the user's INI,
    // byte for byte.
    const TProgramFolder installed = ResolveProgramFolder(bin, false, user, defaults);
    EXPECT_EQ(installed.Path, user);
    EXPECT_TRUE(installed.Installed);
    EXPECT_EQ(bytes(user + "/INI/ComPort.ini"), QByteArray("[Transmitter]\r\nPort=ttyUSB0\r\n"));

    // At the next start the user's settings stay; the list of gauge types
    // is the installation's and follows it.
    home.writeRaw("user/.local/share/tolm47x/INI/ComPort.ini", "[Transmitter]\r\nPort=ttyUSB3\r\n");
    home.writeRaw("usr/share/tolm47x/INI/ProgramTypes.ini", "471\r\n472\r\n47x\r\n");
    ResolveProgramFolder(bin, false, user, defaults);
    EXPECT_EQ(bytes(user + "/INI/ComPort.ini"), QByteArray("[Transmitter]\r\nPort=ttyUSB3\r\n"));
    EXPECT_EQ(bytes(user + "/INI/ProgramTypes.ini"), QByteArray("471\r\n472\r\n47x\r\n"));
}

#include "app/window_position.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {
const TWindowGeometry kLayout{100, 50, 640, 480, TWindowGeometry::Normal};
}

TEST(WindowPosition, MissingFileSectionOrKeysLeaveTheLayout)
{
    TempHome home;
    const QString file = home.file("INI/WndPos.ini");
    EXPECT_EQ(RestoreWindowGeometry(file, "FormMain", kLayout), kLayout);

    home.writeRaw("INI/WndPos.ini", "[formmain]\r\nLeft=-8\r\nWidth=1024\r\n");
    EXPECT_EQ(RestoreWindowGeometry(file, "FormGraph", kLayout), kLayout);
    EXPECT_EQ(RestoreWindowGeometry(file, "FormMain", kLayout),
              (TWindowGeometry{-8, 50, 1024, 480, TWindowGeometry::Normal}));
}

TEST(WindowPosition, DamagedValuesNeverHideTheWindow)
{
    TempHome home;
    home.writeRaw("INI/WndPos.ini", "[FormSpectrum]\r\nLeft=abc\r\nTop=20\r\nWidth=0\r\nHeight=-300\r\n"
                                    "WindowState=7\r\n");
    EXPECT_EQ(RestoreWindowGeometry(home.file("INI/WndPos.ini"), "FormSpectrum", kLayout),
              (TWindowGeometry{100, 20, 640, 480, TWindowGeometry::Normal}));
}

TEST(WindowPosition, SaveCreatesTheFileAndKeepsOtherWindows)
{
    TempHome home;
    const QString file = home.file("INI/WndPos.ini");
    const TWindowGeometry maximised{0, 0, 1920, 1040, TWindowGeometry::Maximized};
    ASSERT_TRUE(SaveWindowGeometry(file, "FormMain", maximised));
    ASSERT_TRUE(SaveWindowGeometry(file, "FormReqAns", kLayout));
    EXPECT_EQ(home.readRaw("INI/WndPos.ini"),
              QByteArray("[FormMain]\r\nName=FormMain\r\nLeft=0\r\nTop=0\r\nWidth=1920\r\nHeight=1040\r\n"
                         "WindowState=2\r\n"
                         "[FormReqAns]\r\nName=FormReqAns\r\nLeft=100\r\nTop=50\r\nWidth=640\r\nHeight=480\r\n"
                         "WindowState=0\r\n"));
    EXPECT_EQ(RestoreWindowGeometry(file, "FormMain", kLayout), maximised);

    EXPECT_FALSE(SaveWindowGeometry(home.file("NOINI/WndPos.ini"), "FormMain", kLayout));
}

#include "app/app_context.h"
#include "support/core_application.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

TEST(Switches, CompareExactlyAndCaseSensitively)
{
    const TAppFlags upper = ParseSwitches({"/opt/tolm/tolm", "/FULL", "/Lumidor", " /modbus", "/sim "});
    EXPECT_FALSE(upper.FullMode);
    EXPECT_FALSE(upper.LumidorMode);
    EXPECT_FALSE(upper.ModbusMode);
    EXPECT_FALSE(upper.SimMode);

    const TAppFlags all = ParseSwitches({"/opt/tolm/tolm", "/modbus", "/full", "/modbus", "/sim", "/lumidor"});
    EXPECT_TRUE(all.FullMode);
    EXPECT_TRUE(all.LumidorMode);
    EXPECT_TRUE(all.ModbusMode);
    EXPECT_TRUE(all.SimMode);
    EXPECT_EQ(all.LogRadix, 16);
}

TEST(Switches, TheProgramPathTakesPartInTheComparison)
{
    const TAppFlags flags = ParseSwitches({"/full"});
    EXPECT_TRUE(flags.FullMode);
    EXPECT_FALSE(flags.ModbusMode);
}

TEST(AppContext, LineAndArchiveSettingsBesideTheProgramTimersAndWindowsInTheStartFolder)
{
    const TAppContext context("/opt/tolm", "/home/engineer/job", {"/opt/tolm/tolm", "/lumidor"});
    EXPECT_EQ(context.ComPortIni(), "/opt/tolm/INI/ComPort.ini");
    EXPECT_EQ(context.BdeIni(), "/opt/tolm/INI/bde.ini");
    EXPECT_EQ(context.DataFolder(), "/opt/tolm/DATA");
    EXPECT_EQ(context.ProgramIniFile("ProgramTypes.ini"), "/opt/tolm/INI/ProgramTypes.ini");
    EXPECT_EQ(context.TimerIni(), "/home/engineer/job/INI/Timer.ini");
    EXPECT_EQ(context.WndPosIni(), "/home/engineer/job/INI/WndPos.ini");
    EXPECT_TRUE(context.Flags.LumidorMode);
    EXPECT_FALSE(context.Flags.FullMode);
}

TEST(AppContext, TheRunningProgramUsesItsOwnFolderAndTheCurrentDirectory)
{
    EnsureCoreApplication();
    const TAppContext context = TAppContext::FromApplication();
    EXPECT_EQ(context.ProgramFolder(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(context.StartFolder(), QDir::currentPath());

    SetAppContext(TAppContext("/p", "/s", {"x", "/full"}));
    EXPECT_EQ(AppContext().TimerIni(), "/s/INI/Timer.ini");
    EXPECT_TRUE(AppContext().Flags.FullMode);
    SetAppContext(TAppContext());
}

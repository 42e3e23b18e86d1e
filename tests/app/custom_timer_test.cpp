#include "app/app_context.h"
#include "app/custom_timer.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QEventLoop>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class CustomTimerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        // Program and start folder differ, as when started from a shortcut.
        SetAppContext(TAppContext(home.file("program"), home.path()));
    }
    void TearDown() override { SetAppContext(TAppContext()); }

    TempHome home;
};

} // namespace

TEST_F(CustomTimerTest, ANewTimerIsADisabled200MsCustomTimer)
{
    TCustomTimer timer;
    EXPECT_EQ(timer.Name(), "CustomTimer");
    EXPECT_EQ(timer.Interval(), 200);
    EXPECT_FALSE(timer.IsEnabled());
    EXPECT_EQ(timer.FileName(), "Timer.ini");
    EXPECT_EQ(timer.SettingsPath(), home.file("INI/Timer.ini"));
}

TEST_F(CustomTimerTest, LoadedSectionGivesARunningTimerThatTicks)
{
    home.writeRaw("INI/Timer.ini", "[ctReqDevices]\r\nEnabled=1\r\nInterval=1000\r\n"
                                   "[ctAvtoReadSignal]\r\nEnabled=1\r\nInterval=20\r\n");
    TCustomTimer polling;
    polling.SetName("ctReqDevices");
    polling.Load();
    EXPECT_TRUE(polling.IsEnabled());
    EXPECT_EQ(polling.Interval(), 1000);

    TCustomTimer signal;
    signal.SetName("ctAvtoReadSignal");
    signal.Load();
    int ticks = 0;
    QEventLoop loop;
    QObject::connect(&signal, &QTimer::timeout, &loop, [&] {
        if (++ticks == 3)
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(ticks, 3);
}

TEST_F(CustomTimerTest, MissingOrDamagedSettingsGiveTheDefaults)
{
    home.writeRaw("INI/Timer.ini", "[Zero]\r\nEnabled=yes\r\nInterval=0\r\n[Negative]\r\nInterval=-5\r\n");
    for (const char *name : {"Absent", "Zero", "Negative"}) {
        SCOPED_TRACE(name);
        TCustomTimer timer;
        timer.SetName(name);
        timer.SetInterval(700);
        timer.Start();
        timer.Load();
        EXPECT_FALSE(timer.IsEnabled());
        EXPECT_EQ(timer.Interval(), 200);
    }
}

TEST_F(CustomTimerTest, LoadMakesTheMissingFileButNotTheMissingFolder)
{
    TCustomTimer timer;
    timer.Load();
    EXPECT_TRUE(QFileInfo(home.file("INI/Timer.ini")).isFile());

    SetAppContext(TAppContext(home.path(), home.file("elsewhere")));
    TCustomTimer orphan;
    orphan.Load();
    EXPECT_FALSE(orphan.IsEnabled());
    EXPECT_FALSE(QFileInfo::exists(home.file("elsewhere")));
    EXPECT_FALSE(orphan.Save());
}

TEST_F(CustomTimerTest, SaveWritesItsSectionAndKeepsTheOthers)
{
    home.writeRaw("INI/Timer.ini", "[ctReqDevices]\r\nEnabled=0\r\nInterval=1000\r\n");
    TCustomTimer timer;
    timer.SetName("ctAvtoReadSignal");
    timer.SetInterval(5000);
    timer.Start();
    ASSERT_TRUE(timer.Save());
    EXPECT_EQ(home.readRaw("INI/Timer.ini"), QByteArray("[ctReqDevices]\r\nEnabled=0\r\nInterval=1000\r\n"
                                                        "[ctAvtoReadSignal]\r\nEnabled=1\r\nInterval=5000\r\n"));
    // Settings of the timers live under the start folder only.
    EXPECT_FALSE(QFileInfo::exists(home.file("program/INI/Timer.ini")));
}

TEST_F(CustomTimerTest, StartAndStopAnnounceTheNewStatePauseDoesNot)
{
    TCustomTimer timer;
    std::vector<bool> announced;
    QObject::connect(&timer, &TCustomTimer::OnStateChange, [&](TCustomTimer *sender) {
        EXPECT_EQ(sender, &timer);
        announced.push_back(sender->IsEnabled());
    });
    timer.Start();
    timer.Pause(true);
    EXPECT_FALSE(timer.IsEnabled());
    timer.Pause(false);
    EXPECT_TRUE(timer.IsEnabled());
    timer.Stop();
    EXPECT_EQ(announced, std::vector<bool>({true, false}));
}

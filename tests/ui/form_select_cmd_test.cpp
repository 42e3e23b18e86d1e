#include "form_views_bench.h"

#include "protocol/command_codes.h"
#include "protocol/frame.h"

#include <QCheckBox>
#include <QTest>

#include <mutex>

namespace {

class SelectCmdWindow : public ViewsBench
{
protected:
    TFormSelectCMD &Open()
    {
        EXPECT_EQ(TFormSelectCMD::ShowSelectCmd(cycle), 0);
        return *TFormSelectCMD::Instance();
    }

    QList<int> PollSet() const
    {
        QList<int> codes;
        for (int code = 0; code < TRequestCycle::kPollCodes; ++code)
            if (cycle.IsPolled(code))
                codes.append(code);
        return codes;
    }

    // Frames as they went on the line, checksum included.
    void RecordFrames()
    {
        line.SetOnExchange([this](TLine *, const QByteArray &request, bool, const QByteArray &) {
            std::lock_guard lock(m_mutex);
            m_frames.append(request);
        });
    }
    QList<QByteArray> Frames()
    {
        std::lock_guard lock(m_mutex);
        return m_frames;
    }
    QByteArray GaugeFrame(int code) { return AppendCrc16(*model.BuildRequest(code)); }
    static QByteArray MeterFrame() { return QByteArray("\x01\x00\x01\x00\xA0", 5); }

private:
    std::mutex m_mutex;
    QList<QByteArray> m_frames;
};

} // namespace

TEST_F(SelectCmdWindow, FreshStartPollsAllReadingsOnTheGaugeOnlyAndHidesTheFactoryBoxes)
{
    TFormSelectCMD &window = Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Команды ТОЛМ47xИ"));
    EXPECT_EQ(PollSet(), QList<int>{LevelAllRead});
    EXPECT_TRUE(window.chbLevelAll->isChecked());
    EXPECT_TRUE(cycle.Device(0).Enabled);
    EXPECT_FALSE(cycle.Device(1).Enabled);

    RecordFrames();
    RunPasses(2);
    EXPECT_EQ(Frames(), (QList<QByteArray>{GaugeFrame(LevelAllRead), GaugeFrame(LevelAllRead)}));

    const QList<QCheckBox *> fullModeOnly{window.chbReserve, window.chbUsil, window.chbCurrentOutput};
    for (QCheckBox *box : fullModeOnly)
        EXPECT_FALSE(box->isVisible()) << box->objectName().toStdString();
    EXPECT_TRUE(window.chbTemp->isVisible());
    SetFullMode(true);
    window.UpdateView();
    for (QCheckBox *box : fullModeOnly)
        EXPECT_TRUE(box->isVisible()) << box->objectName().toStdString();
}

TEST_F(SelectCmdWindow, SelectAllOutsideFullModeSendsItsCodesInAscendingOrderAndClearsThemAgain)
{
    // Gain and the meter were switched on before (in full mode).
    cycle.SetPolled(UsilRead, true);
    cycle.SetDeviceEnabled(1, true);
    TFormSelectCMD &window = Open();
    EXPECT_TRUE(window.chbUsil->isChecked());
    EXPECT_TRUE(window.chbCurrentOutput->isChecked());

    Click(window.chbSelectAll);
    EXPECT_EQ(PollSet(), (QList<int>{DistanceRead, LevelRead, LevelFreeRead, ReserveRead, LevelAllRead, Echo, TempRead}));
    EXPECT_TRUE(window.chbReserve->isChecked()); // although hidden
    EXPECT_FALSE(window.chbUsil->isChecked());
    EXPECT_FALSE(cycle.Device(1).Enabled);
    EXPECT_EQ(window.chbSelectAll->toolTip(), QStringLiteral("Выделить все команды"));

    RecordFrames();
    RunPasses(1);
    QList<QByteArray> expected;
    for (int code : {DistanceRead, LevelRead, LevelFreeRead, ReserveRead, LevelAllRead, Echo, TempRead})
        expected.append(GaugeFrame(code));
    EXPECT_EQ(Frames(), expected);

    Click(window.chbSelectAll);
    EXPECT_EQ(PollSet(), QList<int>{});
    EXPECT_FALSE(window.chbTemp->isChecked());
}

TEST_F(SelectCmdWindow, SelectAllInFullModeAlsoTakesGainAndTheMeter)
{
    SetFullMode(true);
    TFormSelectCMD &window = Open();
    Click(window.chbSelectAll);
    EXPECT_EQ(PollSet(),
              (QList<int>{DistanceRead, LevelRead, LevelFreeRead, ReserveRead, UsilRead, LevelAllRead, Echo, TempRead}));
    EXPECT_TRUE(cycle.Device(1).Enabled);
}

TEST_F(SelectCmdWindow, CurrentOutputWithTheGaugeDisabledPollsOnlyTheMeter)
{
    SetFullMode(true);
    cycle.SetDeviceEnabled(0, false);
    TFormSelectCMD &window = Open();
    Click(window.chbCurrentOutput);
    ASSERT_TRUE(cycle.Device(1).Enabled);

    RecordFrames();
    RunPasses(3);
    EXPECT_EQ(Frames(), (QList<QByteArray>{MeterFrame(), MeterFrame(), MeterFrame()}));
    double measured = 0;
    line.WithSimulator([&](TSimLine &sim) { measured = sim.meter().current(); });
    EXPECT_NEAR(model.Readings.CurrentOutput.AsDouble(), measured, 0.1);

    // Cleared again: no device is left for the passes.
    Click(window.chbCurrentOutput);
    EXPECT_FALSE(cycle.AnyDeviceEnabled());
}

TEST_F(SelectCmdWindow, ReopenedWindowShowsThePollSetAsItStands)
{
    TFormSelectCMD &first = Open();
    Click(first.chbTemp);
    QTest::keyClick(&first, Qt::Key_Escape);
    EXPECT_EQ(TFormSelectCMD::Instance(), nullptr);
    // Closing leaves the poll set as it is.
    EXPECT_EQ(PollSet(), (QList<int>{LevelAllRead, TempRead}));

    TFormSelectCMD &second = Open();
    EXPECT_TRUE(second.chbTemp->isChecked());
    EXPECT_TRUE(second.chbLevelAll->isChecked());
    EXPECT_FALSE(second.chbEcho->isChecked());
}

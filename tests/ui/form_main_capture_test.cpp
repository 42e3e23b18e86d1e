// Array capture from the main window: the capture files of the periodic
// signal capture, the capture under polling, and a capture file that cannot
// be written.

#include "form_main_bench.h"

#include "protocol/command_codes.h"
#include "ui/windows/form_signal.h"
#include "ui/windows/form_spectrum.h"
#include "ui/windows/spectrum_overlays.h"

#include <QDir>

namespace {

class FormMainCapture : public FormMainBench
{
protected:
    // The operator's shortest capture period: no tick of the timer comes
    // between the captures a test starts itself, however slow the machine.
    FormMainCapture()
    {
        home.writeRaw(QStringLiteral("INI/Timer.ini"), "[ctAvtoReadSignal]\r\nEnabled=0\r\nInterval=30000\r\n");
    }

    QString DayFolder() const { return home.file(QStringLiteral("DATA/2026/12/08")); }
    QStringList CaptureFiles() const
    {
        return QDir(DayFolder()).entryList({QStringLiteral("S*.txt")}, QDir::Files, QDir::Name);
    }
};

// One array read on the line: stop, init, the blocks, stop.
QList<int> ArrayRead(int init, int blocks)
{
    QList<int> codes{InitReadStop, init};
    codes += QList<int>(blocks, DataBlockRead);
    codes.append(InitReadStop);
    return codes;
}

TEST_F(FormMainCapture, SignalCaptureWritesBothArraysAtOnceAndTheSummaryOnlyFirst)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actOprosSignalStart"));
    EXPECT_EQ(SentCodes(), ArrayRead(SignalReadInit, 32) + ArrayRead(SpectrumReadInit, 16));
    EXPECT_EQ(CaptureFiles(), (QStringList{QStringLiteral("Signal_20261208_101500_0000.txt"),
                                           QStringLiteral("Signal_20261208_101500_0001.txt"),
                                           QStringLiteral("Spectrum_20261208_101500_0000.txt"),
                                           QStringLiteral("Spectrum_20261208_101500_0001.txt")}));
    EXPECT_TRUE(form->CaptureTimer().IsEnabled());
    EXPECT_FALSE(Enabled("actOprosSignalStart"));
    EXPECT_TRUE(Enabled("actOprosSignalStop"));
    EXPECT_GT(Model().Arrays.SpectrumMax(), 0); // the simulated gauge's echo arrived
    EXPECT_TRUE(Messages().isEmpty());

    // The next period: new data files, the summaries are not written again.
    QFile::remove(DayFolder() + QStringLiteral("/Signal_20261208_101500_0000.txt"));
    QFile::remove(DayFolder() + QStringLiteral("/Spectrum_20261208_101500_0000.txt"));
    form->OnCaptureTimer();
    WaitIdle();
    EXPECT_EQ(CaptureFiles(), (QStringList{QStringLiteral("Signal_20261208_101500_0001.txt"),
                                           QStringLiteral("Signal_20261208_101500_0002.txt"),
                                           QStringLiteral("Spectrum_20261208_101500_0001.txt"),
                                           QStringLiteral("Spectrum_20261208_101500_0002.txt")}));
    EXPECT_TRUE(form->CaptureTimer().IsEnabled()); // runs on after the tick

    ASSERT_TRUE(Execute("actOprosSignalStop"));
    EXPECT_FALSE(form->CaptureTimer().IsEnabled());
    EXPECT_TRUE(Enabled("actOprosSignalStart"));
}

TEST_F(FormMainCapture, CapturePastMidnightTakesTheNewDateButKeepsItsStartTime)
{
    clock.clock().Set(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 55)));
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actOprosSignalStart"));
    // The signal's two seconds of pauses end before midnight, the
    // spectrum's five after it.
    EXPECT_EQ(CaptureFiles(), (QStringList{QStringLiteral("Signal_20261208_235955_0000.txt"),
                                           QStringLiteral("Signal_20261208_235955_0001.txt")}));
    EXPECT_EQ(QDir(home.file(QStringLiteral("DATA/2026/12/09"))).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("Spectrum_20261209_235955_0000.txt"),
                           QStringLiteral("Spectrum_20261209_235955_0001.txt")}));
}

TEST_F(FormMainCapture, CaptureReadsBothArraysWhilePollingLocksTheMenuCommands)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actOprosStart"));
    EXPECT_FALSE(Enabled("actSpectrumRead"));
    EXPECT_FALSE(Action("actSpectrumRead")->isEnabled());
    EXPECT_FALSE(Execute("actSpectrumRead"));
    EXPECT_TRUE(SentCodes().isEmpty());

    form->OnCaptureTimer();
    WaitIdle();
    EXPECT_EQ(SentCodes(), ArrayRead(SignalReadInit, 32) + ArrayRead(SpectrumReadInit, 16));
    EXPECT_EQ(CaptureFiles().size(), 4);
    // Locked again, and polling runs on.
    EXPECT_FALSE(Enabled("actSpectrumRead"));
    EXPECT_FALSE(Enabled("actSignalRead"));
    EXPECT_FALSE(Enabled("actInitReadStart"));
    EXPECT_TRUE(program->PollingTimer().IsEnabled());
}

TEST_F(FormMainCapture, UnwritableCaptureFileIsReportedAndTheCommandStaysUsable)
{
    // The archive folder lies below a plain file: no day folder can be made.
    home.writeRaw(QStringLiteral("blocked"), "not a folder");
    home.writeRaw(QStringLiteral("INI/bde.ini"),
                  "[BDE]\r\ndbPath=" + home.file(QStringLiteral("blocked/DATA")).toLocal8Bit() + "\r\n");
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actSpectrumRead"));
    EXPECT_EQ(SentCodes(), ArrayRead(SpectrumReadInit, 16));
    const QList<TOperatorCall> errors = op.CallsOf(QStringLiteral("ShowMessage"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].Args.value(0), int(TMessageIcon::Error));
    EXPECT_FALSE(errors[0].Text.isEmpty());
    EXPECT_TRUE(Enabled("actSpectrumRead"));
    EXPECT_TRUE(Enabled("actInitReadStart"));
    EXPECT_TRUE(Enabled("actInitReadStop"));
    ClearSent();
    EXPECT_TRUE(Execute("actSpectrumRead"));
    EXPECT_EQ(SentCodes(), ArrayRead(SpectrumReadInit, 16));
}

// An array read runs on the procedure runner: until it has ended, every
// other command is refused and shown disabled, while the windows and
// polling stay usable, and the main window asks before it closes: answered
// No, the read goes on to its end.
TEST_F(FormMainCapture, WhileAnArrayIsReadOnlyWindowsAndPollingAreUsable)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actSpectrumRead")));
    ASSERT_TRUE(program->Session().Runner().Busy());
    for (const char *name : {"actSignalRead", "actSpectrumRead", "actHmaxRead", "actEcho", "actAllParamRead"}) {
        EXPECT_FALSE(Enabled(name)) << name;
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
        EXPECT_FALSE(form->ExecuteAction(QString::fromUtf8(name))) << name;
    }
    EXPECT_TRUE(Enabled("actOprosStart"));
    EXPECT_TRUE(Enabled("actReqAnsShow"));
    op.Answer(false);
    EXPECT_FALSE(form->close());

    WaitIdle();
    EXPECT_EQ(SentCodes(), ArrayRead(SpectrumReadInit, 16));
    for (const char *name : {"actSignalRead", "actSpectrumRead", "actHmaxRead", "actEcho", "actAllParamRead"})
        EXPECT_TRUE(Enabled(name)) << name;
    ASSERT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).size(), 1);
    EXPECT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).value(0).Text, QStringLiteral("Завершить работу?"));
}

// Each read shows its array: the window opens on the first read and is
// refilled from the model on every later one, also while it stays open.
TEST_F(FormMainCapture, EveryArrayReadOpensAndRefillsItsWindow)
{
    Start({QStringLiteral("/full")});
    EXPECT_EQ(TFormSpectrum::Instance(), nullptr);
    ASSERT_TRUE(Execute("actSpectrumRead"));
    TFormSpectrum *spectrum = TFormSpectrum::Instance();
    ASSERT_NE(spectrum, nullptr);
    EXPECT_TRUE(spectrum->isVisible());
    EXPECT_EQ(spectrum->Points(), DecibelPoints(Model().Arrays.Spectrum, Model().Arrays.SpectrumMax()));
    EXPECT_EQ(spectrum->Points().size(), 512);

    // The next read brings another noise floor; the open window shows it.
    const QList<QPointF> first = spectrum->Points();
    ASSERT_TRUE(Execute("actSpectrumRead"));
    EXPECT_EQ(TFormSpectrum::Instance(), spectrum);
    EXPECT_EQ(spectrum->Points().size(), 512);
    EXPECT_EQ(spectrum->Points(), DecibelPoints(Model().Arrays.Spectrum, Model().Arrays.SpectrumMax()));
    EXPECT_NE(spectrum->Points(), first);

    ASSERT_TRUE(Execute("actSignalRead"));
    TFormSignal *signal = TFormSignal::Instance();
    ASSERT_NE(signal, nullptr);
    ASSERT_EQ(signal->Points().size(), 1024);
    EXPECT_EQ(signal->Points()[700].y(), Model().Arrays.Signal[700]);
    EXPECT_NE(Model().Arrays.Signal[700], 0);
}

} // namespace

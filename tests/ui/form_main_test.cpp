// The main window on the simulated gauge: its commands as the gauge sees
// them, the rules of hidden, locked and extended actions, the hidden
// chords, the start-up state and the close.

#include "form_main_bench.h"
#include "modal_dialog.h"

#include "protocol/command_codes.h"
#include "link/transmitter.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "ui/windows/form_graph.h"
#include "ui/windows/form_line_gauges.h"
#include "ui/windows/form_multi_graph.h"
#include "ui/windows/form_tolm472i.h"
#include "ui/windows/form_select_cmd.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

using FormMain = FormMainBench;

TEST_F(FormMain, WriteStoresToRomOnSuccessAndReportsAFailureWithoutStoring)
{
    Start();
    Model().Config.SetHmax(18000);
    ASSERT_TRUE(Execute("actHmaxWrite"));
    EXPECT_EQ(SentCodes(), (QList<int>{HmaxWrite, WriteToPZU}));
    EXPECT_FLOAT_EQ(GaugeParameters().floatParam(FloatParam::Hmax), 18000);
    EXPECT_TRUE(Messages().isEmpty());

    ClearSent();
    FailEveryAnswer();
    Model().Config.SetHmax(17000);
    ASSERT_TRUE(Execute("actHmaxWrite"));
    EXPECT_EQ(SentCodes(), QList<int>(5, HmaxWrite)); // five attempts, no store
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Не выполнена команда\rЗаписать Hmax в прибор")});
    const QList<TOperatorCall> progress = op.CallsOf(QStringLiteral("ShowProgress"));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().Text, QStringLiteral("Повтор команды Записать Hmax в прибор"));
    EXPECT_EQ(progress.last().Args, (QVariantList{5, 5}));
}

// "Сохранить параметры " keeps what the program holds, a plant number typed
// in included; the backup beside it in the menu reads the gauge first.
TEST_F(FormMain, SavingTheParametersSendsNothingAndTheBackupReadsTheGauge)
{
    Start({QStringLiteral("/full")});
    Model().Config.SetPlantNumber(4321);
    Model().Identity.SoftVersion = 255; // the extended parameters' key
    ASSERT_TRUE(Execute("actTolm472iSave"));
    EXPECT_EQ(SentCodes(), QList<int>());
    EXPECT_EQ(Model().Config.PlantNumber(), 4321);
    EXPECT_EQ(Model().Identity.SoftVersion, 255);
    EXPECT_TRUE(op.Calls.isEmpty()) << "no question, no warning, no signature box";
    const QByteArray saved = home.readRaw(QStringLiteral("471/PN04321-20261208.ini"));
    EXPECT_TRUE(saved.contains("PlantNumber=4321\r\n")) << saved.constData();
    EXPECT_FALSE(saved.contains("Backup]"));

    QList<QAction *> work;
    for (QAction *item : form->menuBar()->actions())
        if (item->text() == QStringLiteral("Работа"))
            work = item->menu()->actions();
    const auto inWork = [&](const char *name) {
        return std::any_of(work.begin(), work.end(), [&](QAction *item) { return item->objectName() == name; });
    };
    EXPECT_TRUE(inWork("actTolm472iSave"));
    ASSERT_TRUE(inWork("actTolm472iBackup"));
    op.Answer(true); // the gauge's own plant number may name today's file already
    ASSERT_TRUE(Execute("actTolm472iBackup"));
    EXPECT_EQ(SentCodes().value(0), SignatureRead);
    bool backedUp = false;
    for (const QString &name : QDir(home.file(QStringLiteral("471"))).entryList({QStringLiteral("PN*.ini")}))
        backedUp |= home.readRaw(QStringLiteral("471/") + name).contains("[Tolm471Backup]");
    EXPECT_TRUE(backedUp);
}

TEST_F(FormMain, ReadOfTheTankHeightAppliesItAsTheDistanceRange)
{
    Start();
    ASSERT_TRUE(Execute("actHmaxRead"));
    EXPECT_EQ(SentCodes(), QList<int>{HmaxRead});
    const double gaugeHmax = GaugeParameters().floatParam(FloatParam::Hmax);
    EXPECT_DOUBLE_EQ(Model().Config.Hmax(), gaugeHmax);
    EXPECT_DOUBLE_EQ(Model().Readings.Distance.Description.Max(), gaugeHmax);
}

TEST_F(FormMain, ExtendedActionsDoNothingWithoutTheExtendedParameters)
{
    Start({QStringLiteral("/full")});
    ASSERT_FALSE(Model().Identity.HasExtendedParameters());
    const double slope = Model().Config.KrFChH();
    EXPECT_TRUE(Execute("actKrFChHRead"));
    EXPECT_TRUE(Execute("actKrFChHWrite"));
    EXPECT_TRUE(Execute("actKrFChHChange"));
    EXPECT_TRUE(SentCodes().isEmpty());
    EXPECT_TRUE(op.Calls.isEmpty());
    EXPECT_EQ(Model().Config.KrFChH(), slope);
    EXPECT_FALSE(Visible("actKrFChHRead"));

    // The signature tells the program that this gauge has them.
    ASSERT_TRUE(Execute("actSignatureRead"));
    ASSERT_TRUE(Model().Identity.HasExtendedParameters());
    EXPECT_TRUE(Visible("actKrFChHRead"));
    ClearSent();
    EXPECT_TRUE(Execute("actKrFChHRead"));
    EXPECT_EQ(SentCodes(), QList<int>{KrFChHRead});
}

TEST_F(FormMain, HiddenChordsSwitchFullModeAndTheExtendedParameters)
{
    Start();
    QWidget *anyWindow = TFormSelectCMD::Instance()->chbEcho; // the chords work in every window
    ASSERT_FALSE(AppContext().Flags.FullMode);
    EXPECT_FALSE(Action("actEcho")->isVisible());

    QTest::keyClick(anyWindow, TFormMain::FullModeChordKey, Qt::ControlModifier);
    EXPECT_TRUE(AppContext().Flags.FullMode); // one key press, one toggle
    EXPECT_TRUE(Action("actEcho")->isVisible());
    EXPECT_FALSE(Visible("actSpeedRead"));

    Model().Identity.SoftVersion = 255;
    QTest::keyClick(anyWindow, TFormMain::ExtendedChordKey, Qt::ControlModifier);
    EXPECT_EQ(Model().Identity.SoftVersion, 0);
    EXPECT_FALSE(Visible("actSpeedRead")); // hidden even in full mode
    EXPECT_TRUE(AppContext().Flags.FullMode);

    // The same key in the Russian layout ("П").
    QKeyEvent russian(QEvent::KeyPress, 0x41F, Qt::ControlModifier, QStringLiteral("п"));
    QApplication::sendEvent(anyWindow, &russian);
    EXPECT_EQ(Model().Identity.SoftVersion, 255);
    EXPECT_TRUE(Visible("actSpeedRead"));
    EXPECT_TRUE(Action("actSpeedRead")->isVisible());

    QTest::keyClick(anyWindow, TFormMain::FullModeChordKey, Qt::ControlModifier);
    EXPECT_FALSE(AppContext().Flags.FullMode);
    EXPECT_FALSE(Action("actSpeedRead")->isVisible());
    EXPECT_FALSE(Action("actEcho")->isVisible());
}

TEST_F(FormMain, PollingLocksTheLongCommandsButHiddenSingleReadsStillRun)
{
    Start();
    ASSERT_TRUE(Execute("actOprosStart"));
    EXPECT_TRUE(program->PollingTimer().IsEnabled());
    EXPECT_FALSE(Enabled("actOprosStart"));
    EXPECT_TRUE(Enabled("actOprosStop"));
    EXPECT_FALSE(Enabled("actHmaxRead"));
    EXPECT_FALSE(Action("actHmaxRead")->isEnabled());
    EXPECT_FALSE(Execute("actHmaxRead"));
    // "Эхо" is hidden outside full mode and not locked: run by name it goes out.
    EXPECT_FALSE(Visible("actEcho"));
    EXPECT_TRUE(Execute("actEcho"));
    EXPECT_EQ(SentCodes(), QList<int>{Echo});

    ASSERT_TRUE(Execute("actOprosStop"));
    EXPECT_FALSE(program->PollingTimer().IsEnabled());
    EXPECT_TRUE(Enabled("actHmaxRead"));
    EXPECT_TRUE(Action("actHmaxRead")->isEnabled());
}

TEST_F(FormMain, StartsWithPollingAndCaptureStoppedWhateverTheTimerFileSays)
{
    home.writeRaw(QStringLiteral("INI/Timer.ini"),
                  "[ctReqDevices]\r\nEnabled=1\r\nInterval=1000\r\n"
                  "[ctAvtoReadSignal]\r\nEnabled=1\r\nInterval=45000\r\n");
    Start();
    EXPECT_FALSE(program->PollingTimer().IsEnabled());
    EXPECT_EQ(program->PollingTimer().Interval(), 1000);
    EXPECT_FALSE(form->CaptureTimer().IsEnabled());
    EXPECT_EQ(form->CaptureTimer().Interval(), 45000);
    EXPECT_TRUE(Enabled("actOprosStart"));
    EXPECT_FALSE(Enabled("actOprosStop"));
    EXPECT_TRUE(Enabled("actOprosSignalStart"));
    EXPECT_FALSE(Enabled("actOprosSignalStop"));
    // "Hex" is selected, and the poll selection holds "Все параметры" on the gauge only.
    EXPECT_TRUE(Action("act16")->isChecked());
    EXPECT_FALSE(Action("act10")->isChecked());
    EXPECT_EQ(program->Cycle().LogRadix, 16);
    EXPECT_TRUE(program->Cycle().IsPolled(LevelAllRead));
    EXPECT_FALSE(program->Cycle().Device(1).Enabled);
}

TEST_F(FormMain, FullModeWithTheMeterSwitchPollsTheCurrentLoopFromTheStart)
{
    Start({QStringLiteral("/full"), QStringLiteral("/lumidor")});
    EXPECT_TRUE(program->Cycle().Device(1).Enabled);
    EXPECT_TRUE(TFormSelectCMD::Instance()->chbCurrentOutput->isChecked());
}

TEST_F(FormMain, PollPeriodIsClampedAndStoredWithThePollingState)
{
    Start();
    op.Answer(QStringLiteral("abc"));
    ASSERT_TRUE(Execute("actTimerParametersChange"));
    const TOperatorCall asked = op.Calls.last();
    EXPECT_EQ(asked.Text, QStringLiteral("Период опроса, мс [100, 60000]"));
    EXPECT_EQ(program->PollingTimer().Interval(), 100);

    Execute("actOprosStart");
    op.Answer(70000);
    Execute("actTimerParametersChange");
    EXPECT_EQ(program->PollingTimer().Interval(), 60000);
    const QByteArray stored = home.readRaw(QStringLiteral("INI/Timer.ini"));
    EXPECT_TRUE(stored.contains("Enabled=1\r\n")) << stored.constData();
    EXPECT_TRUE(stored.contains("Interval=60000\r\n")) << stored.constData();
}

TEST_F(FormMain, ChangeActionsAskFromThePresentValueAndKeepTheRangesInStep)
{
    Start({QStringLiteral("/full")});
    op.Answer(20000.0);
    ASSERT_TRUE(Execute("actHmaxChange"));
    const TOperatorCall asked = op.Calls.last();
    EXPECT_EQ(asked.Caption, QStringLiteral("Введите"));
    EXPECT_EQ(asked.Text, QStringLiteral("Высоту резервуара относительно монтажного фланца H max, мм"));
    EXPECT_EQ(asked.Args, (QVariantList{0, 40000.0, 0.0, 15000.0}));
    EXPECT_EQ(Model().Config.Hmax(), 20000);
    EXPECT_EQ(Model().Readings.Distance.Description.Max(), 20000);

    op.Answer(25000.0); // above H max: the model refuses it
    Execute("actLmaxChange");
    EXPECT_EQ(Model().Config.Lmax(), 15000);
    op.Answer(12000.0);
    Execute("actLmaxChange");
    EXPECT_EQ(Model().Readings.Level.Description.Max(), 12000);
    EXPECT_EQ(Model().Readings.LevelFree.Description.Max(), 12000);
    EXPECT_TRUE(SentCodes().isEmpty()); // changes stay in the program

    // The gauge type from the list: line 1 is type 12, no choice keeps it.
    op.Answer(1);
    Execute("actProgramTypeChange");
    EXPECT_EQ(Model().Identity.ProgramType, 12);
    EXPECT_TRUE(op.Calls.last().Args.at(1).toString().endsWith(QStringLiteral("INI/ProgramTypes.ini")));
    op.Answer(-1);
    Execute("actProgramTypeChange");
    EXPECT_EQ(Model().Identity.ProgramType, 12);
    EXPECT_EQ(op.Calls.last().Args.at(0), 1); // the present type's line
}

TEST_F(FormMain, PortChangeKeepsTheChosenPortNameAndNotItsLineSettings)
{
    Start();
    form->PortSetupDialog = [](TTransmitter &port) {
        port.SetPortName(QStringLiteral("ttyUSB7"));
        return true;
    };
    ASSERT_TRUE(Execute("actTransmitterChange"));
    const QByteArray settings = home.readRaw(QStringLiteral("INI/ComPort.ini"));
    EXPECT_TRUE(settings.contains("[Transmitter]\r\nPort=ttyUSB7\r\n")) << settings.constData();
    EXPECT_FALSE(settings.contains("[Tolm]"));
    EXPECT_TRUE(Messages().isEmpty()); // the simulated gauge stays on the line
    EXPECT_TRUE(Execute("actEcho"));
    EXPECT_EQ(SentCodes(), QList<int>{Echo});
}

TEST_F(FormMain, DecAndHexChooseHowFramesAreWritten)
{
    Start();
    Execute("act10");
    EXPECT_EQ(program->Cycle().LogRadix, 10);
    EXPECT_EQ(AppContext().Flags.LogRadix, 10);
    EXPECT_TRUE(Action("act10")->isChecked());
    EXPECT_FALSE(Action("act16")->isChecked());
    Action("act16")->trigger(); // as from the menu
    EXPECT_EQ(program->Cycle().LogRadix, 16);
    EXPECT_TRUE(Action("act16")->isChecked());
    EXPECT_FALSE(Action("act10")->isChecked());
}

TEST_F(FormMain, ToolBarReadsAndWindowsOfTheArraysReadDifferently)
{
    Start({QStringLiteral("/full")});
    QToolBar *gauge = form->findChild<QToolBar *>(QStringLiteral("tbGauge"));
    ASSERT_NE(gauge, nullptr);
    QMap<QString, QString> texts;
    QStringList shown;
    for (QAction *item : gauge->actions())
        if (auto *button = qobject_cast<QToolButton *>(gauge->widgetForAction(item)); button && item->isVisible()) {
            texts[item->objectName()] = button->text();
            shown.append(button->text());
        }
    EXPECT_EQ(texts.value(QStringLiteral("actSpectrumRead")), QStringLiteral("Считать спектр"));
    EXPECT_EQ(texts.value(QStringLiteral("actSignalRead")), QStringLiteral("Считать сигнал"));
    EXPECT_EQ(texts.value(QStringLiteral("actAllParamRead")), QStringLiteral("Считать все параметры"));
    EXPECT_EQ(texts.value(QStringLiteral("actAllParamWrite")), QStringLiteral("Записать все параметры "));
    EXPECT_EQ(shown.count(QStringLiteral("Спектр")), 1);
    EXPECT_EQ(shown.count(QStringLiteral("Сигнал")), 1);
}

// The factory's buttons hidden in normal mode leave no two separators side
// by side, nor one at an end; back in full mode each group has its own.
TEST_F(FormMain, ToolBarSeparatorsStandOnlyBetweenShownButtons)
{
    Start({QStringLiteral("/full")});
    const auto rows = [&] {
        QStringList out;
        for (const char *name : {"tbLine", "tbGauge"}) {
            QString row;
            for (QAction *item : form->findChild<QToolBar *>(QString::fromLatin1(name))->actions())
                if (item->isVisible())
                    row += item->isSeparator() ? QStringLiteral("|") : QStringLiteral("b");
            out.append(row);
        }
        return out;
    };
    const QStringList full = rows();
    EXPECT_EQ(full.value(1).count(QLatin1Char('|')), 4) << full.value(1).toStdString();
    QTest::keyClick(form.get(), TFormMain::FullModeChordKey, Qt::ControlModifier);
    ASSERT_FALSE(AppContext().Flags.FullMode);
    for (const QString &row : rows()) {
        EXPECT_FALSE(row.contains(QStringLiteral("||"))) << row.toStdString();
        EXPECT_FALSE(row.startsWith(QLatin1Char('|')) || row.endsWith(QLatin1Char('|'))) << row.toStdString();
    }
    QTest::keyClick(form.get(), TFormMain::FullModeChordKey, Qt::ControlModifier);
    EXPECT_EQ(rows(), full);
}

TEST_F(FormMain, ClosingAsksAndOnlyYesCloses)
{
    Start();
    form->show();
    op.Answer(false);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    const TOperatorCall asked = op.CallsOf(QStringLiteral("AskYesNo")).value(0);
    EXPECT_EQ(asked.Text, QStringLiteral("Завершить работу?"));
    EXPECT_EQ(asked.Args.at(1), false); // No is the default button
    EXPECT_TRUE(form->isVisible());
    EXPECT_NE(TFormSelectCMD::Instance(), nullptr);
    EXPECT_TRUE(Execute("actEcho"));

    op.Answer(true).Answer(false); // close; no parameter set for a gauge without a plant number
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(TFormSelectCMD::Instance(), nullptr);
    EXPECT_TRUE(home.readRaw(QStringLiteral("INI/WndPos.ini")).contains("[FormMain]"));
    EXPECT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).value(2).Text,
              QStringLiteral("Не указан заводской номер! Записать все равно?"));
}

// Every window action opens its window while a command holds the line;
// the commands themselves wait for it.
TEST_F(FormMain, WindowActionsStayUsableWhileACommandRuns)
{
    Start({QStringLiteral("/full")});
    HoldNextExchange();
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actAllParamRead")));
    WaitHeld();
    ASSERT_TRUE(program->Session().Runner().Busy());
    for (const char *name : {"actGraphLevel", "actGraphDistance", "actGraphLevelSr", "actGraphLevelFree",
                             "actGraphUsil", "actGraphTmp", "actGraphCurrentOutputShow", "actMultiGraphShow",
                             "actTolmParShow", "actReqAnsShow", "actSpectrumShow", "actFormProgonShow", "act10",
                             "actClose"}) {
        EXPECT_TRUE(Enabled(name)) << name;
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Enabled("actHmaxRead"));
    EXPECT_FALSE(Enabled("actTransmitterChange")) << "the port stays as the command found it";

    // The readings window's icons open their graphs now, not after the command.
    QLabel *icon = TFormTolm472I::Instance()->findChild<QLabel *>(QStringLiteral("imgLevel"));
    ASSERT_NE(icon, nullptr);
    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_NE(TFormGraph::Instance(1), nullptr);
    EXPECT_TRUE(form->ExecuteAction(QStringLiteral("actGraphTmp")));
    EXPECT_NE(TFormGraph::Instance(6), nullptr);
    ReleaseLine();
    WaitIdle();
    EXPECT_TRUE(Enabled("actHmaxRead"));
}

// Esc in the middle of writing all parameters: the question as always, and
// on Yes the write ends at its next exchange, nothing is stored into ПЗУ,
// and the program closes as usual.
TEST_F(FormMain, ClosingWhileACommandRunsAsksThenEndsItBeforeTheStore)
{
    Start({QStringLiteral("/full")});
    form->show();
    HoldNextExchange();
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actAllParamWrite")));
    WaitHeld();

    op.Answer(false);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    ASSERT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).size(), 1);
    EXPECT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).value(0).Text, QStringLiteral("Завершить работу?"));
    EXPECT_TRUE(form->isVisible());

    op.Answer(true).Answer(false); // close; no parameter set for a gauge without a plant number
    QTest::keyClick(form.get(), Qt::Key_Escape);
    const int sentWhenAsked = int(SentCodes().size());
    ReleaseLine();
    WaitIdle();
    QElapsedTimer waited;
    waited.start();
    while (form->isVisible() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(SentCodes().size(), sentWhenAsked) << "nothing went out after the answer";
    EXPECT_FALSE(SentCodes().contains(WriteToPZU));
    EXPECT_EQ(op.CallsOf(QStringLiteral("AskYesNo")).value(2).Text,
              QStringLiteral("Не указан заводской номер! Записать все равно?"));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    EXPECT_EQ(TFormSelectCMD::Instance(), nullptr);
}

TEST_F(FormMain, PollingRunsPassesUntilNoDeviceIsLeftToPoll)
{
    Start();
    program->PollingTimer().SetInterval(20);
    ASSERT_TRUE(Execute("actOprosStart"));
    QElapsedTimer waited;
    waited.start();
    while (SentCodes().count(LevelAllRead) < 3 && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_GE(SentCodes().count(LevelAllRead), 3); // the default poll set, pass after pass
    EXPECT_EQ(Model().LinkState.AsInt(), 1);

    // A tick that finds no device enabled stops polling as "Остановить опрос" does.
    program->Cycle().SetDeviceEnabled(0, false);
    while (!Enabled("actOprosStart") && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_TRUE(Enabled("actOprosStart"));
    EXPECT_FALSE(program->PollingTimer().IsEnabled());
    EXPECT_TRUE(Enabled("actHmaxRead"));
}

TEST_F(FormMain, PortThatCannotBeOpenedIsReportedAndTheWindowsStillOpen)
{
    home.writeRaw(QStringLiteral("INI/ComPort.ini"), "[Transmitter]\r\nPort=/dev/tolm-no-such-port\r\n");
    Start({}, true);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Ошибка активации порта :/dev/tolm-no-such-port\nПорт "
                                                     "/dev/tolm-no-such-port не найден: подключите адаптер или "
                                                     "выберите другой порт в \"СОМ порт\"")});
    EXPECT_EQ(op.CallsOf(QStringLiteral("ShowMessage")).value(0).Caption, QStringLiteral("Внимание"));
    EXPECT_NE(TFormSelectCMD::Instance(), nullptr);
    // Commands fail on the closed port as on a silent line.
    op.Calls.clear();
    Execute("actHmaxRead");
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Не выполнена команда\rСчитать Hmax из прибора")});
}

TEST_F(FormMain, WindowComesBackWhereItWasLeft)
{
    home.writeRaw(QStringLiteral("INI/WndPos.ini"),
                  "[FormMain]\r\nLeft=30\r\nTop=40\r\nWidth=900\r\nHeight=110\r\nWindowState=0\r\n");
    Start();
    EXPECT_EQ(form->pos(), QPoint(30, 40));
    EXPECT_EQ(form->size(), QSize(900, 110));
}

TEST_F(FormMain, F12BringsTheMainWindowBackFromAnyWindow)
{
    Start();
    form->showMinimized();
    QTest::keyClick(TFormSelectCMD::Instance(), Qt::Key_F12);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->isVisible());
}

} // namespace

namespace {

// "Графики" is modal to the whole program; its command returns at once.
TEST_F(FormMain, GraphsOpenTheModalMultiGraphWithAFourthSeriesOnlyInFullMode)
{
    for (const bool full : {false, true}) {
        Start(full ? QStringList{QStringLiteral("/full")} : QStringList{});
        const qsizetype messages = Messages().size();
        int series = -1;
        const TOnModalWindow<TFormMultiGraph> whileOpen([](TFormMultiGraph *window) { return !window->Loading(); },
                                                        [&](TFormMultiGraph *window) {
                                                            series = window->Chart()->graphCount();
                                                            window->close();
                                                        });
        ASSERT_TRUE(Execute("actMultiGraphShow"));
        whileOpen.WaitClosed();
        EXPECT_EQ(series, full ? 4 : 3);
        EXPECT_EQ(TFormMultiGraph::Instance(), nullptr);
        // A new archive: each series says it has nothing.
        EXPECT_EQ(Messages().size() - messages, full ? 4 : 3);
        form.reset();
        program.reset();
    }
}

// A time graph shows one gauge: while two gauges are polled it reads the
// current gauge's own folder, and a new current gauge chosen in "Приборы на
// линии" opens it anew on that gauge's folder.
TEST_F(FormMain, AGraphFollowsTheCurrentGaugeChosenInTheGaugesOfTheLine)
{
    Start();
    TGaugeSession &session = program->Session();
    std::vector<TLineGauge> gauges(2);
    gauges[0].Address = 1;
    gauges[0].PlantNumber = 1001;
    gauges[0].Polled = true;
    gauges[1].Address = 3;
    gauges[1].PlantNumber = 1003;
    ASSERT_TRUE(session.KeepLineGauges(gauges));
    Model().SetSystemAddress(1);
    ASSERT_TRUE(Execute("actLineGaugesShow"));
    ASSERT_NE(TFormLineGauges::Instance(), nullptr);
    // Gauge 1 alone is polled: the archive's own folder.
    ASSERT_TRUE(Execute("actGraphLevel"));
    ASSERT_NE(TFormGraph::Instance(1), nullptr);
    EXPECT_EQ(TFormGraph::Instance(1)->DbPath(), program->Archive().DbPath());

    TFormLineGauges::Instance()->MakeCurrent(1); // gauge 3, with gauge 1 marked: two gauges
    EXPECT_EQ(Model().SystemAddress(), 3);
    ASSERT_NE(TFormGraph::Instance(1), nullptr);
    EXPECT_TRUE(TFormGraph::Instance(1)->DbPath().endsWith(QStringLiteral("/Gauges/PN01003")))
        << TFormGraph::Instance(1)->DbPath().toStdString();
}

} // namespace

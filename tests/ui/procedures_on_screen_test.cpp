// The gauge procedures with the real dialogs and progress window and the
// event loop turning: each runs on the runner's worker and asks the
// operator through the hand-over, so the dialogs must open, answer and
// close as they do for the operator, one after the other, and the
// procedure must go on with their answers.

#include "form_main_bench.h"

#include "modal_dialog.h"
#include "protocol/command_codes.h"
#include "ui/dialogs/form_compare_parameters.h"
#include "ui/dialogs/form_input_integer.h"
#include "ui/dialogs/form_progress_bar.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/form_line_gauges.h"
#include "ui/windows/form_progon.h"
#include "session/gauge_session.h"
#include "session/line_gauges.h"
#include "link/request_cycle.h"
#include "support/run_passes.h"
#include "support/window_shots.h"
#include "sim/sim_line.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

namespace {

// The program's real dialogs instead of the bench's script.
class ProceduresOnScreen : public FormMainBench
{
protected:
    void StartOnScreen()
    {
        Start({QStringLiteral("/full")});
        SetOperator(nullptr);
        qApp->installEventFilter(&m_shown);
    }
    ~ProceduresOnScreen() override { qApp->removeEventFilter(&m_shown); }

    // The captions the progress window showed, in order.
    QStringList ProgressCaptions() const { return m_shown.captions; }

private:
    struct TProgressWatch : QObject {
        QStringList captions;
        bool eventFilter(QObject *object, QEvent *event) override
        {
            if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::Show)
                if (auto *bar = qobject_cast<TFormProgressBar *>(object))
                    if (captions.isEmpty() || captions.last() != bar->windowTitle())
                        captions.append(bar->windowTitle());
            return false;
        }
    } m_shown;
};

void Enter(TFormInputInteger *dialog, int value)
{
    dialog->speValue->setValue(value);
    dialog->accept();
}

TEST_F(ProceduresOnScreen, NewSystemAddressAskedInTwoDialogsThenTheSignatureBox)
{
    StartOnScreen();
    QString signature;
    {
        TModalScript script;
        script.Then<TFormInputInteger>([](TFormInputInteger *d) { Enter(d, 1); }) // the gauge's plant number
            .Then<TFormInputInteger>([](TFormInputInteger *d) { Enter(d, 17); })
            .Then<QMessageBox>([&](QMessageBox *box) {
                signature = box->text();
                box->buttons().first()->click();
            });
        ASSERT_TRUE(Execute("actSystemAddressWrite"));
    }
    EXPECT_EQ(GaugeParameters().systemAddress, 17);
    EXPECT_TRUE(signature.startsWith(QStringLiteral("Системный адрес: 17"))) << signature.toStdString();
    EXPECT_EQ(SentCodes(), (QList<int>{SystemAddressWrite, SignatureRead}));
    EXPECT_EQ(Model().SystemAddress(), 17);
}

TEST_F(ProceduresOnScreen, FailedWriteShowsItsRetriesThenTheWarningAndDoesNotStore)
{
    StartOnScreen();
    FailEveryAnswer();
    QString warning;
    {
        TModalScript script;
        script.Then<QMessageBox>([&](QMessageBox *box) {
            warning = box->text();
            box->buttons().first()->click();
        });
        ASSERT_TRUE(Execute("actHmaxWrite"));
    }
    EXPECT_EQ(warning, QStringLiteral("Не выполнена команда\nЗаписать Hmax в прибор"));
    EXPECT_EQ(SentCodes(), QList<int>(5, HmaxWrite));
    // The window kept the text of its first step; the bar moved on.
    const QStringList captions = ProgressCaptions();
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.last(), QStringLiteral("Повтор команды Записать Hmax в прибор 100%"));
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TFormProgressBar *>(window), nullptr) << "the progress window is closed";
}

TEST_F(ProceduresOnScreen, TrainingAsksFirstThenShowsTheGaugesLearningTime)
{
    StartOnScreen();
    {
        TModalScript script;
        script.Then<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        ASSERT_TRUE(Execute("actTrainingModeStart"));
    }
    const QList<int> sent = SentCodes();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), TrainingModeStart);
    const QStringList captions = ProgressCaptions();
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.last(), QStringLiteral("Обучение занимает 15 секунд 100%"));
    EXPECT_EQ(clock.clock().PausedMs(), 15000);
}

} // namespace

namespace {

TEST_F(ProceduresOnScreen, ComparisonWithABackupWritesOnlyWhatDiffers)
{
    Start({QStringLiteral("/full")});
    op.Answer(true).Answer(true); // a gauge type or plant number the model does not know yet: save all the same
    ASSERT_TRUE(Execute("actTolm472iBackup"));
    QStringList saved;
    for (const char *folder : {"471", "472", "47x"})
        for (const QString &name : QDir(home.file(QString::fromLatin1(folder))).entryList({"PN*.ini"}, QDir::Files))
            saved.append(home.file(QString::fromLatin1(folder) + QLatin1Char('/') + name));
    ASSERT_EQ(saved.size(), 1);

    Model().Config.SetKKalman(0.25);
    ASSERT_TRUE(Execute("actKKalmanWrite"));
    ClearSent();

    SetOperator(nullptr);
    QString summary;
    {
        TModalScript script;
        script
            .Then<QFileDialog>([&](QFileDialog *dialog) {
                dialog->selectFile(saved.first());
                static_cast<QDialog *>(dialog)->accept(); // the file dialog's own, through the base
            })
            .Then<TFormCompareParameters>([&](TFormCompareParameters *form) {
                summary = form->lblSummary->text();
                form->btnWrite->click();
            });
        ASSERT_TRUE(Execute("actTolm472iCompare"));
    }
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Отличается параметров: 1 из "))) << summary.toStdString();
    const QList<int> sent = SentCodes();
    EXPECT_EQ(sent.count(KKalmanWrite), 1);
    EXPECT_EQ(sent.count(WriteToPZU), 1);
    EXPECT_EQ(sent.count(HmaxWrite), 0);
    EXPECT_NE(Model().Config.KKalman(), 0.25);
}

TEST_F(ProceduresOnScreen, ServiceBundleAsksWhereThenReadsTheGaugeAndSaysWhereItIs)
{
    StartOnScreen();
    const QString zip = home.file("service.zip");
    QString said;
    {
        TModalScript script;
        script
            .Then<QFileDialog>([&](QFileDialog *dialog) {
                dialog->selectFile(zip);
                static_cast<QDialog *>(dialog)->accept();
            })
            .Then<QMessageBox>([&](QMessageBox *box) {
                said = box->text();
                box->buttons().first()->click();
            });
        ASSERT_TRUE(Execute("actServiceBundleSave"));
    }
    EXPECT_EQ(said, QStringLiteral("Пакет для сервиса сохранен:\n") + QDir::toNativeSeparators(zip));
    EXPECT_TRUE(QFile::exists(zip));
    EXPECT_TRUE(SentCodes().contains(SignatureRead)) << "the configuration was read for the bundle";
    EXPECT_TRUE(ProgressCaptions().join('|').contains(QStringLiteral("Чтение параметров прибора")))
        << ProgressCaptions().join('|').toStdString();
}

// A silent gauge: the operator hears of it before choosing where, and the
// last message says what the bundle lacks.
TEST_F(ProceduresOnScreen, ServiceBundleOfASilentGaugeWarnsFirstAndSaysWhatItLacks)
{
    StartOnScreen();
    FailEveryAnswer();
    const QString zip = home.file("silent.zip");
    QStringList said;
    const auto read = [&](QMessageBox *box) {
        said.append(box->text());
        box->buttons().first()->click();
    };
    {
        TModalScript script;
        script.Then<QMessageBox>(read)
            .Then<QFileDialog>([&](QFileDialog *dialog) {
                dialog->selectFile(zip);
                static_cast<QDialog *>(dialog)->accept();
            })
            .Then<QMessageBox>(read);
        ASSERT_TRUE(Execute("actServiceBundleSave"));
    }
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Прибор не ответил: не считаны ни сигнатура, ни параметры прибора")))
        << said[0].toStdString();
    EXPECT_EQ(said[1], QStringLiteral("Пакет для сервиса сохранен:\n") + QDir::toNativeSeparators(zip) +
                           QStringLiteral("\nВ пакете нет параметров, считанных из прибора"));
    EXPECT_TRUE(QFile::exists(zip));
}

// "Считать сигнатуру" while the gauge is silent, then the gauge back and a
// bundle saved: the bundle reads the signature quietly, and no "Сигнатура
// прибора" box from the failed read pops up in the middle of it.
TEST_F(ProceduresOnScreen, AFailedSignatureReadShowsNoBoxDuringALaterQuietRead)
{
    StartOnScreen();
    FailEveryAnswer();
    QStringList said;
    const auto read = [&](QMessageBox *box) {
        said.append(box->windowTitle() + QLatin1Char(':') + box->text());
        box->buttons().first()->click();
    };
    {
        TModalScript script;
        script.Then<QMessageBox>(read);
        ASSERT_TRUE(Execute("actSignatureRead"));
    }
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("Не выполнена команда"))) << said[0].toStdString();

    OnSimulator([](TSimLine &sim) { sim.faults() = TSimFaults(TSimFaultConfig{}); });
    said.clear();
    const QString zip = home.file("after_silence.zip");
    // A signature box, should one open, is counted and closed, so the test
    // fails rather than waits for a click.
    int signatureBoxes = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && box->isVisible() && box->windowTitle() == QStringLiteral("Сигнатура прибора")) {
            ++signatureBoxes;
            box->buttons().first()->click();
        }
    });
    guard.start(2);
    {
        TModalScript script;
        script
            .Then<QFileDialog>([&](QFileDialog *dialog) {
                dialog->selectFile(zip);
                static_cast<QDialog *>(dialog)->accept();
            })
            .Then<QMessageBox>(read);
        ASSERT_TRUE(Execute("actServiceBundleSave"));
    }
    EXPECT_EQ(signatureBoxes, 0);
    ASSERT_EQ(said.size(), 1) << said.join('|').toStdString();
    EXPECT_TRUE(said[0].contains(QStringLiteral("Пакет для сервиса сохранен"))) << said[0].toStdString();
    EXPECT_TRUE(SentCodes().contains(SignatureRead));
}

// The test run's questions in real boxes: the template at the start, and
// at the last point whether to stop, whose answer starts the stop on the
// runner from inside the window's click.
TEST_F(ProceduresOnScreen, TestRunAsksForItsTemplateAndStopsFromTheLastPointsQuestion)
{
    StartOnScreen();
    ASSERT_TRUE(Execute("actFormProgonShow"));
    TFormProgon *window = TFormProgon::Instance();
    ASSERT_NE(window, nullptr);
    QStringList asked;
    const auto yes = [&](QMessageBox *box) {
        asked.append(box->text());
        box->button(QMessageBox::Yes)->click();
    };
    {
        TModalScript script;
        script.Then<QMessageBox>(yes);
        window->actProgonStart->trigger();
        WaitIdle();
    }
    EXPECT_EQ(GaugeParameters().floatParam(FloatParam::Lmax), 15000);

    // The target at point 5; one pass of the level read brings it.
    OnSimulator([](TSimLine &sim) { sim.gauge().holdLevel(5000); });
    ASSERT_TRUE(Execute("actLevelAllRead"));
    {
        TModalScript script;
        script.Then<QMessageBox>(yes);
        QTest::mouseClick(window->SetButton(), Qt::LeftButton);
        WaitIdle();
    }
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Создать шаблон прогона?"), QStringLiteral("Остановить прогон?")}));
    EXPECT_NEAR(Model().TestRun.Points[4].LevelMeasured, 5000, 1);
    EXPECT_EQ(GaugeParameters().floatParam(FloatParam::Lmax), 30000);
}

// The main window closed while "Записать все параметры " is on the line and
// its progress window is open, with the real boxes and the event loop
// turning: Esc asks as always and "Нет" leaves the command going; the close
// box asks again, and on "Да" the write ends at its next exchange without
// the store into ПЗУ, its progress window goes, and the program closes with
// its usual questions.
TEST_F(ProceduresOnScreen, ClosingDuringACommandsProgressAsksThenEndsItBeforeTheStore)
{
    StartOnScreen();
    form->show();
    const auto progressOpen = [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<TFormProgressBar *>(window) && window->isVisible())
                return true;
        return false;
    };
    HoldNextExchange();
    ASSERT_TRUE(form->ExecuteAction(QStringLiteral("actAllParamWrite")));
    WaitHeld();
    ASSERT_TRUE(progressOpen());

    QStringList asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
        return std::function<void(QMessageBox *)>([&asked, button](QMessageBox *box) {
            asked.append(box->text());
            box->button(button)->click();
        });
    };
    {
        TModalScript script;
        script.Then<QMessageBox>(answer(QMessageBox::No));
        QTest::keyClick(form.get(), Qt::Key_Escape);
    }
    EXPECT_EQ(asked, QStringList{QStringLiteral("Завершить работу?")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(program->Session().Runner().Busy()) << "the command goes on";
    EXPECT_TRUE(progressOpen());

    const int sentWhenAsked = int(SentCodes().size());
    {
        TModalScript script;
        script.Then<QMessageBox>(answer(QMessageBox::Yes))
            .Then<QMessageBox>(answer(QMessageBox::No)); // no parameter set for a gauge without a plant number
        form->windowHandle()->close(); // the close box
        EXPECT_TRUE(form->isVisible()) << "the command ends first";
        ReleaseLine();
        QElapsedTimer waited;
        waited.start();
        while (form->isVisible() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(program->Session().Runner().Busy());
    EXPECT_FALSE(progressOpen());
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Завершить работу?"), QStringLiteral("Завершить работу?"),
                                  QStringLiteral("Не указан заводской номер! Записать все равно?")}));
    EXPECT_EQ(SentCodes().size(), sentWhenAsked) << "nothing went out after the answer";
    EXPECT_FALSE(SentCodes().contains(WriteToPZU));
}

} // namespace

// "Поиск приборов на линии" on a line of three gauges: the progress window
// counts the addresses and, closed by the operator, ends the search there;
// the gauges found fill "Приборы на линии", whose check box adds a gauge to
// the polling and whose double click makes a gauge the current one.
TEST_F(ProceduresOnScreen, TheLineSearchStopsWhenItsWindowIsClosedAndFillsTheGaugesOfTheLine)
{
    home.writeRaw("INI/ComPort.ini", "[Tolm]\r\nReadInterval=10\r\nReadTotalConstant=30\r\nReadTotalMultiplier=0\r\n"
                                     "[Sim]\r\nGauges=3\r\n");
    StartOnScreen();
    QString summary;
    int closedAt = -1;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *bar = qobject_cast<TFormProgressBar *>(w); bar && bar->isVisible() && closedAt < 0 &&
                                                                 bar->pbProgress->value() >= 4) {
                closedAt = bar->pbProgress->value();
                bar->close(); // the close box
            }
    });
    closer.start(2);
    {
        TModalScript script;
        script.Then<QMessageBox>([&](QMessageBox *box) {
            summary = box->text();
            box->buttons().first()->click();
        });
        ASSERT_TRUE(Execute("actLineScan"));
    }
    ASSERT_GE(closedAt, 4);
    EXPECT_EQ(summary, QStringLiteral("Найдено приборов: 3"));
    // Stopped within an address or two of where the window was closed.
    const int echoes = int(SentCodes().count(Echo));
    EXPECT_LT(echoes, 255 * (closedAt + 3) / 100) << echoes;
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TFormProgressBar *>(w) && w->isVisible());

    TFormLineGauges *window = TFormLineGauges::Instance();
    ASSERT_NE(window, nullptr);
    QTableWidget *table = window->Table();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(1, 2)->text(), QStringLiteral("1002"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("ТОЛМ471И"));
    table->item(1, 0)->setCheckState(Qt::Checked);
    EXPECT_EQ(program->Session().Cycle().Companions(), (std::vector<uint8_t>{2}));
    const std::vector<TLineGauge> kept = LoadLineGauges(home.path());
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_TRUE(kept[1].Polled);
    EXPECT_EQ(kept[2].PlantNumber, 1003);

    window->MakeCurrent(2);
    EXPECT_EQ(Model().SystemAddress(), 3);
    EXPECT_TRUE(table->item(2, 1)->text().contains(QStringLiteral("текущий")));
    // A pass asks the current gauge and the one marked: their rows come alive.
    RunPasses(program->Session().RequestThread(), 1);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(table->item(1, 4)->text().isEmpty());
    EXPECT_FALSE(table->item(2, 4)->text().isEmpty());
    EXPECT_TRUE(table->item(0, 4)->text().isEmpty());
    EXPECT_EQ(table->item(1, 9)->text(), QStringLiteral("есть"));
    window->show();
    SaveShot(ShotWithCaption(*window), QStringLiteral("line_gauges"));
}

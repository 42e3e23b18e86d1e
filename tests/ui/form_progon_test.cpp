// The test-run window: which point the present level is in and how the
// grid marks it, the capture and its question at the last point, the tape
// and the gate, and the protocol written when a finished run stops; then a
// whole run against the simulated gauge, its level moved by the simulator's
// own control as a target is moved on a bench.

#include "form_main_bench.h"
#include "model_window_bench.h"
#include "report_pages.h"
#include "support/register_contents.h"
#include "support/window_shots.h"

#include "app/text_file.h"
#include "archive/day_folder.h"
#include "device/test_run.h"
#include "sim/sim_line.h"
#include "ui/windows/error_chart.h"
#include "ui/windows/form_progon.h"
#include "ui/windows/test_run_report.h"
#include "values/float_format.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>

namespace {

// The day of the benches' clock.
const QDate kRunDay(2026, 12, 8);

// The cell of row n (1..5) in the column with the caption.
QTableWidgetItem *Cell(const TFormProgon &window, int n, const QString &caption)
{
    for (int c = 0; c < window.Grid()->columnCount(); ++c)
        if (window.Grid()->horizontalHeaderItem(c)->text() == caption)
            return window.Grid()->item(n - 1, c);
    ADD_FAILURE() << "no column " << caption.toStdString();
    return nullptr;
}

// A number of the grid or of the CSV: fixed point, either separator.
double Number(QString text)
{
    return text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QStringList ProtocolFiles(const QString &dbPath, const QDate &day, const QString &suffix)
{
    return QDir(DayFolder(dbPath, day)).entryList({QStringLiteral("Progon_*") + suffix}, QDir::Files);
}

class ProgonWindow : public ModelWindowBench
{
protected:
    ProgonWindow()
    {
        model.Config.SetHmax(15000);
        model.Config.SetLmax(15000);
        FillTestRunTemplate(model);
        model.Config.SetPlantNumber(4711);
    }
    ~ProgonWindow() override
    {
        delete TFormProgon::Instance();
    }

    QString DbPath() const { return home.file(QStringLiteral("DATA")); }
    TFormProgon &Open(const QString &dbPath = {})
    {
        EXPECT_EQ(TFormProgon::ShowProgon(model, services, dbPath.isEmpty() ? DbPath() : dbPath), 0);
        return *TFormProgon::Instance();
    }
    void SetLevel(TFormProgon &window, double level)
    {
        model.Readings.Level.SetValue(level);
        window.UpdateView();
    }
    // Captures all five points at their expected levels with a loop current
    // 0.01 mA under the expected one, answering the last question `stop`.
    void CaptureAll(TFormProgon &window, bool stop)
    {
        op.Answer(stop);
        for (int n = 1; n <= 5; ++n) {
            const double level = model.TestRun.Points[n - 1].LevelExpected + 0.5;
            model.Readings.CurrentOutput.SetValue(level * 16 / 15000 + 4 - 0.01);
            SetLevel(window, level);
            QTest::mouseClick(window.SetButton(), Qt::LeftButton);
        }
    }
};

TEST_F(ProgonWindow, ThePointOfThePresentLevelIsBoldAndColouredByHowCloseItIs)
{
    TFormProgon &window = Open();
    // 11700 is more than 300 from 11000 and from 13000: no point.
    SetLevel(window, 11700);
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(Cell(window, n, QStringLiteral("№"))->font().bold()) << n;
    // Exactly 300 below point 1: its gate still holds it, but it is far.
    SetLevel(window, 12700);
    EXPECT_TRUE(Cell(window, 1, QStringLiteral("№"))->font().bold());
    EXPECT_EQ(Cell(window, 1, QStringLiteral("Рулетка, мм"))->background().style(), Qt::NoBrush);
    SetLevel(window, 12991);
    EXPECT_EQ(Cell(window, 1, QStringLiteral("Рулетка, мм"))->background().color(), QColor(255, 255, 0));
    SetLevel(window, 12998.5);
    EXPECT_EQ(Cell(window, 1, QStringLiteral("Уровень, мм"))->background().color(), QColor(0, 255, 0));
    EXPECT_FALSE(Cell(window, 2, QStringLiteral("№"))->font().bold());

    // Gate 0: only the expected level itself.
    op.Answer(0.0);
    window.actProgonOffsetChange->trigger();
    EXPECT_EQ(model.TestRun.Gate, 0);
    SetLevel(window, 11000.5);
    EXPECT_FALSE(Cell(window, 2, QStringLiteral("№"))->font().bold());
    SetLevel(window, 11000);
    EXPECT_TRUE(Cell(window, 2, QStringLiteral("№"))->font().bold());
}

TEST_F(ProgonWindow, TheCurrentErrorIsRedOnlyAboveItsLimitAndOverTheRowsColour)
{
    model.TestRun.Points[0].CurrentError = 0.027;
    model.TestRun.Points[1].CurrentError = 0.026;
    model.TestRun.Points[2].CurrentError = -0.5;
    TFormProgon &window = Open();
    SetLevel(window, 13000); // row 1 green
    const QString column = QStringLiteral("d Ток, мА");
    EXPECT_EQ(Cell(window, 1, column)->background().color(), QColor(Qt::red));
    EXPECT_EQ(Cell(window, 1, QStringLiteral("Ток, мА"))->background().color(), QColor(0, 255, 0));
    EXPECT_NE(Cell(window, 2, column)->background().color(), QColor(Qt::red));
    EXPECT_NE(Cell(window, 3, column)->background().color(), QColor(Qt::red));
}

TEST_F(ProgonWindow, TheTapeOfARowSetsItsLevelsAndTheGridShowsThem)
{
    TFormProgon &window = Open();
    window.Grid()->setCurrentCell(2, 1);
    op.Answer(6500.0);
    window.actRuletkaChange->trigger();
    ASSERT_FALSE(op.Calls.isEmpty());
    EXPECT_EQ(op.Calls.last().Text, QStringLiteral("3) Значение рулетки, мм"));
    EXPECT_EQ(Cell(window, 3, QStringLiteral("Рулетка, мм"))->text(), QStringLiteral("6500"));
    EXPECT_EQ(model.TestRun.Points[2].LevelExpected, 8500);
    EXPECT_EQ(Number(Cell(window, 3, QStringLiteral("Уровень, мм"))->text()), 8500);
}

TEST_F(ProgonWindow, WithoutALoopScaleACaptureChangesNothingAndSaysWhy)
{
    TFormProgon &window = Open();
    const TProgonPoint before = model.TestRun.Points[0];
    model.Config.SetLmax(0);
    SetLevel(window, 13000);
    QTest::mouseClick(window.SetButton(), Qt::LeftButton);
    EXPECT_EQ(model.TestRun.Points[0].LevelMeasured, before.LevelMeasured);
    EXPECT_FALSE(model.TestRun.Points[0].Captured.isValid());
    EXPECT_EQ(op.MessageTexts(), QStringList{NoLoopScaleWarning()});
}

TEST_F(ProgonWindow, TheLastCaptureAsksToStopAndAStoppedRunLeavesItsProtocolOnce)
{
    TFormProgon &window = Open();
    CaptureAll(window, false);
    EXPECT_EQ(op.Calls.last().Text, QStringLiteral("Остановить прогон?"));
    EXPECT_FALSE(services.Executed.contains(QStringLiteral("actProgonStop")));
    EXPECT_TRUE(ProtocolFiles(DbPath(), kRunDay, QStringLiteral(".csv")).isEmpty());

    // The same run stopped twice leaves one protocol.
    op.Answer(true);
    QTest::mouseClick(window.SetButton(), Qt::LeftButton);
    window.actProgonStop->trigger();
    EXPECT_EQ(services.Executed.count(QStringLiteral("actProgonStop")), 2);
    const QStringList csv = ProtocolFiles(DbPath(), kRunDay, QStringLiteral(".csv"));
    ASSERT_EQ(csv.size(), 1);
    EXPECT_EQ(csv.first(), QStringLiteral("Progon_PN04711_20261208_101500.csv"));
    const QStringList pdf = ProtocolFiles(DbPath(), kRunDay, QStringLiteral(".pdf"));
    ASSERT_EQ(pdf.size(), 1);
    EXPECT_TRUE(window.Note().contains(pdf.first()));
    const QString text = PdfText(QDir(DayFolder(DbPath(), kRunDay)).filePath(pdf.first()));
    EXPECT_TRUE(text.contains(QStringLiteral("Прогон ТОЛМ472И")));
    EXPECT_TRUE(text.contains(QStringLiteral("4711")));
}

TEST_F(ProgonWindow, AProtocolThatCannotBeWrittenIsToldOnceAndTheRunGoesOn)
{
    QFile blocker(home.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // The archive root is a file: no day folder can be made below it.
    TFormProgon &window = Open(blocker.fileName());
    CaptureAll(window, true);
    EXPECT_EQ(services.Executed.count(QStringLiteral("actProgonStop")), 1);
    EXPECT_EQ(window.Note(), QStringLiteral("Протокол прогона не записан"));
    ASSERT_EQ(op.MessageTexts().size(), 1);
    EXPECT_TRUE(op.MessageTexts().first().startsWith(QStringLiteral("Не удалось записать протокол прогона")));
    EXPECT_TRUE(model.TestRun.Points[4].Captured.isValid());
}

// The whole run on the bench: the real main window polling the simulated
// gauge and its loop meter, the target moved by the simulator.
class ProgonOnTheBench : public FormMainBench
{
protected:
    void HoldLevel(double level)
    {
        OnSimulator([level](TSimLine &sim) { sim.gauge().holdLevel(level); });
        // Until a polling pass has brought the level and the current.
        QElapsedTimer waited;
        waited.start();
        while ((std::abs(Model().Readings.Level.AsDouble() - level) > 1 ||
                std::abs(Model().Readings.CurrentOutput.AsDouble() - (level * 16 / 15000 + 4)) > 0.05) &&
               waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_NEAR(Model().Readings.Level.AsDouble(), level, 1);
    }
};

TEST_F(ProgonOnTheBench, AWholeRunCapturesFivePointsAndKeepsTheProtocolTheGridShowed)
{
    Start({QStringLiteral("/full")});
    program->Cycle().ClearPollSet();
    program->Cycle().SetPolled(LevelAllRead, true);
    program->Cycle().SetDeviceEnabled(1, true); // the loop meter
    program->PollingTimer().SetInterval(100);
    ASSERT_TRUE(Execute("actOprosStart"));
    ASSERT_TRUE(Execute("actSignatureRead")); // the plant number and versions of the page
    const int shownBefore = int(Messages().size()); // the signature's box
    ASSERT_TRUE(Execute("actFormProgonShow"));
    TFormProgon *window = TFormProgon::Instance();
    ASSERT_NE(window, nullptr);
    op.Answer(QStringLiteral("ППМ-0815")).Answer(QStringLiteral("НЗ-17"));
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("lblPPM")), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("lblNNZ")), Qt::LeftButton);
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("lblNNZ"))->text(), QStringLiteral("НЗ-17"));

    ClearSent();
    op.Answer(true); // "Создать шаблон прогона?"
    window->actProgonStart->trigger();
    WaitIdle();
    EXPECT_EQ(SentCodes().count(WriteToPZU), 1); // one store into ПЗУ
    EXPECT_EQ(GaugeParameters().floatParam(FloatParam::Lmax), 15000);
    ASSERT_TRUE(Enabled("actOprosStop")) << "polling ran before and runs again";

    const double tapes[] = {2000, 4000, 6000, 8000, 10000};
    for (double tape : tapes) {
        HoldLevel(15000 - tape + 0.4);
        if (tape == 10000) {
            op.Answer(true); // "Остановить прогон?"
            window->resize(900, 680);
            EXPECT_EQ(ClippedControls(*window), QStringList());
            EXPECT_TRUE(SaveShot(ShotWithCaption(*window), QStringLiteral("progon")));
            // The caption follows the readings by itself.
            const QString level = QStringLiteral("Уровень, мм\n") +
                                  FloatToStrF(Model().Readings.Level.AsDouble(), TDescriptionOfDouble::ffNumber, 15, 1);
            EXPECT_TRUE(window->SetButton()->text().contains(level)) << window->SetButton()->text().toStdString();
        }
        QTest::mouseClick(window->SetButton(), Qt::LeftButton);
    }
    WaitIdle();
    EXPECT_EQ(GaugeParameters().floatParam(FloatParam::Lmax), 30000);
    EXPECT_EQ(SentCodes().count(WriteToPZU), 2);

    const QString folder = DayFolder(program->ArchiveSettings().dbPath, kRunDay);
    const QStringList csv =
        ProtocolFiles(program->ArchiveSettings().dbPath, kRunDay, QStringLiteral(".csv"));
    ASSERT_EQ(csv.size(), 1) << window->Note().toStdString();
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(QDir(folder).filePath(csv.first()), lines));
    ASSERT_EQ(lines.size(), 10); // four identifier lines, the header, five points
    for (int n = 1; n <= 5; ++n) {
        const QStringList cells = lines[4 + n].split(QLatin1Char(';'));
        ASSERT_GE(cells.size(), 8);
        // What the grid showed, point for point.
        for (int c = 1; c <= 6; ++c)
            EXPECT_EQ(Number(cells[c]), Number(window->Grid()->item(n - 1, c)->text())) << n << " " << c;
        EXPECT_NEAR(Number(cells[2]), 15000 - tapes[n - 1] + 0.4, 1);
    }
    const QStringList pdf =
        ProtocolFiles(program->ArchiveSettings().dbPath, kRunDay, QStringLiteral(".pdf"));
    ASSERT_EQ(pdf.size(), 1);

    // The register keeps the run once: the grid's values cell for cell, each
    // point's verdict, and the protocol file byte for byte.
    const QList<TRegisterRecord> records = StoredRecords(program->ArchiveSettings().dbPath);
    ASSERT_EQ(records.size(), 1);
    const TRegisterRecord &run = records.first();
    EXPECT_EQ(run.Kind, TRecordKind::TestRun);
    EXPECT_EQ(run.Plant, Model().Config.PlantNumber());
    EXPECT_EQ(run.Details.value("nnz").toString(), QStringLiteral("НЗ-17"));
    EXPECT_EQ(run.Details.value("ppm").toString(), QStringLiteral("ППМ-0815"));
    const char *const keys[] = {"tape", "level", "levelError", "current", "currentMeasured", "currentError"};
    const int decimals[] = {0, 3, 3, 2, 2, 3}; // as the grid shows them
    const QJsonArray points = run.Details.value("points").toArray();
    ASSERT_EQ(points.size(), 5);
    for (int n = 1; n <= 5; ++n) {
        const QJsonObject point = points[n - 1].toObject();
        for (int c = 1; c <= 6; ++c) {
            const double scale = std::pow(10.0, decimals[c - 1]);
            EXPECT_NEAR(std::round(point.value(QLatin1String(keys[c - 1])).toDouble() * scale) / scale,
                        Number(window->Grid()->item(n - 1, c)->text()), 1e-9)
                << n << " " << c;
        }
        EXPECT_EQ(point.value("passed").toBool(), !TestRunCurrentFails(Model().TestRun.Points[n - 1]) &&
                                                      std::abs(Model().TestRun.Points[n - 1].LevelError) < 2);
    }
    QFile protocol(QDir(folder).filePath(pdf.first()));
    ASSERT_TRUE(protocol.open(QIODevice::ReadOnly));
    EXPECT_EQ(run.Document, protocol.readAll());
    EXPECT_EQ(run.DocumentName, pdf.first());
    // The protocol as "Открыть протокол" of the register window gives it.
    QFile stored(home.file(QStringLiteral("stored.pdf")));
    ASSERT_TRUE(stored.open(QIODevice::WriteOnly));
    stored.write(run.Document);
    stored.close();
    SavePdfPicture(stored.fileName(), QStringLiteral("register_protocol"));
    SaveReportPage(TestRunReport(Model(), *window->Chart()), home.file(QStringLiteral("page.pdf")),
                   QStringLiteral("progon_report"));
    for (const QString &text : Messages().mid(shownBefore))
        ADD_FAILURE() << text.toStdString();
}

} // namespace

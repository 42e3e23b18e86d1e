// The printed chart report: the page as PDF holds the title, the creation
// time, the gauge and the chart inside the margins; an unwritable path is
// told, not crashed on; the print preview saves the page while it is open.

#include "array_chart_bench.h"
#include "modal_dialog.h"
#include "report_pages.h"

#include "sim/answer_builder.h"
#include "support/small_disk.h"
#include "ui/report/chart_report.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>

namespace {

using ChartReport = ArrayChartBench;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}


// Pixels of the picture inside `area` that are not white.
int InkIn(const QImage &page, const QRect &area, const std::function<bool(QColor)> &counts)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (counts(page.pixelColor(x, y)))
                ++ink;
    return ink;
}

bool Dark(QColor c)
{
    return c.lightness() < 200;
}

bool SeriesBlue(QColor c)
{
    return c.blue() > 120 && c.red() < 100 && c.green() < 100;
}

TEST_F(ChartReport, ThePdfPageHoldsTitleTimeGaugeAndChartInsideItsMargins)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) << "poppler-utils";
    for (int i = 0; i < TGaugeArrays::SpectrumSize; ++i)
        model.Arrays.Spectrum[size_t(i)] = 10 + i; // a curve across the whole chart
    model.Config.SetPlantNumber(4711);
    model.Identity.ProgramType = 12;
    model.ParseAnswer(AnswerEcho(model.SystemAddress())); // a gauge that said which it is
    TFormSpectrum &window = OpenSpectrum();
    const QString pdf = home.file(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(SaveChartReportPdf(window.Report(), pdf, error)) << error.toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 4000);

    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Спектр"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Отчет создан: 08.12.2026 10:15:00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ТОЛМ472И"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Заводской номер: 4711"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("500"))) << "the bottom axis labels: " << text.toStdString();

    // A4 across at 50 dpi; the margins of 15 mm (about 29 pixels) hold no
    // ink, the chart's curve is in the middle of the page, not squeezed to
    // a corner by fonts that came out too large.
    const QImage page = PdfPage(pdf, 50, home.file(QStringLiteral("page")));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 585, 2);
    EXPECT_NEAR(page.height(), 413, 2);
    const int margin = 25;
    EXPECT_EQ(InkIn(page, QRect(0, 0, page.width(), margin), Dark), 0);
    EXPECT_EQ(InkIn(page, QRect(0, page.height() - margin, page.width(), margin), Dark), 0);
    EXPECT_EQ(InkIn(page, QRect(0, 0, margin, page.height()), Dark), 0);
    EXPECT_EQ(InkIn(page, QRect(page.width() - margin, 0, margin, page.height()), Dark), 0);
    EXPECT_GT(InkIn(page, QRect(page.width() / 3, margin, page.width() / 3, 20), Dark), 20) << "the title";
    EXPECT_GT(InkIn(page, QRect(margin, page.height() / 4, page.width() - 2 * margin, page.height() / 2), SeriesBlue),
              200)
        << "the curve";
}

TEST_F(ChartReport, AnUnwritablePathIsToldAndNothingIsLeft)
{
    SetSpectrum(150);
    TFormSpectrum &window = OpenSpectrum();
    const QString pdf = home.file(QStringLiteral("no such folder/report.pdf"));
    QString error;
    EXPECT_FALSE(SaveChartReportPdf(window.Report(), pdf, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать отчет в файл "))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    // From the window's menu: the operator is told.
    op.Answer(pdf);
    window.actReportPdf->trigger();
    ASSERT_EQ(op.MessageTexts().size(), 1);
    EXPECT_EQ(op.MessageTexts()[0], error);
}

// Saved again on a disk that filled since: the report saved before stays
// whole, and no half-written file is left beside it.
TEST_F(ChartReport, AFullDiskLeavesTheReportSavedBeforeAsItWas)
{
    SmallDisk disk(512);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    SetSpectrum(150);
    TFormSpectrum &window = OpenSpectrum();
    const QString pdf = disk.file(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(SaveChartReportPdf(window.Report(), pdf, error)) << error.toStdString();
    const QByteArray before = ReadAll(pdf);
    disk.Fill(2048);
    EXPECT_FALSE(SaveChartReportPdf(window.Report(), pdf, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать отчет в файл "))) << error.toStdString();
    disk.Free();
    EXPECT_EQ(ReadAll(pdf), before);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("report.pdf")});
}

TEST_F(ChartReport, ThePreviewSavesItsPageAsPdfWhileItIsOpen)
{
    for (int i = 0; i < TGaugeArrays::SignalSize; ++i)
        model.Arrays.Signal[size_t(i)] = int32_t(2000000 * std::sin(i / 10.0));
    TFormSignal &window = OpenSignal();
    const QString pdf = home.file(QStringLiteral("signal.pdf"));
    op.Answer(pdf);
    bool saved = false;
    OnNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Сигнал"));
        auto *save = preview->findChild<QAction *>(QStringLiteral("actSavePdf"));
        EXPECT_NE(save, nullptr);
        if (save) {
            EXPECT_EQ(save->text(), QStringLiteral("Сохранить в PDF"));
            save->trigger();
            saved = QFileInfo(pdf).size() > 4000;
        }
        preview->reject();
    });
    window.actReportPreview->trigger();
    EXPECT_TRUE(saved);
    const QList<TOperatorCall> asked = op.CallsOf(QStringLiteral("SaveFileName"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].Text, QStringLiteral("Документ PDF (*.pdf)"));
    EXPECT_TRUE(op.MessageTexts().isEmpty());
}

} // namespace

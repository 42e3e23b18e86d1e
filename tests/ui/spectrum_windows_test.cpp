// The spectrum and signal windows: the decibel scale and its empty cases,
// the readouts with the locale's numbers, the bands and the distance axis
// where the readout puts the distances, the reference spectrum, and the
// points as a spreadsheet file.

#include "array_chart_bench.h"

#include "app/text_file.h"
#include "ui/windows/spectrum_overlays.h"

#include <qcustomplot.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>

namespace {

using SpectrumWindows = ArrayChartBench;

QList<double> Values(const QList<QPointF> &points)
{
    QList<double> values;
    for (const QPointF &point : points)
        values.append(point.y());
    return values;
}

QList<double> GraphValues(const QCPGraph &graph)
{
    QList<double> values;
    for (auto point = graph.data()->constBegin(); point != graph.data()->constEnd(); ++point)
        values.append(point->value);
    return values;
}

TEST_F(SpectrumWindows, TheSpectrumIsDrawnInDecibelsBelowItsLargestValue)
{
    SetSpectrum(3);
    model.Arrays.Spectrum[4] = 10;
    TFormSpectrum &window = OpenSpectrum();
    const QList<QPointF> &points = window.Points();
    ASSERT_EQ(points.size(), 512);
    EXPECT_DOUBLE_EQ(points[3].y(), 0);
    EXPECT_DOUBLE_EQ(points[4].y(), -20);
    EXPECT_DOUBLE_EQ(points[0].y(), -10);
    EXPECT_EQ(points[511].x(), 511);
    EXPECT_EQ(GraphValues(*window.Chart()->graph(0)), Values(points));
    EXPECT_FALSE(window.PointsShown()); // markers hidden at creation
    EXPECT_TRUE(window.actPointsFalse->isChecked());

    // A line of 0 has no level: the curve ends before it.
    model.Arrays.Spectrum[300] = 0;
    window.FillSpectrum();
    EXPECT_EQ(window.Points().size(), 300);
}

TEST_F(SpectrumWindows, AnEmptyOrAllNegativeSpectrumLeavesTheChartEmpty)
{
    SetSpectrum(3);
    TFormSpectrum &window = OpenSpectrum();
    ASSERT_EQ(window.Points().size(), 512);
    model.Arrays.ClearSpectrum();
    window.FillSpectrum();
    EXPECT_TRUE(window.Points().isEmpty());
    EXPECT_EQ(window.Chart()->graph(0)->dataCount(), 0);
    model.Arrays.Spectrum.fill(-5);
    window.FillSpectrum();
    EXPECT_TRUE(window.Points().isEmpty());
    EXPECT_EQ(window.Chart()->graph(0)->dataCount(), 0);
}

TEST_F(SpectrumWindows, TheReadoutGivesTheLineDistanceInTheLocalesNumbers)
{
    SetSpectrum(3);
    model.Config.SetKrPer(0.5);
    TFormSpectrum &window = OpenSpectrum();
    window.show();
    QCustomPlot &chart = *window.Chart();
    chart.replot();
    EXPECT_EQ(window.ReadoutText(10, -3), QStringLiteral("Спектр[10/10,5] = -3,00000"));
    // The mouse reads the axes where it stands, not snapped to a line.
    const QPoint nearLine10(qRound(chart.xAxis->coordToPixel(10)), qRound(chart.yAxis->coordToPixel(-3)));
    QTest::mouseMove(&chart, nearLine10);
    EXPECT_EQ(window.Readout(),
              window.ReadoutText(chart.xAxis->pixelToCoord(nearLine10.x()), chart.yAxis->pixelToCoord(nearLine10.y())));
    EXPECT_TRUE(window.Readout().startsWith(QStringLiteral("Спектр[10/1"))) << window.Readout().toStdString();

    // Outside the plotting rectangle the readout stays.
    const QString kept = window.Readout();
    QTest::mouseMove(&chart, QPoint(1, 1));
    EXPECT_EQ(window.Readout(), kept);

    EXPECT_EQ(window.ReadoutText(1234, -0.5), QStringLiteral("Спектр[1\u00A0234/1\u00A0234,5] = -0,50000"));
    TFormSignal &signal = OpenSignal();
    EXPECT_EQ(signal.ReadoutText(100.4, -1234567.2), QStringLiteral("Сигнал[100] = -1\u00A0234\u00A0567"));
}

TEST_F(SpectrumWindows, BadZonesAndTheDistanceAxisLieWhereTheReadoutPutsTheirDistances)
{
    SetSpectrum(3);
    model.Config.SetKrPer(0.5);
    model.Config.SetCountBadZones(2);
    model.BadZones.Zone(1).Near.SetValue(10.5); // the readout's distance of line 10
    model.BadZones.Zone(1).Far.SetValue(20.5);  // and of line 20
    model.BadZones.Zone(2).Near.SetValue(30.0); // no band: far before near
    model.BadZones.Zone(2).Far.SetValue(25.0);
    model.BadZones.Zone(3).Near.SetValue(40.0); // no band: not in use
    model.BadZones.Zone(3).Far.SetValue(50.0);
    TFormSpectrum &window = OpenSpectrum();
    QCustomPlot &chart = *window.Chart();

    QList<QCPItemRect *> bands;
    for (int i = 0; i < chart.itemCount(); ++i)
        if (auto *band = qobject_cast<QCPItemRect *>(chart.item(i)))
            bands.append(band);
    ASSERT_EQ(bands.size(), 1);
    EXPECT_DOUBLE_EQ(bands[0]->topLeft->coords().x(), 10);
    EXPECT_DOUBLE_EQ(bands[0]->bottomRight->coords().x(), 20);
    EXPECT_TRUE(chart.xAxis2->visible());
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().lower, 0.5);
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().upper, 512.5);

    // A slope read later moves them at the next refresh.
    model.Config.SetKrPer(1);
    window.UpdateView();
    EXPECT_DOUBLE_EQ(chart.xAxis2->range().upper, 1025);
    model.Config.SetKrPer(0);
    window.UpdateView();
    EXPECT_FALSE(chart.xAxis2->visible());
    for (int i = 0; i < chart.itemCount(); ++i)
        EXPECT_EQ(qobject_cast<QCPItemRect *>(chart.item(i)), nullptr);
}

TEST_F(SpectrumWindows, AReferenceIsDrawnUnderLaterSpectraAndFoundAgainAfterARestart)
{
    TFormSpectrum &empty = OpenSpectrum();
    empty.actReferenceSave->trigger();
    EXPECT_EQ(op.MessageTexts(), QStringList{QStringLiteral("Спектр не считан: запоминать нечего")});
    EXPECT_FALSE(empty.Reference().has_value());
    EXPECT_EQ(empty.StatusMessage(), QStringLiteral("Эталон не запомнен: спектр не считан"));

    SetSpectrum(100);
    model.Config.SetPlantNumber(321);
    TFormSpectrum &window = *TFormSpectrum::Instance();
    window.FillSpectrum();
    window.actReferenceSave->trigger();
    const QString file = home.file(QStringLiteral("DATA/2026/12/08/SpectrumReference_20261208_101500.txt"));
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(window.StatusMessage(), QStringLiteral("Эталон сохранен: ") + QDir::toNativeSeparators(file));

    // The echo moved and got weaker: the reference is drawn on the present
    // scale, its echo 3 dB above the present one.
    model.Arrays.Spectrum.fill(100);
    model.Arrays.Spectrum[120] = 500;
    window.FillSpectrum();
    QCustomPlot &chart = *window.Chart();
    ASSERT_EQ(chart.graphCount(), 2);
    QCPGraph *reference = chart.graph(1);
    EXPECT_EQ(reference->name(), QStringLiteral("Эталон"));
    EXPECT_LT(chart.layer(QStringLiteral("reference"))->index(), chart.graph(0)->layer()->index());
    const QList<double> levels = GraphValues(*reference);
    ASSERT_EQ(levels.size(), 512);
    EXPECT_NEAR(levels[100], 10 * std::log10(2.0), 1e-12);
    EXPECT_GE(chart.yAxis->range().upper, levels[100]); // the value axis fits the reference too
    // A read in progress clears the model's array; a refresh meanwhile keeps
    // the scale of the spectrum shown.
    model.Arrays.ClearSpectrum();
    window.UpdateView();
    EXPECT_EQ(GraphValues(*chart.graph(1)), levels);
    model.Arrays.Spectrum.fill(100);
    model.Arrays.Spectrum[120] = 500;

    window.actReferenceShow->setChecked(false);
    EXPECT_EQ(chart.graphCount(), 1);

    // The next start finds it; a damaged newer one is refused with a word.
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TFormSpectrum &reopened = OpenSpectrum();
    ASSERT_TRUE(reopened.Reference().has_value());
    EXPECT_EQ(reopened.Reference()->PlantNumber, 321);
    EXPECT_EQ(reopened.Reference()->Values[100], 1000);
    EXPECT_EQ(reopened.Chart()->graphCount(), 2);
    reopened.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    home.writeRaw(QStringLiteral("DATA/2026/12/09/SpectrumReference_20261209_080000.txt"), "\x00\xff garbage");
    op.Calls.clear();
    TFormSpectrum &refused = OpenSpectrum();
    EXPECT_FALSE(refused.Reference().has_value());
    ASSERT_EQ(op.MessageTexts().size(), 1);
    EXPECT_TRUE(op.MessageTexts()[0].contains(QStringLiteral("поврежден"))) << op.MessageTexts()[0].toStdString();
    EXPECT_EQ(refused.Points().size(), 512); // the spectrum is shown all the same
}

TEST_F(SpectrumWindows, ThePointsGoToACsvThatARussianExcelOpens)
{
    model.Arrays.Spectrum.fill(100);
    model.Arrays.Spectrum[0] = 1000;
    model.Arrays.Spectrum[1] = 500;
    TFormSpectrum &window = OpenSpectrum();
    const QString path = home.file(QStringLiteral("spectrum.csv"));
    op.Answer(path);
    window.actReportCsv->trigger();
    ASSERT_EQ(op.CallsOf(QStringLiteral("SaveFileName")).size(), 1);
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(path, lines));
    ASSERT_EQ(lines.size(), 513);
    EXPECT_EQ(lines[0], QStringLiteral("X;Спектр"));
    EXPECT_EQ(lines[1], QStringLiteral("0;0"));
    EXPECT_EQ(lines[2], QStringLiteral("1;-3,01029995663981"));
    EXPECT_EQ(lines[3], QStringLiteral("2;-10"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(ToCp1251(QStringLiteral("X;Спектр\r\n0;0\r\n"))));

    // A folder that is not there: told, nothing written.
    op.Answer(home.file(QStringLiteral("missing/signal.csv")));
    OpenSignal().actReportCsv->trigger();
    ASSERT_EQ(op.MessageTexts().size(), 1);
    EXPECT_TRUE(op.MessageTexts()[0].startsWith(QStringLiteral("Не удалось записать данные"))) << op.MessageTexts()[0].toStdString();
}

} // namespace

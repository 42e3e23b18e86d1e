// The spectrum and signal windows with arrays read from the simulated gauge,
// and the first page of the spectrum's report: nothing cut off, and
// pictures for the documentation when TOLM_SCREENSHOTS names a folder.

#include "form_main_bench.h"

#include "archive/spectrum_reference.h"
#include "report_pages.h"
#include "ui/windows/form_signal.h"
#include "ui/windows/form_spectrum.h"

#include "support/window_shots.h"

#include <qcustomplot.h>

#include <QProcess>
#include <QStandardPaths>
#include <QMouseEvent>

#include <algorithm>

namespace {

class ArrayWindowsScreenshot : public FormMainBench
{
protected:
    void Take(QWidget &window, const QString &name)
    {
        window.resize(960, 560);
        QCoreApplication::processEvents();
        EXPECT_EQ(ClippedControls(window), QStringList()) << name.toStdString();
        EXPECT_TRUE(SaveShot(ShotWithCaption(window), name)) << name.toStdString();
    }

    // The mouse over a line of the chart, for the readout.
    static void Point(QCustomPlot &chart, double x, double y)
    {
        chart.replot();
        const QPointF at(chart.xAxis->coordToPixel(x), chart.yAxis->coordToPixel(y));
        QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&chart, &move);
    }
};

TEST_F(ArrayWindowsScreenshot, SpectrumWithBadZonesAndReferenceAndItsReport)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actAllParamRead"));
    ASSERT_TRUE(Execute("actSpectrumRead"));
    const auto &spectrum = Model().Arrays.Spectrum;
    const auto echo = int(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());

    // Yesterday's spectrum, before the repair: the echo 12 lines nearer and
    // weaker, a little more noise.
    TSpectrumReference before;
    before.Saved = QDateTime(QDate(2026, 12, 7), QTime(16, 40, 0));
    before.PlantNumber = Model().Config.PlantNumber();
    before.KrPer = Model().Config.KrPer();
    for (int i = 0; i < TSpectrumReference::Size; ++i)
        before.Values[size_t(i)] = Model().Arrays.Spectrum[size_t(std::clamp(i + 12, 0, 511))] * (i < echo ? 0.5 : 1.4);
    QString path, error;
    ASSERT_TRUE(SaveSpectrumReference(program->ArchiveSettings().dbPath, before, path, error));

    // Two bad zones an engineer set around obstacles in the tank.
    const double krPer = Model().Config.KrPer();
    Model().Config.SetCountBadZones(2);
    Model().BadZones.Zone(1).Near.SetValue(krPer * (2 * 30 + 1));
    Model().BadZones.Zone(1).Far.SetValue(krPer * (2 * 38 + 1));
    Model().BadZones.Zone(2).Near.SetValue(krPer * (2 * (echo + 40) + 1));
    Model().BadZones.Zone(2).Far.SetValue(krPer * (2 * (echo + 46) + 1));

    TFormSpectrum::Instance()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(Execute("actSpectrumRead"));
    TFormSpectrum &window = *TFormSpectrum::Instance();
    ASSERT_TRUE(window.Reference().has_value());
    Take(window, QStringLiteral("window_spectrum"));
    Point(*window.Chart(), echo, -1);
    EXPECT_TRUE(window.Readout().startsWith(QStringLiteral("Спектр["))) << window.Readout().toStdString();
    Take(window, QStringLiteral("window_spectrum"));

    SaveReportPage(window.Report(), home.file(QStringLiteral("report_spectrum.pdf")), QStringLiteral("report_spectrum"));
}

TEST_F(ArrayWindowsScreenshot, Signal)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actAllParamRead"));
    ASSERT_TRUE(Execute("actSignalRead"));
    TFormSignal &window = *TFormSignal::Instance();
    Take(window, QStringLiteral("window_signal"));
    Point(*window.Chart(), 300, Model().Arrays.Signal[300]);
    EXPECT_TRUE(window.Readout().startsWith(QStringLiteral("Сигнал[300] = "))) << window.Readout().toStdString();
    Take(window, QStringLiteral("window_signal"));
}

} // namespace

#pragma once
// A bench for the spectrum and signal windows on their own: a device model
// whose arrays a test fills, the archive root in a throw-away folder, a
// scripted operator and a clock standing at 08.12.2026 10:15:00.

#include "model_window_bench.h"

#include "ui/windows/form_signal.h"
#include "ui/windows/form_spectrum.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

class ArrayChartBench : public ModelWindowBench
{
protected:
    ~ArrayChartBench() override
    {
        delete TFormSpectrum::Instance();
        delete TFormSignal::Instance();
    }

    QString DbPath() const { return home.file(QStringLiteral("DATA")); }

    TFormSpectrum &OpenSpectrum()
    {
        EXPECT_EQ(TFormSpectrum::ShowSpectrum(model, DbPath()), 0);
        return *TFormSpectrum::Instance();
    }
    TFormSignal &OpenSignal()
    {
        EXPECT_EQ(TFormSignal::ShowSignal(model), 0);
        return *TFormSignal::Instance();
    }

    // A flat floor of 100 with the echo of 1000 at line `echo`.
    void SetSpectrum(int echo)
    {
        model.Arrays.Spectrum.fill(100);
        model.Arrays.Spectrum[size_t(echo)] = 1000;
    }
};

// The first page of a PDF as a picture at `dpi` through pdftoppm; a null
// image when it cannot be made.
inline QImage PdfPage(const QString &pdf, int dpi, const QString &pngBase)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return QImage();
    QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                             QStringLiteral("-singlefile"), pdf, pngBase});
    return QImage(pngBase + QStringLiteral(".png"));
}

// Array reads while polling runs, with the real progress window on screen
// and the event loop turning: a polling pass's request built before an
// array's init command and parsed after it must leave the gauge's array
// mode alone, so every block of the array is asked for and taken.

#include "form_main_bench.h"

#include "link/request_thread.h"
#include "ui/dialogs/widget_operator.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace {

// Repetitions of the signal and spectrum read; TOLM_ARRAY_READ_REPEATS
// shortens a quick try.
int Repeats()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TOLM_ARRAY_READ_REPEATS", &ok);
    return ok && n > 0 ? n : 100;
}

class ArrayReadUnderPolling : public FormMainBench
{
protected:
    QStringList DataFiles(const QString &prefix) const
    {
        // The summary is the file numbered 0000; the reads are 0001 on.
        QStringList files = QDir(home.file(QStringLiteral("DATA/2026/12/08")))
                                .entryList({prefix + QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        files.removeIf([](const QString &name) { return name.endsWith(QStringLiteral("_0000.txt")); });
        return files;
    }
    QStringList Lines(const QString &name) const
    {
        QFile f(home.file(QStringLiteral("DATA/2026/12/08/") + name));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    // Every block of 32 points holds a value: a block the gauge refused
    // would stay all zero.
    bool SignalComplete(const QString &name) const
    {
        const QStringList lines = Lines(name);
        if (lines.size() != 3 + TGaugeArrays::SignalSize)
            return false;
        for (int block = 0; block < TGaugeArrays::SignalSize / TGaugeArrays::BlockSize; ++block) {
            bool any = false;
            for (int i = 0; i < TGaugeArrays::BlockSize && !any; ++i)
                any = lines[3 + block * TGaugeArrays::BlockSize + i]
                          .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                          .value(1) != QLatin1String("0");
            if (!any)
                return false;
        }
        return true;
    }
    // The spectrum's noise floor is above zero at every point.
    bool SpectrumComplete(const QString &name) const
    {
        const QStringList lines = Lines(name);
        if (lines.size() != 1 + TGaugeArrays::SpectrumSize)
            return false;
        for (int i = 1; i < lines.size(); ++i)
            if (lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(1).toDouble() <= 0)
                return false;
        return true;
    }
};

TEST_F(ArrayReadUnderPolling, EveryBlockIsTakenWhenPollingPassesInterleaveWithTheReads)
{
    const int repeats = Repeats();
    TWidgetOperator screen;
    op.ProgressShownBy = &screen;
    Start({QStringLiteral("/full")});
    // Two commands a pass, every 200 ms.
    program->Cycle().ClearPollSet();
    program->Cycle().SetPolled(LevelAllRead, true);
    program->Cycle().SetPolled(TempRead, true);
    program->PollingTimer().SetInterval(200);
    ASSERT_TRUE(Execute("actOprosStart"));

    // Right after a tick has woken the request thread, the signal and the
    // spectrum are read as "Начать опрос сигнала" reads them under polling:
    // the pass's requests are built and parsed while the reads run.
    int started = 0, done = 0;
    QEventLoop loop;
    QObject::connect(&program->PollingTimer(), &QTimer::timeout, &loop, [&] {
        if (started < repeats && form->CaptureSignalAndSpectrum([&] {
                if (++done == repeats)
                    loop.quit();
            }))
            ++started;
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(Execute("actOprosStop"));
    op.ProgressShownBy = nullptr;

    EXPECT_EQ(done, repeats);
    EXPECT_GT(program->RequestThread().Passes(), 0u);
    for (const QString &text : Messages())
        ADD_FAILURE() << text.toStdString();
    const QStringList signalFiles = DataFiles(QStringLiteral("Signal_"));
    const QStringList spectrumFiles = DataFiles(QStringLiteral("Spectrum_"));
    EXPECT_EQ(signalFiles.size(), repeats);
    EXPECT_EQ(spectrumFiles.size(), repeats);
    for (const QString &name : signalFiles)
        EXPECT_TRUE(SignalComplete(name)) << name.toStdString();
    for (const QString &name : spectrumFiles)
        EXPECT_TRUE(SpectrumComplete(name)) << name.toStdString();
}

} // namespace

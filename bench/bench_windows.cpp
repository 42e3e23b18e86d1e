// The windows as the operator opens them, on the offscreen platform: the
// parameters window made, shown and filled on every tab (full mode, the
// extended parameter set, five bad zones), and its refresh alone, which runs
// after every command and every polling pass. The main window is a stand-in
// that runs no action.

#include "app/app_context.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/windows/form_tolm_par.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

class TIdleMainWindow final : public TMainServices
{
public:
    bool ExecuteAction(const QString &) override { return true; }
    bool ActionEnabled(const QString &) const override { return true; }
    void UpdateAllViews() override {}
    void ApplyModeVisibility() override {}
    void ApplyValueRanges() override {}
    void ShowParametersWindow(bool) override {}
};

// A gauge with every tab's groups in use.
void fill(Ttolm472 &model)
{
    model.Identity.SoftVersion = 2;
    model.Config.SetHmax(20000);
    model.Config.SetLmax(18500.5);
    model.Config.SetKrPer(146.243);
    model.Config.SetCountBadZones(5);
    for (int zone = 1; zone <= 5; ++zone)
        model.BadZones.Zone(zone).Far.SetValue(1000.0 * zone);
    model.Config.SetVariantProcessing((1 << 1) | (1 << 5) | (1 << 15));
}

struct TBench {
    TBench()
    {
        SetAppContext(TAppContext(folder.path(), folder.path()));
        AppContext().Flags.FullMode = true;
        fill(model);
    }
    ~TBench() { SetAppContext(TAppContext()); }
    QTemporaryDir folder;
    Ttolm472 model{folder.path()};
    TIdleMainWindow services;
};

void BM_ParametersWindowOpen(benchmark::State &state)
{
    TBench bench;
    for (auto _ : state) {
        TFormTolmPar::ShowTolmPar(bench.model, bench.services);
        TFormTolmPar *window = TFormTolmPar::Instance();
        for (int tab : {TFormTolmPar::General, TFormTolmPar::Special, TFormTolmPar::Factory})
            window->SelectTab(TFormTolmPar::TTab(tab));
        QCoreApplication::processEvents(); // laid out and painted
        state.PauseTiming();
        delete window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ParametersWindowOpen)->Unit(benchmark::kMillisecond);

void BM_ParametersWindowUpdateView(benchmark::State &state)
{
    TBench bench;
    TFormTolmPar::ShowTolmPar(bench.model, bench.services);
    TFormTolmPar *window = TFormTolmPar::Instance();
    QCoreApplication::processEvents();
    double level = 0;
    for (auto _ : state) {
        // A new value on every pass, as polling brings them.
        bench.model.Config.SetLevelKalibr(level = level < 1000 ? level + 1 : 0);
        bench.model.BadZones.Zone(3).Near.SetValue(level);
        window->UpdateView();
    }
    delete window;
}
BENCHMARK(BM_ParametersWindowUpdateView)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

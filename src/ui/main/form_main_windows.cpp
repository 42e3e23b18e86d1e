// The tool windows the main window opens, refreshes and closes. Each window
// keeps its own single instance (made on first use, forgotten when it
// closes; the multi-graph is made anew for each opening and is modal); the
// main window only knows how to show it and where it stands in the refresh
// order.
#include "ui/main/form_main.h"

#include "app/app_context.h"
#include "archive/value_archive.h"
#include "device/tolm472.h"
#include "register/register_place.h"
#include "session/gauge_session.h"
#include "session/line_scan.h"
#include "session/procedures/procedure_actions.h"
#include "ui/dialogs/operator.h"
#include "ui/main/action_dispatcher.h"
#include "ui/main/action_tables.h"
#include "ui/windows/form_req_ans.h"
#include "ui/windows/form_select_cmd.h"
#include "ui/windows/form_signal.h"
#include "ui/windows/form_spectrum.h"
#include "ui/windows/form_tolm472i.h"
#include "ui/windows/form_graph.h"
#include "ui/windows/form_kalibr.h"
#include "ui/windows/form_multi_graph.h"
#include "ui/windows/form_progon.h"
#include "ui/windows/form_line_gauges.h"
#include "ui/windows/form_register.h"
#include "ui/windows/form_tolm_par.h"
#include "ui/windows/graph_slots.h"
#include "ui/main/program.h"

#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct TToolWindow {
    const char *Action;
    std::function<int()> Show; // 0, or -1 when the window could not be made
    std::function<QWidget *()> Instance;
};

// Where the graphs of the main window read and follow the readings.
TGraphSources graphSources(TProgram &program)
{
    TGraphSources sources;
    // The current gauge's own folder while several gauges are polled.
    sources.DbPath = program.Session().ArchiveFolderOf(program.Model().SystemAddress());
    if (sources.DbPath.isEmpty())
        sources.DbPath = program.Archive().DbPath();
    sources.Feed = &program.Session().Feed();
    sources.Gauge = &program.Model();
    return sources;
}

// The time graph of a slot, over the last day, with the value's live
// points when the slot has a live value.
TToolWindow graphWindow(TProgram &program, const TGraphSlot &slot)
{
    return {slot.Action,
            [&program, &slot] {
                const TDateTime now = NowDateTime();
                return TFormGraph::OpenGraph(slot.Slot, slot.Table, LiveValue(slot, program.Model()),
                                             QStringLiteral("График"), now, now - 1, graphSources(program));
            },
            [&slot] { return static_cast<QWidget *>(TFormGraph::Instance(slot.Slot)); }};
}

// In the order of the refresh: poll selection, readings, parameters,
// communication, spectrum (its bands and distance axis), calibration, test
// run; then the time graphs and the multi-graph, which have nothing to
// refresh. "Спектр" and "Сигнал" also refill their window from the model's
// array: the main window executes them after every read of the array.
std::vector<TToolWindow> toolWindows(TProgram &program, TMainServices &services)
{
    std::vector<TToolWindow> windows{
        {"actSelectCmdShow", [&program] { return TFormSelectCMD::ShowSelectCmd(program.Cycle()); },
         [] { return TFormSelectCMD::Instance(); }},
        {"actTolm472Show", [&program, &services] { return TFormTolm472I::ShowTolm472I(program.Model(), services); },
         [] { return TFormTolm472I::Instance(); }},
        {"actTolmParShow", [&program, &services] { return TFormTolmPar::ShowTolmPar(program.Model(), services); },
         [] { return TFormTolmPar::Instance(); }},
        {"actReqAnsShow", [&program] { return TFormReqAns::ShowReqAns(program.Line(), program.Cycle()); },
         [] { return TFormReqAns::Instance(); }},
        {"actSpectrumShow",
         [&program] {
             const int shown = TFormSpectrum::ShowSpectrum(program.Model(), program.ArchiveSettings().dbPath);
             if (shown == 0)
                 TFormSpectrum::Instance()->FillSpectrum();
             return shown;
         },
         [] { return TFormSpectrum::Instance(); }},
        {"actKalibrShow", [&program, &services] { return TFormKalibr::ShowKalibr(program.Model(), services); },
         [] { return TFormKalibr::Instance(); }},
        {"actSignalShow",
         [&program] {
             const int shown = TFormSignal::ShowSignal(program.Model());
             if (shown == 0)
                 TFormSignal::Instance()->FillSignal();
             return shown;
         },
         [] { return TFormSignal::Instance(); }},
        {"actFormProgonShow",
         [&program, &services] {
             const int shown = TFormProgon::ShowProgon(program.Model(), services, program.ArchiveSettings().dbPath);
             if (shown == 0)
                 TFormProgon::Instance()->UpdateView();
             return shown;
         },
         [] { return TFormProgon::Instance(); }},
        // Opened with the gauge of the line: its records at once.
        {"actRegisterShow",
         [&program, &services] {
             return TFormRegister::ShowRegister(
                 RegisterPlace(AppContext().ProgramFolder(), program.ArchiveSettings().dbPath),
                 &program.RegisterOutbox(), program.Model().Config.PlantNumber(),
                 [&program, &services](const QString &path) {
                     return program.Session().StartProcedure(
                         Operator(), services, AppContext().Flags.FullMode,
                         [path](const TProcedureContext &context) { CompareFileWithGauge(context, path); });
                 });
         },
         [] { return TFormRegister::Instance(); }},
        {"actLineGaugesShow",
         [&program, &services] {
             return TFormLineGauges::ShowLineGauges(
                 program.Session(), program.Model(),
                 {[&services] { services.ExecuteAction(QStringLiteral("actLineScan")); },
                  // A time graph shows one gauge: an open one is opened anew
                  // on the new current gauge's archive and live readings.
                  [&services] {
                      for (const TGraphSlot &slot : GraphSlots())
                          if (TFormGraph *graph = TFormGraph::Instance(slot.Slot)) {
                              graph->close();
                              services.ExecuteAction(QString::fromLatin1(slot.Action));
                          }
                  }});
         },
         [] { return TFormLineGauges::Instance(); }},
    };
    for (const TGraphSlot &slot : GraphSlots())
        windows.push_back(graphWindow(program, slot));
    // Modal to the whole program while it is open; the command returns at once.
    windows.push_back({"actMultiGraphShow",
                       [&program] {
                           return TFormMultiGraph::OpenMultiGraph(program.Model(), AppContext().Flags.FullMode,
                                                                  graphSources(program))
                                      ? 0
                                      : -1;
                       },
                       [] { return static_cast<QWidget *>(TFormMultiGraph::Instance()); }});
    return windows;
}

// The windows opened at start, in this order.
const char *const StartWindows[] = {"actTolm472Show", "actTolmParShow", "actReqAnsShow", "actSelectCmdShow"};

} // namespace

void TFormMain::addWindowActions()
{
    for (const TNamedAction &row : WindowActions()) {
        for (const TToolWindow &window : toolWindows(m_program, *this)) {
            if (qstrcmp(window.Action, row.Name) == 0)
                m_actions->Add(QString::fromUtf8(row.Name), QString::fromUtf8(row.Caption), HintOf(row),
                               [show = window.Show] { show(); });
        }
    }
}

void TFormMain::openStartWindows()
{
    for (const char *name : StartWindows)
        ExecuteAction(QString::fromUtf8(name));
}

QList<TView *> TFormMain::openViews()
{
    QList<TView *> views;
    for (const TToolWindow &window : toolWindows(m_program, *this))
        if (auto *view = dynamic_cast<TView *>(window.Instance()))
            views.append(view);
    return views;
}

void TFormMain::closeToolWindows()
{
    for (const TToolWindow &window : toolWindows(m_program, *this))
        if (QWidget *open = window.Instance())
            open->close();
}

void TFormMain::deleteToolWindows()
{
    // Without a close, as at the end of a test: the windows hold the model
    // and this window's services.
    for (const TToolWindow &window : toolWindows(m_program, *this))
        delete window.Instance();
}

void TFormMain::ApplyDefaultPollSelection()
{
    TFormSelectCMD *selection = TFormSelectCMD::Instance();
    if (!selection)
        return;
    const TAppFlags &flags = AppContext().Flags;
    // Ticking a box runs its own reaction, as the operator's click does.
    selection->chbLevelAll->setChecked(true);
    selection->chbCurrentOutput->setChecked(flags.FullMode && flags.LumidorMode);
}

QByteArray TFormMain::CalibrationPagePdf()
{
    // The page of the window the write was started from, as it shows it.
    TFormKalibr *window = TFormKalibr::Instance();
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("page.pdf"));
    QString error;
    if (!window || !scratch.isValid() || !SaveChartReportPdf(window->Report(), path, error))
        return {};
    QFile page(path);
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

void TFormMain::ShowParametersWindow(bool factoryTab)
{
    if (TFormTolmPar::ShowTolmPar(m_program.Model(), *this) != 0)
        return;
    if (factoryTab)
        TFormTolmPar::Instance()->SelectTab(TFormTolmPar::Factory);
}

void TFormMain::scanLine()
{
    auto found = std::make_shared<std::vector<TFoundGauge>>();
    startProcedure([found](const TProcedureContext &context) { *found = ScanLineShowingProgress(context); },
                   [this, found] {
                       TGaugeSession &session = m_program.Session();
                       std::vector<TLineGauge> gauges = session.LineGauges();
                       MergeFoundGauges(gauges, *found);
                       if (!session.KeepLineGauges(gauges))
                           Operator().Error(QStringLiteral("Не удалось записать файл ") +
                                            LineGaugesFileName(session.ProgramFolder()));
                       ExecuteAction(QStringLiteral("actLineGaugesShow"));
                       Operator().Information(AttentionCaption(), ScanSummary(*found));
                   });
}

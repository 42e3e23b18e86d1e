#include "ui/windows/time_chart_window.h"

#include "device/tolm472.h"
#include "series/series_load_job.h"
#include "ui/dialogs/form_range_dt.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/graph_axis.h"
#include "ui/windows/graph_settings.h"
#include "ui/windows/window_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <qcustomplot.h>

namespace {

// The chart draws what is due at most this often while readings come in.
constexpr int ReplotDelayMs = 40;

} // namespace

TTimeChartWindow::TTimeChartWindow(QWidget *&openSlot, const QString &name, const TGraphSources &sources,
                                   const QStringList &panelHints, int stretchPanel)
    : TSingleWindow(openSlot, name, nullptr, Qt::Window)
    , m_sources(sources)
{
    m_replot = new QTimer(this);
    m_replot->setSingleShot(true);
    m_replot->setInterval(ReplotDelayMs);
    connect(m_replot, &QTimer::timeout, this, &TTimeChartWindow::ReplotNow);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_chart = new QCustomPlot(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setFocusPolicy(Qt::StrongFocus);
    m_chart->setNotAntialiasedElements(QCP::aeAll);
    m_chart->setInteractions(QCP::iRangeZoom);
    m_chart->setSelectionRectMode(QCP::srmZoom);
    setupTimeAxis(*m_chart, false);
    connect(m_chart->xAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this,
            &TTimeChartWindow::onTimeRangeChanged);
    connect(m_chart->yAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this, [this] { updateStatus(); });
    connect(m_chart, &QCustomPlot::mouseMove, this, &TTimeChartWindow::onMouseMove);
    layout->addWidget(m_chart, 1);

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("ScrollBar"));
    m_scroll->setRange(0, 100);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, &TTimeChartWindow::onScrollMoved);
    layout->addWidget(m_scroll);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < panelHints.size(); ++i) {
        auto *panel = new QLabel(status);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setToolTip(panelHints[i]);
        status->addWidget(panel, i == stretchPanel ? 1 : 0);
        m_panels.push_back(panel);
    }
    layout->addWidget(status);
}

TTimeChartWindow::~TTimeChartWindow()
{
    // The load's thread is stopped before the window it reports to goes.
    m_load.reset();
}

QAction *TTimeChartWindow::makeAction(const char *name, const QString &caption, std::function<void()> run,
                                      const QString &hint)
{
    QAction *action = WindowAction(name, caption, hint.isEmpty() ? caption : hint, this);
    if (run)
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    m_actions.insert(QLatin1String(name), action);
    return action;
}

void TTimeChartWindow::buildCommonActions(std::function<TChartReport()> report, std::function<void()> csv)
{
    auto *modes = new QActionGroup(this);
    QAction *current = makeAction("actCurrent", QStringLiteral("Текущие показания"), [this] { setCurrent(); },
                                  QStringLiteral("Показания за последние сутки"));
    QAction *period = makeAction("actStartStopDT", QStringLiteral("Временной диапазон"), [this] { setStartStop(); });
    for (QAction *a : {current, period}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    for (const TTimeStep &step : TimeSteps())
        makeAction(step.Action, QString::fromUtf8(step.Caption), [this, index = step.Index] { applyStep(index); })
            ->setCheckable(true);
    makeAction("actUndoZoom", QStringLiteral("Увеличение отменить \"Пробел\""), [this] { undoZoom(); });
    makeAction("actZoomMinus", QStringLiteral("Уменьшить \"-\""), [this] { zoom(90); });
    makeAction("actZoomPlus", QStringLiteral("Увеличить \"+\""), [this] { zoom(110); });
    makeAction("actShowAllX", QStringLiteral("Показать все по X"), [this] { showAllX(); });
    makeAction("actShowAllY", QStringLiteral("Показать все по Y"), [this] { showAllY(); });
    makeAction("actShowAllXY", QStringLiteral("Показать все"), [this] { showAll(); });
    makeAction("actPointsTrue", QStringLiteral("Точки показать"), [this] { setPoints(true); })->setCheckable(true);
    makeAction("actPointsFalse", QStringLiteral("Точки скрыть"), [this] { setPoints(false); })->setCheckable(true);
    makeAction("actScanEndOn", QStringLiteral("Следить за значением"), [this] { setScan(true); })->setCheckable(true);
    makeAction("actScanEndOff", QStringLiteral("Не следить за значением"), [this] { setScan(false); })
        ->setCheckable(true);
    BindReportActions(this,
                      makeAction("actReportPreview", QStringLiteral("Просмотр/Печать"), {},
                                 QStringLiteral("Открыть окно предварительного просмотра графика перед печатью")),
                      makeAction("actReportPdf", QStringLiteral("Сохранить в PDF"), {}), std::move(report));
    makeAction("actReportCsv", QStringLiteral("Сохранить данные (CSV)"), std::move(csv));
    makeAction("actClose", QStringLiteral("Закрыть окно"), [this] { close(); });
}

QMenu *TTimeChartWindow::addMenu(QMenuBar &menus, const QString &title,
                                 std::initializer_list<const char *> names) const
{
    QMenu *menu = menus.addMenu(title);
    for (const char *name : names) {
        if (name)
            menu->addAction(Action(QLatin1String(name)));
        else
            menu->addSeparator();
    }
    return menu;
}

void TTimeChartWindow::addStepsTo(QMenu &menu) const
{
    for (const TTimeStep &step : TimeSteps())
        menu.addAction(Action(QLatin1String(step.Action)));
}

QToolBar *TTimeChartWindow::buildToolBar(const QString &name, std::initializer_list<const char *> extra)
{
    auto *tools = new QToolBar(this);
    tools->setObjectName(name);
    const auto tool = [&](std::initializer_list<const char *> names) {
        for (const char *n : names)
            tools->addAction(Action(QLatin1String(n)));
        tools->addSeparator();
    };
    tools->addAction(Action(QStringLiteral("actCurrent")));
    tools->addAction(Action(QStringLiteral("actStartStopDT")));
    tool(extra);
    for (const TTimeStep &step : TimeSteps())
        tools->addAction(Action(QLatin1String(step.Action)));
    tools->addSeparator();
    tool({"actUndoZoom", "actZoomMinus", "actZoomPlus", "actShowAllX", "actShowAllY", "actShowAllXY"});
    tool({"actPointsTrue", "actPointsFalse", "actScanEndOn", "actScanEndOff", "actReportPreview"});
    tools->addAction(Action(QStringLiteral("actClose")));
    static_cast<QVBoxLayout *>(layout())->insertWidget(0, tools);
    return tools;
}

void TTimeChartWindow::startLoad(const TSeriesRequest &request, const QString &progressText,
                                 std::function<void(TSeriesLoad &load)> done)
{
    m_load = std::make_unique<TSeriesLoadJob>(
        this, request, m_sources.Reader,
        [progressText](int step, int total) { Operator().ShowProgress(progressText, step, total); },
        [this, done = std::move(done)](TSeriesLoad &load) {
            m_load.reset();
            done(load);
        });
}

void TTimeChartWindow::stopLoad()
{
    m_load.reset();
}

void TTimeChartWindow::afterLoad()
{
    setPoints(m_showPoints);
    setScan(false);
    showAllX();
    applyStep(m_stepIndex);
    updateModeChecks();
    updateStatus();
}

void TTimeChartWindow::setCurrent()
{
    m_archive = false;
    m_rangeDT = TRangeDT();
    bindLive(true);
    loadArchive([this] { afterLoad(); });
    updateModeChecks();
    updateStatus();
}

void TTimeChartWindow::setStartStop()
{
    TFormRangeDT dialog(m_rangeDT.Start(), m_rangeDT.Stop(), this);
    if (dialog.exec() != QDialog::Accepted) {
        updateModeChecks();
        return;
    }
    m_archive = true;
    m_rangeDT.SetRange(dialog.Stop(), dialog.Start());
    bindLive(false);
    loadArchive([this] { afterLoad(); });
    updateModeChecks();
    updateStatus();
}

void TTimeChartWindow::updateModeChecks()
{
    Action(QStringLiteral("actCurrent"))->setChecked(!m_archive);
    Action(QStringLiteral("actStartStopDT"))->setChecked(m_archive);
    Action(QStringLiteral("actScanEndOn"))->setEnabled(!m_archive);
}

void TTimeChartWindow::setPoints(bool on)
{
    m_showPoints = on;
    Action(QStringLiteral("actPointsTrue"))->setChecked(on);
    Action(QStringLiteral("actPointsFalse"))->setChecked(!on);
    refillChart();
    scheduleReplot();
}

void TTimeChartWindow::setScan(bool on)
{
    if (on && m_archive)
        return;
    m_scan = on;
    Action(QStringLiteral("actScanEndOn"))->setChecked(on);
    Action(QStringLiteral("actScanEndOff"))->setChecked(!on);
    if (on)
        followValue();
}

void TTimeChartWindow::applySettings(const TGraphSettings &settings)
{
    m_stepIndex = settings.StepIndex;
    setPoints(settings.Points);
    setScan(settings.Scan);
}

void TTimeChartWindow::fillSettings(TGraphSettings &settings) const
{
    settings.StepIndex = m_stepIndex;
    settings.Points = m_showPoints;
    settings.Scan = m_scan;
}

TChartReport TTimeChartWindow::report(std::function<void(QCustomPlot &chart)> fill) const
{
    TChartReport page{windowTitle(),
                      QStringLiteral("с ") + DateTimeText(DateTimeOfKey(TimeMin())) + QStringLiteral(" по ") +
                          DateTimeText(DateTimeOfKey(TimeMax())),
                      QString(), QString(), std::move(fill)};
    if (const Ttolm472 *gauge = m_sources.Gauge) {
        page.PlantNumber = QString::number(gauge->Config.PlantNumber());
        page.Model = gauge->Identity.ModelName();
    }
    return page;
}

QString TTimeChartWindow::rangeText() const
{
    QString range = QStringLiteral("Диапазон c ") + DateTimeText(DateTimeToQDateTime(m_rangeDT.Start()));
    if (m_archive)
        range += QStringLiteral(" по ") + DateTimeText(DateTimeToQDateTime(m_rangeDT.Stop()));
    return range;
}

QString TTimeChartWindow::intervalText() const
{
    return QStringLiteral("c ") + DateTimeText(DateTimeOfKey(TimeMin())) + QStringLiteral(" по ") +
           DateTimeText(DateTimeOfKey(TimeMax()));
}

void TTimeChartWindow::Closing()
{
    if (m_load) {
        m_load.reset();
        Operator().CloseProgress();
    }
    bindLive(false);
}

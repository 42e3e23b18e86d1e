#include "ui/windows/form_graph.h"

#include "series/series_load_job.h"
#include "ui/report/chart_csv.h"
#include "ui/windows/graph_axis.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
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

QWidget *&TFormGraph::openSlot(int slot)
{
    static std::array<QWidget *, SlotCount + 1> open{};
    return open[size_t(slot)];
}

TFormGraph *TFormGraph::Instance(int slot)
{
    return slot >= 1 && slot <= SlotCount ? static_cast<TFormGraph *>(openSlot(slot)) : nullptr;
}

TFormGraph::TFormGraph(int slot, const TSources &sources)
    : TSingleWindow(openSlot(slot), QStringLiteral("FormGraph"), nullptr, Qt::Window)
    , m_slot(slot)
    , m_sources(sources)
{
    m_value.Description.Title = QStringLiteral("Значение");
    m_value.Description.Hint = QStringLiteral("Значение параметра");
    m_value.Description.Dimension.clear();
    m_value.Description.SetRange(100, 0);
    m_value.Description.Precision = 10;
    m_value.Description.Digits = 255;

    m_replot = new QTimer(this);
    m_replot->setSingleShot(true);
    m_replot->setInterval(ReplotDelayMs);
    connect(m_replot, &QTimer::timeout, this, &TFormGraph::ReplotNow);

    buildLayout();
    buildActions();
    setPoints(false);
    setScan(false);
    resize(800, 500);
    RestorePosition();
}

TFormGraph::~TFormGraph()
{
    // The load's thread is stopped before the window it reports to goes.
    m_load.reset();
    bindLive(false);
}

QAction *TFormGraph::makeAction(const char *name, const QString &caption, std::function<void()> run,
                               const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint.isEmpty() ? caption : hint);
    action->setStatusTip(action->toolTip());
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    m_actions.insert(QLatin1String(name), action);
    return action;
}

void TFormGraph::buildActions()
{
    auto *modes = new QActionGroup(this);
    QAction *current = makeAction("actCurrent", QStringLiteral("Текущие показания"), [this] { setCurrent(); },
                                 QStringLiteral("Показания за последние сутки"));
    QAction *period = makeAction("actStartStopDT", QStringLiteral("Временной диапазон"), [this] { setStartStop(); });
    for (QAction *a : {current, period}) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    makeAction("actYRangeChange", QStringLiteral("Изменить диапазон Y"), [this] { changeYRange(); });
    makeAction("actYRangeSet", QStringLiteral("Установить диапазон Y"), [this] { setYRange(); });
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
    makeAction("actReportPreview", QStringLiteral("Просмотр/Печать"), [this] { ShowChartReport(this, Report()); },
               QStringLiteral("Открыть окно предварительного просмотра графика перед печатью"));
    makeAction("actReportPdf", QStringLiteral("Сохранить в PDF"), [this] { SaveChartReportPdfAs(Report()); });
    makeAction("actReportCsv", QStringLiteral("Сохранить данные (CSV)"),
               [this] { SaveCsvAs(CsvLines(), windowTitle()); });
    makeAction("actClose", QStringLiteral("Закрыть окно"), [this] { close(); });
    makeAction("actSet4Milimeters", QStringLiteral("Размах 4 мм"), [this] { set4Millimeters(); });

    auto *menus = new QMenuBar(this);
    const auto menu = [&](const QString &title, std::initializer_list<const char *> names) {
        QMenu *m = menus->addMenu(title);
        for (const char *name : names) {
            if (name)
                m->addAction(Action(QLatin1String(name)));
            else
                m->addSeparator();
        }
    };
    menu(QStringLiteral("Диапазон"), {"actCurrent", "actStartStopDT"});
    QMenu *interval = menus->addMenu(QStringLiteral("Интервал"));
    interval->addAction(Action(QStringLiteral("actYRangeChange")));
    interval->addAction(Action(QStringLiteral("actYRangeSet")));
    interval->addSeparator();
    for (const TTimeStep &step : TimeSteps())
        interval->addAction(Action(QLatin1String(step.Action)));
    menu(QStringLiteral("Масштаб"),
         {"actUndoZoom", "actZoomMinus", "actZoomPlus", nullptr, "actShowAllX", "actShowAllY", "actShowAllXY"});
    menu(QStringLiteral("График"),
         {"actPointsTrue", "actPointsFalse", nullptr, "actScanEndOn", "actScanEndOff", nullptr, "actReportPreview", "actReportPdf", "actReportCsv"});
    menu(QStringLiteral("Окно"), {"actClose"});
    layout()->setMenuBar(menus);

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBarGraph"));
    const auto tool = [&](std::initializer_list<const char *> names) {
        for (const char *name : names)
            tools->addAction(Action(QLatin1String(name)));
        tools->addSeparator();
    };
    tool({"actCurrent", "actStartStopDT", "actYRangeSet"});
    for (const TTimeStep &step : TimeSteps())
        tools->addAction(Action(QLatin1String(step.Action)));
    tools->addSeparator();
    tool({"actUndoZoom", "actZoomMinus", "actZoomPlus", "actShowAllX", "actShowAllY", "actShowAllXY"});
    tool({"actPointsTrue", "actPointsFalse", "actScanEndOn", "actScanEndOff", "actReportPreview"});
    tools->addAction(Action(QStringLiteral("actClose")));
    static_cast<QVBoxLayout *>(layout())->insertWidget(0, tools);
}

void TFormGraph::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_chart = new QCustomPlot(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setFocusPolicy(Qt::StrongFocus);
    m_chart->setNotAntialiasedElements(QCP::aeAll);
    m_chart->setInteractions(QCP::iRangeZoom);
    m_chart->setSelectionRectMode(QCP::srmZoom);
    m_line = m_chart->addGraph();
    m_line->setPen(QPen(Qt::blue, 1));
    m_line->setAdaptiveSampling(true);
    m_markers = m_chart->addGraph();
    m_markers->setPen(QPen(Qt::red, 1));
    m_markers->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, 1));
    setupAxes(*m_chart);
    connect(m_chart->xAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this,
            &TFormGraph::onTimeRangeChanged);
    connect(m_chart->yAxis, qOverload<const QCPRange &>(&QCPAxis::rangeChanged), this, [this] { updateStatus(); });
    connect(m_chart, &QCustomPlot::mouseMove, this, &TFormGraph::showPointUnderMouse);
    layout->addWidget(m_chart, 1);

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("ScrollBar"));
    m_scroll->setRange(0, 100);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, &TFormGraph::onScrollMoved);
    layout->addWidget(m_scroll);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    const QString hints[] = {QStringLiteral("Диапазон"), QStringLiteral("Интервал"), QStringLiteral("Размах"),
                             QStringLiteral("Текущее значение"), QStringLiteral("Точка на графике"), QString()};
    for (size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i] = new QLabel(status);
        m_panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels[i]->setToolTip(hints[i]);
        status->addWidget(m_panels[i], i == 4 ? 1 : 0);
    }
    layout->addWidget(status);
}

int TFormGraph::DrawnPoints() const
{
    return m_line->dataCount();
}

#include "ui/windows/form_graph.h"

#include "ui/report/chart_csv.h"
#include "ui/windows/graph_axis.h"

#include <QAction>
#include <QMenuBar>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <array>

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
    : TTimeChartWindow(openSlot(slot), QStringLiteral("FormGraph"), sources,
                       {QStringLiteral("Диапазон"), QStringLiteral("Интервал"), QStringLiteral("Размах"),
                        QStringLiteral("Текущее значение"), QStringLiteral("Точка на графике"), QString()},
                       4)
    , m_slot(slot)
{
    m_value.Description.Title = QStringLiteral("Значение");
    m_value.Description.Hint = QStringLiteral("Значение параметра");
    m_value.Description.Dimension.clear();
    m_value.Description.SetRange(100, 0);
    m_value.Description.Precision = 10;
    m_value.Description.Digits = 255;

    m_line = m_chart->addGraph();
    m_line->setPen(QPen(Qt::blue, 1));
    m_line->setAdaptiveSampling(true);
    m_markers = m_chart->addGraph();
    m_markers->setPen(QPen(Qt::red, 1));
    m_markers->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, 1));
    setupValueAxis(*m_chart);

    buildActions();
    setPoints(false);
    setScan(false);
    resize(800, 500);
    RestorePosition();
}

TFormGraph::~TFormGraph()
{
    stopLoad();
    bindLive(false);
}

void TFormGraph::buildActions()
{
    buildCommonActions([this] { return Report(); }, [this] { SaveCsvAs(CsvLines(), windowTitle()); });
    makeAction("actYRangeChange", QStringLiteral("Изменить диапазон Y"), [this] { changeYRange(); });
    makeAction("actYRangeSet", QStringLiteral("Установить диапазон Y"), [this] { setYRange(); });
    makeAction("actSet4Milimeters", QStringLiteral("Размах 4 мм"), [this] { set4Millimeters(); });

    auto *menus = new QMenuBar(this);
    addMenu(*menus, QStringLiteral("Диапазон"), {"actCurrent", "actStartStopDT"});
    QMenu *interval = addMenu(*menus, QStringLiteral("Интервал"), {"actYRangeChange", "actYRangeSet", nullptr});
    addStepsTo(*interval);
    addMenu(*menus, QStringLiteral("Масштаб"),
            {"actUndoZoom", "actZoomMinus", "actZoomPlus", nullptr, "actShowAllX", "actShowAllY", "actShowAllXY"});
    addMenu(*menus, QStringLiteral("График"),
            {"actPointsTrue", "actPointsFalse", nullptr, "actScanEndOn", "actScanEndOff", nullptr,
             "actReportPreview", "actReportPdf", "actReportCsv"});
    addMenu(*menus, QStringLiteral("Окно"), {"actClose"});
    layout()->setMenuBar(menus);
    buildToolBar(QStringLiteral("ToolBarGraph"), {"actYRangeSet"});
}

int TFormGraph::DrawnPoints() const
{
    return m_line->dataCount();
}

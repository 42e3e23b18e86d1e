#include "ui/windows/form_multi_graph.h"

#include "ui/report/chart_csv.h"
#include "ui/windows/graph_axis.h"
#include "ui/windows/graph_settings.h"
#include "ui/windows/value_ticker.h"
#include "values/float_format.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>

QWidget *&TFormMultiGraph::openWindow()
{
    static QWidget *open = nullptr;
    return open;
}

TFormMultiGraph *TFormMultiGraph::Instance()
{
    return static_cast<TFormMultiGraph *>(openWindow());
}

TFormMultiGraph *TFormMultiGraph::OpenMultiGraph(const Ttolm472 &gauge, bool fullMode, const TSources &sources)
{
    TFormMultiGraph *window = nullptr;
    try {
        window = new TFormMultiGraph(sources);
        FillMultiGraphCollection(window->Collection(), gauge, fullMode);
        const TDateTime now = NowDateTime();
        if (window->Setup(QStringLiteral("Графики уровней"), now, now - 1) != 0) {
            delete window;
            return nullptr;
        }
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    } catch (...) {
        delete window;
        return nullptr;
    }
}

TFormMultiGraph::TFormMultiGraph(const TSources &sources)
    : TTimeChartWindow(openWindow(), QStringLiteral("FormMultiGraph"), sources,
                       {QStringLiteral("Диапазон"), QStringLiteral("Интервал"), QStringLiteral("Точка на графике"),
                        QString()},
                       2)
{
    m_collection.OnItemChange = [this](TIOData *value) { ValueChanged(value); };
    openWindow() = this;
    // Its time labels on one line, unlike the time graph's.
    setupTimeAxis(*m_chart, true);
    putLegendBelow(*m_chart);
    buildActions();
    setPoints(false);
    setScan(false);
    resize(900, 560);
    RestorePosition();
}

TFormMultiGraph::~TFormMultiGraph()
{
    stopLoad();
    bindLive(false);
}

void TFormMultiGraph::buildActions()
{
    buildCommonActions([this] { return Report(); }, [this] { SaveCsvAs(CsvLines(), windowTitle()); });
    makeAction("actShowAllSeries", QStringLiteral("Показать все"), [this] { setAllVisible(true); });
    makeAction("actHideAllSeries", QStringLiteral("Скрыть все"), [this] { setAllVisible(false); });

    auto *menus = new QMenuBar(this);
    addMenu(*menus, QStringLiteral("Диапазон"), {"actCurrent", "actStartStopDT"});
    addStepsTo(*menus->addMenu(QStringLiteral("Интервал")));
    addMenu(*menus, QStringLiteral("Масштаб"),
            {"actUndoZoom", "actZoomMinus", "actZoomPlus", nullptr, "actShowAllX", "actShowAllY", "actShowAllXY"});
    addMenu(*menus, QStringLiteral("Параметры"),
            {"actPointsTrue", "actPointsFalse", nullptr, "actScanEndOn", "actScanEndOff", nullptr,
             "actReportPreview", "actReportPdf", "actReportCsv"});
    m_seriesMenu = addMenu(*menus, QStringLiteral("Графики"), {"actShowAllSeries", "actHideAllSeries", nullptr});
    addMenu(*menus, QStringLiteral("Окно"), {"actClose"});
    layout()->setMenuBar(menus);
    buildToolBar(QStringLiteral("ToolBarMultiGraph"), {});
}

void TFormMultiGraph::putLegendBelow(QCustomPlot &chart)
{
    auto *row = new QCPLayoutGrid;
    chart.plotLayout()->addElement(1, 0, row);
    row->setMargins(QMargins(5, 0, 5, 5));
    row->addElement(0, 0, chart.legend);
    chart.legend->setFillOrder(QCPLegend::foColumnsFirst);
    chart.legend->setVisible(true);
    chart.plotLayout()->setRowStretchFactor(1, 0.001);
}

int TFormMultiGraph::Setup(const QString &caption, TDateTime stop, TDateTime start)
{
    try {
        setWindowTitle(caption);
        m_rangeDT.SetRange(stop, start);
        QStringList titles;
        bool any = false;
        for (int i = 0; i < m_collection.Count(); ++i) {
            TMGCollectionItem &item = *m_collection.Item(i);
            addSeries(item);
            const TDescriptionOfDouble &d = item.Value.Description;
            titles.append(d.Title);
            m_homeMin = any ? std::min(m_homeMin, d.Min()) : std::min(0.0, d.Min());
            m_homeMax = any ? std::max(m_homeMax, d.Max()) : std::max(0.0, d.Max());
            if (d.Digits != 255)
                m_decimals = std::max(m_decimals, int(d.Digits));
            any = true;
        }
        bindLive(true);
        m_chart->yAxis->setLabel(titles.join(QStringLiteral(", ")));
        setupValueAxis(*m_chart, m_decimals);
        setValueRange(m_homeMin, m_homeMax);
        applySettings(TGraphSettings::Load(TGraphSettings::MultiGraphFileName(), false));
        loadArchive([this] {
            showAllX();
            applyStep(m_stepIndex);
        });
        updateModeChecks();
        updateStatus();
        return 0;
    } catch (...) {
        return -1;
    }
}

void TFormMultiGraph::setupValueAxis(QCustomPlot &chart, int decimals) const
{
    TDescriptionOfDouble format;
    format.Digits = decimals;
    chart.yAxis->setTicker(QSharedPointer<TValueTicker>::create(format));
}

std::vector<const TSeries *> TFormMultiGraph::allSeries() const
{
    std::vector<const TSeries *> out;
    for (int i = 0; i < m_collection.Count(); ++i)
        out.push_back(&m_collection.Item(i)->Series);
    return out;
}

std::vector<const TSeries *> TFormMultiGraph::visibleSeries() const
{
    std::vector<const TSeries *> out;
    for (int i = 0; i < m_collection.Count(); ++i)
        if (m_collection.Item(i)->Visible)
            out.push_back(&m_collection.Item(i)->Series);
    return out;
}

QCPGraph *TFormMultiGraph::Line(int index) const
{
    return index >= 0 && index < int(m_lines.size()) ? m_lines[size_t(index)] : nullptr;
}

QAction *TFormMultiGraph::SeriesCheck(int index) const
{
    return index >= 0 && index < int(m_checks.size()) ? m_checks[size_t(index)] : nullptr;
}

void TFormMultiGraph::refillChart()
{
    const QCPRange range = m_chart->xAxis->range();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const TMGCollectionItem &item = *m_collection.Item(int(i));
        fillGraph(*m_lines[i], item.Series, range.lower, range.upper, m_chart->axisRect()->width());
        m_lines[i]->setScatterStyle(QCPScatterStyle(
            m_showPoints && item.Visible ? QCPScatterStyle::ssSquare : QCPScatterStyle::ssNone, 1));
    }
}

void TFormMultiGraph::updateStatus()
{
    m_panels[0]->setText(rangeText());
    m_panels[1]->setText(intervalText());
}

bool TFormMultiGraph::homeValueRange(double &min, double &max) const
{
    min = m_homeMin;
    max = m_homeMax;
    return true;
}

void TFormMultiGraph::showAllY()
{
    // Levels are thousands of millimetres: the axis still reaches down to
    // 100 at least and up to 0 at least, as the set-up range from 0 does.
    double min = 100, max = 0, low, high;
    if (valueExtent(visibleSeries(), TimeMin(), TimeMax(), low, high)) {
        min = std::min(min, low);
        max = std::max(max, high);
    }
    setValueRange(min, max);
}

void TFormMultiGraph::showPointUnderMouse(double key, double value)
{
    const TMGCollectionItem *first = m_collection.Item(0);
    if (!first)
        return;
    const TDescriptionOfDouble &d = first->Value.Description;
    const QString number = d.Digits == 255 ? QString::number(value)
                                           : FloatToStrF(value, TDescriptionOfDouble::ffFixed, d.Precision, d.Digits);
    m_panels[2]->setText(DateTimeText(DateTimeOfKey(key)) + QLatin1Char(' ') + number + QLatin1Char(' ') +
                         d.Dimension);
}

void TFormMultiGraph::Closing()
{
    TTimeChartWindow::Closing();
    saveSettings();
}

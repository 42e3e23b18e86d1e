#include "ui/windows/array_chart_window.h"

#include "device/tolm472.h"
#include "ui/report/chart_csv.h"
#include "ui/windows/window_actions.h"

#include <qcustomplot.h>

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Labels at least `step` apart, more where they would crowd: an automatic
// axis over a signal of millions would otherwise get a label every 20.
class TMinimumStepTicker final : public QCPAxisTicker
{
public:
    explicit TMinimumStepTicker(double step) : m_step(step) {}

protected:
    double getTickStep(const QCPRange &range) override { return qMax(m_step, QCPAxisTicker::getTickStep(range)); }

private:
    double m_step;
};

} // namespace

TArrayChartWindow::TArrayChartWindow(QWidget *&openSlot, const QString &name, const QString &caption,
                                     const Ttolm472 &model, TAxisSteps axes, QWidget *parent)
    : TSingleWindow(openSlot, name, parent, Qt::Window),
      actPointsTrue(WindowAction("actPointsTrue", QStringLiteral("Точки показать"), QStringLiteral("Точки показать"),
                                 this)),
      actPointsFalse(WindowAction("actPointsFalse", QStringLiteral("Точки скрыть"), QStringLiteral("Точки скрыть"),
                                  this)),
      actClose(WindowAction("actClose", QStringLiteral("Закрыть окно"), QStringLiteral("Закрыть окно"), this)),
      actReportPreview(WindowAction("actReportPreview", QStringLiteral("График"), QStringLiteral("Отчет"), this)),
      actReportPdf(WindowAction("actReportPdf", QStringLiteral("Сохранить в PDF"),
                                QStringLiteral("Сохранить отчет в файл PDF"), this)),
      actReportCsv(WindowAction("actReportCsv", QStringLiteral("Сохранить данные (CSV)"),
                                QStringLiteral("Сохранить точки графика в файл CSV"), this)),
      m_model(model), m_axes(axes)
{
    setWindowTitle(caption);
    auto *points = new QActionGroup(this);
    for (QAction *action : {actPointsTrue, actPointsFalse}) {
        action->setCheckable(true);
        points->addAction(action);
    }
    actPointsFalse->setChecked(true);
    connect(actPointsTrue, &QAction::triggered, this, [this] { showPoints(true); });
    connect(actPointsFalse, &QAction::triggered, this, [this] { showPoints(false); });
    connect(actClose, &QAction::triggered, this, &QWidget::close);
    BindReportActions(this, actReportPreview, actReportPdf, [this] { return Report(); });
    connect(actReportCsv, &QAction::triggered, this, [this] { SaveChartCsvAs(*m_chart, ReportTitle()); });
    buildLayout();
    resize(800, 480);
}

void TArrayChartWindow::buildLayout()
{
    m_menuBar = new QMenuBar(this);
    QMenu *points = m_menuBar->addMenu(QStringLiteral("Точки"));
    points->addActions({actPointsTrue, actPointsFalse});
    QMenu *reports = m_menuBar->addMenu(QStringLiteral("Отчеты"));
    reports->addAction(actReportPreview);
    reports->addSeparator();
    reports->addActions({actReportPdf, actReportCsv});
    m_windowMenu = m_menuBar->addMenu(QStringLiteral("Окно"));
    m_windowMenu->addAction(actClose);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->addActions({actPointsTrue, actPointsFalse});
    m_toolBar->addSeparator();
    m_toolBar->addActions({actReportPreview, actReportPdf, actReportCsv});
    m_toolBar->addSeparator();
    m_toolBar->addAction(actClose);

    m_chart = new QCustomPlot(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setMouseTracking(true);
    connect(m_chart, &QCustomPlot::mouseMove, this, [this](QMouseEvent *event) { chartMouseMove(event->position()); });

    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    m_readout = new QLabel(m_statusBar);
    m_readout->setObjectName(QStringLiteral("lblReadout"));
    m_note = new QLabel(m_statusBar);
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_statusBar->addWidget(m_readout, 1);
    m_statusBar->addWidget(m_note);
    m_note->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_chart, 1);
    layout->addWidget(m_statusBar);
}

QString TArrayChartWindow::Readout() const
{
    return m_readout->text();
}

TChartReport TArrayChartWindow::Report() const
{
    QPointer<const TArrayChartWindow> self(this);
    return {ReportTitle(), QString(), QString::number(m_model.Config.PlantNumber()), m_model.Identity.ModelName(),
            [self](QCustomPlot &chart) {
                if (self)
                    self->DrawChart(chart);
            }};
}

void TArrayChartWindow::DrawChart(QCustomPlot &chart) const
{
    // The axes speak the workstation's numbers, as the readout does.
    chart.setLocale(QLocale());
    chart.legend->setVisible(false);
    auto bottomTicks = QSharedPointer<QCPAxisTickerFixed>::create();
    bottomTicks->setTickStep(m_axes.BottomStep);
    bottomTicks->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    chart.xAxis->setTicker(bottomTicks);
    chart.xAxis->setRange(0, m_axes.BottomMax);
    // Whole numbers of a signal in millions read better grouped than as
    // "2E+06".
    chart.yAxis->setNumberFormat(QStringLiteral("g"));
    chart.yAxis->setNumberPrecision(10);
    if (m_axes.ValueStep > 0)
        chart.yAxis->setTicker(QSharedPointer<TMinimumStepTicker>::create(m_axes.ValueStep));

    QCPGraph *series = chart.addGraph(chart.xAxis, chart.yAxis);
    series->setName(ReportTitle());
    series->setPen(QPen(QColor(0, 0, 192)));
    series->setScatterStyle(m_pointsShown ? QCPScatterStyle(QCPScatterStyle::ssCircle, 4)
                                          : QCPScatterStyle(QCPScatterStyle::ssNone));
    QVector<double> keys, values;
    keys.reserve(m_points.size());
    values.reserve(m_points.size());
    for (const QPointF &point : m_points) {
        keys.append(point.x());
        values.append(point.y());
    }
    series->setData(keys, values, true);

    DrawExtras(chart);
    chart.yAxis->rescale();
    const QCPRange fitted = chart.yAxis->range();
    if (fitted.size() == 0)
        chart.yAxis->setRange(fitted.lower - 1, fitted.upper + 1);
}

void TArrayChartWindow::SetPoints(QList<QPointF> points)
{
    m_points = std::move(points);
    Redraw();
}

void TArrayChartWindow::Redraw()
{
    m_chart->clearItems();
    m_chart->clearGraphs();
    DrawChart(*m_chart);
    m_chart->replot();
}

QMenu *TArrayChartWindow::AddMenu(const QString &title)
{
    auto *menu = new QMenu(title, m_menuBar);
    m_menuBar->insertMenu(m_windowMenu->menuAction(), menu);
    return menu;
}

QString TArrayChartWindow::StatusMessage() const
{
    return m_statusBar->currentMessage();
}

void TArrayChartWindow::ShowStatus(const QString &text)
{
    constexpr int ShownMs = 10000;
    m_statusBar->showMessage(text, ShownMs);
}

void TArrayChartWindow::SetNote(const QString &text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

void TArrayChartWindow::showPoints(bool shown)
{
    m_pointsShown = shown;
    Redraw();
}

void TArrayChartWindow::chartMouseMove(const QPointF &position)
{
    if (!m_chart->axisRect()->rect().contains(position.toPoint()))
        return;
    m_readout->setText(
        ReadoutText(m_chart->xAxis->pixelToCoord(position.x()), m_chart->yAxis->pixelToCoord(position.y())));
}

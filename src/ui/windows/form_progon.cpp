#include "ui/windows/form_progon.h"

#include "device/test_run.h"
#include "device/tolm472.h"
#include "session/procedures/test_run_protocol.h"
#include "ui/dialogs/operator.h"
#include "ui/report/chart_report.h"
#include "ui/windows/error_chart.h"
#include "ui/windows/parameter_rows.h"
#include "ui/windows/test_run_report.h"
#include "ui/windows/window_actions.h"
#include "values/clock.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The grid's columns after "№": the caption, the field and its decimals.
struct TColumn {
    const char *Caption;
    double TProgonPoint::*Field;
    int Decimals;
};
const TColumn RunColumns[] = {
    {"Рулетка, мм", &TProgonPoint::Tape, 0},
    {"Уровень, мм", &TProgonPoint::LevelMeasured, 3},
    {"d Уровень, мм", &TProgonPoint::LevelError, 3},
    {"Ток, мА", &TProgonPoint::CurrentExpected, 2},
    {"Изм.Ток, мА", &TProgonPoint::CurrentMeasured, 2},
    {"d Ток, мА", &TProgonPoint::CurrentError, 3},
};
constexpr int CurrentErrorColumn = 6;

QAction *windowAction(const char *name, const QString &caption, QObject *parent)
{
    return WindowAction(name, caption, caption, parent);
}

QString groupedLevel(double value, int decimals)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 15, decimals);
}

QString textOrNone(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("Нет") : text;
}

// The newest capture of the table: a run's protocol is written once.
QDateTime lastCapture(const Ttolm472 &model)
{
    QDateTime last;
    for (int n = 0; n < TestRunPoints(model); ++n)
        if (model.TestRun.Points[n].Captured.isValid() &&
            (!last.isValid() || model.TestRun.Points[n].Captured > last))
            last = model.TestRun.Points[n].Captured;
    return last;
}

} // namespace

TFormProgon::TFormProgon(Ttolm472 &model, TMainServices &services, const QString &dbPath, QWidget *parent)
    : TSingleWindow(openWindow<TFormProgon>(), QStringLiteral("FormProgon"), parent, Qt::Window),
      actProgonStart(windowAction("actProgonStart", QStringLiteral("Прогон начать"), this)),
      actProgonStop(windowAction("actProgonStop", QStringLiteral("Прогон остановить"), this)),
      actCreateTable(windowAction("actCreateTable", QStringLiteral("Создать шаблон прогона"), this)),
      actRuletkaChange(windowAction("actRuletkaChange", QStringLiteral("Изменить значение рулетки"), this)),
      actProgonOffsetChange(
          windowAction("actProgonOffsetChange", QStringLiteral("Изменить ширину \"ворот\""), this)),
      actReportPreview(WindowAction("actReportPreview", QStringLiteral("График"), QStringLiteral("Отчет"), this)),
      actReportPdf(windowAction("actReportPdf", QStringLiteral("Сохранить в PDF"), this)),
      actClose(windowAction("actClose", QStringLiteral("Закрыть окно"), this)), m_model(model),
      m_services(services), m_dbPath(dbPath)
{
    setWindowTitle(QStringLiteral("Прогон"));
    connect(actProgonStart, &QAction::triggered, this, [this] { runCommand(QStringLiteral("actProgonStart"), false); });
    connect(actProgonStop, &QAction::triggered, this, [this] { runCommand(QStringLiteral("actProgonStop"), true); });
    connect(actCreateTable, &QAction::triggered, this,
            [this] { runCommand(QStringLiteral("actProgonTemplate"), false); });
    connect(actRuletkaChange, &QAction::triggered, this, &TFormProgon::changeTape);
    connect(actProgonOffsetChange, &QAction::triggered, this, &TFormProgon::changeGate);
    BindReportActions(this, actReportPreview, actReportPdf, [this] { return Report(); });
    connect(actClose, &QAction::triggered, this, &QWidget::close);
    buildLayout();
    for (auto [follower, value] :
         {std::pair{&m_level, &model.Readings.Level}, std::pair{&m_levelFree, &model.Readings.LevelFree},
          std::pair{&m_current, &model.Readings.CurrentOutput}}) {
        follower->SetSource(value, false);
        follower->OnChange = [this](TIOData *) { showLive(); };
    }
    resize(860, 640);
    RestorePosition();
    fillGrid();
    UpdateView();
}

void TFormProgon::buildLayout()
{
    auto *menuBar = new QMenuBar(this);
    QMenu *work = menuBar->addMenu(QStringLiteral("Работа"));
    work->addActions({actProgonStart, actProgonStop, actCreateTable, actProgonOffsetChange});
    QMenu *reports = menuBar->addMenu(QStringLiteral("Отчеты"));
    reports->addActions({actReportPreview, actReportPdf});
    menuBar->addMenu(QStringLiteral("Окно"))->addAction(actClose);

    auto *toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar->addActions({actProgonStart, actProgonStop, actCreateTable});
    toolBar->addSeparator();
    toolBar->addActions({actReportPreview, actClose});
    toolBar->addSeparator();
    // The text actions of the main window refresh nothing themselves.
    auto textLink = [this, toolBar](const QString &caption, const QString &action) {
        toolBar->addWidget(new QLabel(caption + QStringLiteral(" "), toolBar));
        auto *link = new TValueLink(
            [this, action] {
                m_services.ExecuteAction(action);
                UpdateView();
            },
            toolBar);
        toolBar->addWidget(link);
        toolBar->addWidget(new QLabel(QStringLiteral("    "), toolBar));
        return link;
    };
    m_ppm = textLink(QStringLiteral("№ ППМ"), QStringLiteral("actPPMChange"));
    m_ppm->setObjectName(QStringLiteral("lblPPM"));
    m_nnz = textLink(QStringLiteral("№ Н/З"), QStringLiteral("actNNZChange"));
    m_nnz->setObjectName(QStringLiteral("lblNNZ"));

    m_grid = new QTableWidget(TestRunPoints(m_model) > 0 ? TestRunPoints(m_model) : 5, 7, this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    QStringList headers{QStringLiteral("№")};
    for (const TColumn &column : RunColumns)
        headers.append(QString::fromUtf8(column.Caption));
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addActions({actCreateTable, actReportPreview, actProgonStart, actProgonStop, actRuletkaChange,
                         actProgonOffsetChange, actClose});
        menu.exec(m_grid->viewport()->mapToGlobal(at));
    });

    m_set = new QPushButton(this);
    m_set->setObjectName(QStringLiteral("btnSet"));
    m_set->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_set->setMinimumWidth(150);
    connect(m_set, &QPushButton::clicked, this, &TFormProgon::Capture);
    auto *gridRow = new QHBoxLayout;
    gridRow->addWidget(m_grid, 1);
    gridRow->addWidget(m_set);

    m_chart = new TErrorChart(this);
    auto *statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    m_readout = new QLabel(QStringLiteral("Точка на графике"), statusBar);
    m_readout->setObjectName(QStringLiteral("lblReadout"));
    m_readout->setMinimumWidth(220);
    m_note = new QLabel(statusBar);
    m_note->setObjectName(QStringLiteral("lblNote"));
    statusBar->addWidget(m_readout);
    statusBar->addWidget(m_note, 1);
    connect(m_chart, &TErrorChart::readout, m_readout, &QLabel::setText);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(toolBar);
    layout->addLayout(gridRow);
    layout->addWidget(m_chart, 1);
    layout->addWidget(statusBar);
    // The grid shows all its rows; the chart takes what is left.
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             m_grid->rowCount() * m_grid->verticalHeader()->defaultSectionSize() + 4);
}

void TFormProgon::fillGrid()
{
    const int points = TestRunPoints(m_model);
    m_grid->setRowCount(points);
    for (int n = 0; n < points; ++n) {
        const TProgonPoint &point = m_model.TestRun.Points[n];
        auto set = [&](int column, const QString &text) {
            auto *cell = new QTableWidgetItem(text);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(n, column, cell);
        };
        set(0, QString::number(n + 1));
        for (int c = 0; c < int(std::size(RunColumns)); ++c)
            set(c + 1,
                FloatToStrF(point.*RunColumns[c].Field, TDescriptionOfDouble::ffFixed, 15, RunColumns[c].Decimals));
    }
}

void TFormProgon::paintGrid()
{
    const double level = m_model.Readings.Level.AsDouble();
    const int current = TestRunPointAt(m_model, level);
    for (int n = 0; n < m_grid->rowCount() && n < TestRunPoints(m_model); ++n) {
        const TProgonPoint &point = m_model.TestRun.Points[n];
        const TTestRunMark mark = n + 1 == current ? TestRunRowMark(point, level) : TTestRunMark::None;
        const QBrush row = mark == TTestRunMark::Green    ? QBrush(QColor(0, 255, 0))
                           : mark == TTestRunMark::Yellow ? QBrush(QColor(255, 255, 0))
                                                          : QBrush();
        for (int c = 0; c < m_grid->columnCount(); ++c) {
            QTableWidgetItem *cell = m_grid->item(n, c);
            if (!cell)
                continue;
            QFont font = m_grid->font();
            font.setBold(n + 1 == current);
            cell->setFont(font);
            cell->setBackground(c == CurrentErrorColumn && TestRunCurrentFails(point) ? QBrush(Qt::red) : row);
        }
    }
}

void TFormProgon::UpdateView()
{
    m_chart->SetPoints(TestRunChartPoints(m_model));
    showLive();
    m_ppm->setText(textOrNone(m_model.TestRun.PPMNumber));
    m_nnz->setText(textOrNone(m_model.TestRun.NNZNumber));
}

void TFormProgon::showLive()
{
    paintGrid();
    m_set->setText(QStringLiteral("Установить\n\nСв.пр-во, мм \n") + groupedLevel(m_model.Readings.LevelFree.AsDouble(), 1) +
                   QStringLiteral("\nУровень, мм\n") + groupedLevel(m_model.Readings.Level.AsDouble(), 1) +
                   QStringLiteral("\nТок, мА\n") + m_model.Readings.CurrentOutput.AsText(false, false));
}

void TFormProgon::Capture()
{
    const double level = m_model.Readings.Level.AsDouble();
    const int n = TestRunPointAt(m_model, level);
    if (n < 1 || n > 5)
        return;
    if (!CaptureTestRunPoint(m_model, n, level, m_model.Readings.CurrentOutput.AsDouble(), Clock().Now())) {
        Operator().Warning(NoLoopScaleWarning());
        return;
    }
    fillGrid();
    UpdateView();
    if (n == 5 && Operator().Question(QStringLiteral("Остановить прогон?"), false))
        actProgonStop->trigger();
}

void TFormProgon::runCommand(const QString &action, bool stopping)
{
    // The table may change (a template), and after a stop the protocol is
    // due; the window may be closed by the time the command ends.
    QPointer<TFormProgon> self(this);
    m_services.ExecuteInTurn({action}, [self, stopping] {
        if (!self)
            return;
        self->fillGrid();
        self->UpdateView();
        if (stopping)
            self->writeProtocol();
    });
}

void TFormProgon::changeTape()
{
    const int n = m_grid->currentRow() + 1;
    if (n < 1 || n > 5 || n > TestRunPoints(m_model))
        return;
    const double tape = Operator().InputDouble(InputTitle, QString::number(n) + QStringLiteral(") Значение рулетки, мм"),
                                               0, 40000, 0, m_model.TestRun.Points[n - 1].Tape);
    if (!SetTestRunTape(m_model, n, tape))
        Operator().Warning(NoLoopScaleWarning());
    fillGrid();
    UpdateView();
}

void TFormProgon::changeGate()
{
    m_model.TestRun.Gate = Operator().InputDouble(InputTitle, QStringLiteral("Ширину \"ворот\", мм"), 0, 500, 0,
                                                  m_model.TestRun.Gate);
    UpdateView();
}

void TFormProgon::writeProtocol()
{
    if (!TestRunComplete(m_model))
        return;
    const QDateTime captured = lastCapture(m_model);
    if (captured == m_protocolOf)
        return;
    m_protocolOf = captured;
    TTestRunProtocol files;
    QString error;
    if (WriteTestRunProtocol(m_model, m_dbPath, Clock().Now(), files, error)) {
        m_note->setText(QStringLiteral("Протокол прогона записан: ") + QDir::toNativeSeparators(files.Pdf));
    } else {
        m_note->setText(QStringLiteral("Протокол прогона не записан"));
        Operator().Warning(error);
    }
}

QString TFormProgon::Note() const
{
    return m_note->text();
}

TChartReport TFormProgon::Report() const
{
    return TestRunReport(m_model, *m_chart);
}

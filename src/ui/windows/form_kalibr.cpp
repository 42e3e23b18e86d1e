#include "ui/windows/form_kalibr.h"

#include "device/calibration.h"
#include "device/tolm472.h"
#include "ui/windows/error_chart.h"
#include "ui/windows/form_tolm_par.h"
#include "ui/windows/gauge_record_report.h"
#include "ui/windows/parameter_rows.h"
#include "ui/windows/step_repeat.h"
#include "ui/windows/window_actions.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr double BaseStep = 0.1;    // mm of SmPer
constexpr double SlopeStep = 0.001; // of KrPer

// Grouped, 5 decimals, 9 significant digits: "146,24300".
QString coefficient(double value)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 9, 5);
}

QToolButton *stepButton(const char *name, QStyle::StandardPixmap arrow, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(arrow));
    button->setToolTip(hint);
    // Held down by the mouse, not by the keyboard's auto-repeat.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// One row per point of the table in use, the farthest (point 5 of five) at
// the top and point 1 at the bottom, as the bench's form lists them. The
// rows of points the table does not use (3 to 5 of a two-point
// calibration) are left out: they belong to no measurement of this
// calibration. A point without an error (no reference slope yet) shows its
// distance and dashes.
TReportTable pointsTable(const Ttolm472 &model)
{
    TReportTable table{QStringLiteral("Свободное пространство в контрольных точках"),
                       {QStringLiteral("Необходимо, мм"), QStringLiteral("Измерено, мм"), QStringLiteral("Разница, мм")},
                       {}};
    const std::vector<TCalibrationError> errors = CalibrationErrors(model);
    const int points = std::clamp<int>(model.CalibrMode(), 0, int(model.Calibration.Points.size()));
    for (int n = points; n >= 1; --n) {
        const double set = model.Calibration.Points[size_t(n - 1)].Set;
        if (size_t(n) <= errors.size()) {
            const double error = errors[size_t(n - 1)].Error;
            table.Rows.append({ReportNumber(set, 1), ReportNumber(set + error, 1), ReportNumber(error, 1)});
        } else {
            table.Rows.append({ReportNumber(set, 1), QStringLiteral("—"), QStringLiteral("—")});
        }
    }
    return table;
}

} // namespace

TFormKalibr::TFormKalibr(Ttolm472 &model, TMainServices &services, QWidget *parent)
    : TSingleWindow(openWindow<TFormKalibr>(), QStringLiteral("FormKalibr"), parent, Qt::Window),
      actPointsTrue(WindowAction("actPointsTrue", QStringLiteral("Точки показать"), QStringLiteral("Точки показать"),
                                 this)),
      actPointsFalse(WindowAction("actPointsFalse", QStringLiteral("Точки скрыть"), QStringLiteral("Точки скрыть"),
                                  this)),
      actRefresh(WindowAction("actRefresh", QStringLiteral("Обновить"), QStringLiteral("Обновить"), this)),
      actReportPreview(WindowAction("actReportPreview", QStringLiteral("График"), QStringLiteral("Отчет"), this)),
      actReportPdf(WindowAction("actReportPdf", QStringLiteral("Сохранить в PDF"),
                                QStringLiteral("Сохранить отчет в файл PDF"), this)),
      actClose(WindowAction("actClose", QStringLiteral("Закрыть окно"), QStringLiteral("Закрыть окно"), this)),
      actSave(WindowAction("actSave", QStringLiteral("Записать Базу и Крутизну"),
                           QStringLiteral("Записать Смещение нуля и Крутизну"), this)),
      m_model(model), m_services(services), m_repeat(new TStepRepeat(this))
{
    setWindowTitle(QStringLiteral("Калибровка"));
    auto *points = new QActionGroup(this);
    for (QAction *action : {actPointsTrue, actPointsFalse}) {
        action->setCheckable(true);
        points->addAction(action);
    }
    actPointsTrue->setChecked(true);
    connect(actRefresh, &QAction::triggered, this, &TFormKalibr::UpdateView);
    connect(actClose, &QAction::triggered, this, &QWidget::close);
    BindReportActions(this, actReportPreview, actReportPdf, [this] { return Report(); });
    // The main window stops polling for the writes and starts it again
    // only if it ran; its actions report a command that failed.
    connect(actSave, &QAction::triggered, this, [this] { m_services.ExecuteAction(QStringLiteral("actKalibrSave")); });

    auto *menus = new QMenuBar(this);
    menus->addMenu(QStringLiteral("Точки"))->addActions({actPointsTrue, actPointsFalse});
    QMenu *reports = menus->addMenu(QStringLiteral("Отчеты"));
    reports->addAction(actReportPreview);
    reports->addSeparator();
    reports->addAction(actReportPdf);
    menus->addMenu(QStringLiteral("Окно"))->addAction(actClose);

    auto *tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({actPointsFalse, actPointsTrue, actRefresh});
    tools->addSeparator();
    tools->addAction(actReportPreview);
    tools->addSeparator();
    tools->addAction(actClose);

    m_chart = new TErrorChart(this);
    connect(actPointsTrue, &QAction::triggered, m_chart, [this] { m_chart->SetMarkersShown(true); });
    connect(actPointsFalse, &QAction::triggered, m_chart, [this] { m_chart->SetMarkersShown(false); });

    auto *save = new QPushButton(QStringLiteral("Записать Смещение нуля и Крутизну"), this);
    save->setObjectName(QStringLiteral("btnSave"));
    save->setToolTip(actSave->toolTip());
    connect(save, &QPushButton::clicked, actSave, &QAction::trigger);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_readout = new QLabel(QStringLiteral("Точка на графике"), status);
    m_readout->setObjectName(QStringLiteral("lblReadout"));
    status->addWidget(m_readout, 1);
    connect(m_chart, &TErrorChart::readout, m_readout, &QLabel::setText);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(tools);
    layout->addWidget(m_chart, 1);
    layout->addWidget(buildCoefficients());
    layout->addWidget(save);
    layout->addWidget(status);

    resize(720, 520);
    RestorePosition();
    UpdateView();
}

QWidget *TFormKalibr::buildCoefficients()
{
    auto *panel = new QWidget(this);
    auto *grid = new QGridLayout(panel);
    grid->setColumnStretch(1, 1);
    struct TRow {
        const char *Name;
        QString Title;
        QString Change;
        QLabel *&Value;
        const char *Up;
        const char *Down;
        void (TGaugeConfiguration::*Set)(double);
        double (TGaugeConfiguration::*Get)() const;
        double By;
    };
    const TRow rows[] = {
        {"SmPer", QStringLiteral("Смещение нуля"), QStringLiteral("actSmPerChange"), m_smPer, "btnBazaUp",
         "btnBazaDown", &TGaugeConfiguration::SetSmPer, &TGaugeConfiguration::SmPer, BaseStep},
        {"KrPer", QStringLiteral("Крутизна характеристики преобразования"), QStringLiteral("actKrPerChange"), m_krPer,
         "btnKrutUp", "btnKrutDown", &TGaugeConfiguration::SetKrPer, &TGaugeConfiguration::KrPer, SlopeStep},
    };
    int line = 0;
    for (const TRow &row : rows) {
        grid->addWidget(new QLabel(row.Title, panel), line, 0);
        row.Value = new TValueLink([this, action = row.Change] { change(action); }, panel);
        row.Value->setObjectName(QStringLiteral("lbl") + QLatin1String(row.Name));
        row.Value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(row.Value, line, 1);
        const std::pair<const char *, double> directions[] = {{row.Up, row.By}, {row.Down, -row.By}};
        for (const auto &direction : directions) {
            // A plain copy: a lambda may not capture a structured binding
            // in every compiler the tree is built with (clang 14).
            const double by = direction.second;
            QToolButton *button =
                stepButton(direction.first, by > 0 ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown,
                           by > 0 ? QStringLiteral("Увеличить") : QStringLiteral("Уменьшить"), panel);
            m_repeat->Attach(*button, [this, set = row.Set, get = row.Get, by] { step(set, get, by); });
            grid->addWidget(button, line, by > 0 ? 2 : 3);
        }
        ++line;
    }
    return panel;
}

int TFormKalibr::ShowKalibr(Ttolm472 &model, TMainServices &services)
{
    const int shown = ShowSingle<TFormKalibr>(model, services);
    if (shown == 0)
        Instance()->UpdateView();
    return shown;
}

void TFormKalibr::UpdateView()
{
    QList<QPointF> points;
    for (const TCalibrationError &point : CalibrationErrors(m_model))
        points.append({point.Set, point.Error});
    m_chart->SetPoints(std::move(points));
    m_smPer->setText(coefficient(m_model.Config.SmPer()));
    m_krPer->setText(coefficient(m_model.Config.KrPer()));
}

TChartReport TFormKalibr::Report() const
{
    return GaugeRecordReport(m_model, QStringLiteral("Калибровка ТОЛМ472И"), *m_chart, {}, pointsTable(m_model));
}

QString TFormKalibr::Readout() const
{
    return m_readout->text();
}

void TFormKalibr::step(void (TGaugeConfiguration::*set)(double), double (TGaugeConfiguration::*get)() const, double by)
{
    (m_model.Config.*set)((m_model.Config.*get)() + by);
    showEverywhere();
}

void TFormKalibr::change(const QString &action)
{
    m_services.ExecuteAction(action);
    showEverywhere();
}

void TFormKalibr::showEverywhere()
{
    UpdateView();
    if (TFormTolmPar *parameters = TFormTolmPar::Instance())
        parameters->UpdateView();
}

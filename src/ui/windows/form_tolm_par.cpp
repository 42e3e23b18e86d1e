#include "ui/windows/form_tolm_par.h"

#include "app/app_context.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "ui/windows/bad_zone_grid.h"
#include "ui/windows/calibration_table.h"
#include "ui/main/parameter_actions.h"
#include "ui/windows/parameter_texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kTolmParSection = QStringLiteral("FormTolmPar");

// The bad zones are written together, by the command of any of them.
const TParameter &badZones()
{
    return *FindParameter(QStringLiteral("BadZoneNear1"));
}

const TParameter &programType()
{
    return *FindParameter(QStringLiteral("ProgramType"));
}

// The device versions the program knows, in the order of the radio group.
constexpr int ProgramTypes[] = {11, 12};

} // namespace

TFormTolmPar::TFormTolmPar(Ttolm472 &model, TMainServices &services, QWidget *parent)
    : TSingleWindow(openWindow<TFormTolmPar>(), kTolmParSection, parent,
                    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model), m_services(services), m_rows(services), m_boxes(model, services)
{
    setWindowTitle(QStringLiteral("Параметры ТОЛМ47xИ "));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("pcParameters"));
    m_tabs->setTabPosition(QTabWidget::West);
    m_tabs->addTab(page(buildGeneral()), QStringLiteral("Общие"));
    m_tabs->addTab(page(buildSpecial()), QStringLiteral("Специальные"));
    m_tabs->addTab(page(buildFactory()), QStringLiteral("Заводские"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabs);

    setMinimumSize(575, 300);
    // Wide enough for the widest tab, its scroll bar beside it.
    int widest = 0;
    for (int tab = 0; tab < m_tabs->count(); ++tab)
        widest = std::max(widest, static_cast<QScrollArea *>(m_tabs->widget(tab))->widget()->minimumSizeHint().width());
    resize(widest + m_tabs->tabBar()->sizeHint().width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24, 640);
    RestorePosition();
}

QScrollArea *TFormTolmPar::page(QWidget *content)
{
    // A window made small scrolls its groups instead of squeezing them.
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    return scroll;
}

QGroupBox *TFormTolmPar::rowsGroup(const QString &title, TParameterPlace place, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    m_rows.AddPlace(place, *grid, group);
    return group;
}

QWidget *TFormTolmPar::buildGeneral()
{
    m_general = new QWidget;
    m_general->setObjectName(QStringLiteral("tsGeneral"));
    auto *layout = new QVBoxLayout(m_general);
    layout->addWidget(rowsGroup(QStringLiteral("Модификация прибора"), TParameterPlace::Modification, m_general));
    layout->addWidget(rowsGroup(QStringLiteral("Параметры емкости"), TParameterPlace::Tank, m_general));
    layout->addWidget(rowsGroup(QStringLiteral("Сглаживание сигнала"), TParameterPlace::Smoothing, m_general));
    layout->addStretch();
    return m_general;
}

QGroupBox *TFormTolmPar::algorithmGroup(TAlgorithmBox title, QWidget *parent, QVBoxLayout *&layout)
{
    auto *group = new QGroupBox(parent);
    layout = new QVBoxLayout(group);
    layout->addWidget(m_boxes.Make(title, group));
    return group;
}

QWidget *TFormTolmPar::modeButtons(const char *first, const QString &firstText, const char *firstAction,
                                   const char *second, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char *, QString> buttons[] = {{firstAction, firstText},
                                                        {"actTrainingModeStop", QStringLiteral("Завершить режим")}};
    const char *names[] = {first, second};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(buttons[i].second, row);
        button->setObjectName(QLatin1String(names[i]));
        const QString action = QLatin1String(buttons[i].first);
        connect(button, &QPushButton::clicked, this, [this, action] { m_services.ExecuteAction(action); });
        layout->addWidget(button);
        m_modeButtons.append(button);
    }
    layout->addStretch();
    return row;
}

QWidget *TFormTolmPar::buildSpecial()
{
    m_special = new QWidget;
    m_special->setObjectName(QStringLiteral("tsSpecial"));
    auto *layout = new QVBoxLayout(m_special);

    QGroupBox *material = rowsGroup(QStringLiteral("Параметры материала"), TParameterPlace::Material, m_special);

    QVBoxLayout *inner = nullptr;
    QGroupBox *timeFilter = algorithmGroup(TAlgorithmBox::TemporalFilter, m_special, inner);
    auto *speed = new QGridLayout;
    speed->setColumnStretch(1, 1);
    const int speedFirst = m_rows.Rows().size();
    m_rows.AddPlace(TParameterPlace::TimeFilter, *speed, timeFilter);
    for (qsizetype i = speedFirst; i < m_rows.Rows().size(); ++i) {
        const TParameterRows::TRow &row = m_rows.Rows()[i];
        m_boxes.FollowTemporalFilter << row.Title << row.Value;
        if (row.Write)
            m_boxes.FollowTemporalFilter << row.Write;
    }
    inner->addLayout(speed);

    QGroupBox *mmp = algorithmGroup(TAlgorithmBox::MMP, m_special, inner);
    auto *mmpRows = new QGridLayout;
    mmpRows->setColumnStretch(1, 1);
    m_rows.AddPlace(TParameterPlace::MMP, *mmpRows, mmp);
    inner->addLayout(mmpRows);
    inner->addWidget(m_boxes.Make(TAlgorithmBox::DiscretErrorMMP, mmp));
    inner->addWidget(modeButtons("btnCorrectionMMP", QStringLiteral("Коррекция ММП"), "actCorrectionModeStart",
                                 "btnStopMMP", mmp));
    m_boxes.FollowMMP << m_modeButtons[0] << m_modeButtons[1];

    QGroupBox *prediction = algorithmGroup(TAlgorithmBox::Prediction, m_special, inner);
    const char *modes[] = {"Уровень не изменяется", "Уровень увеличивается (налив)", "Уровень уменьшается (слив)"};
    for (int mode = 0; mode < 3; ++mode) {
        // They show the gauge's mode only: the main window's commands set it.
        auto *radio = new QRadioButton(QString::fromUtf8(modes[mode]), prediction);
        radio->setObjectName(QStringLiteral("rbModePrediction%1").arg(mode));
        radio->setEnabled(false);
        radio->setAutoExclusive(false);
        inner->addWidget(radio);
        m_prediction.append(radio);
    }
    inner->addWidget(modeButtons("btnTrainingPrediction", QStringLiteral("Обучение на пустом резервуаре"),
                                 "actTrainingModeStart", "btnStopPrediction", prediction));

    QGroupBox *tracking = algorithmGroup(TAlgorithmBox::TrackingWindow, m_special, inner);
    inner->addWidget(m_boxes.Make(TAlgorithmBox::DiscretErrorTrackingWindow, tracking));
    inner->addWidget(modeButtons("btnTrainingTracking", QStringLiteral("Обучение на пустом резервуаре"),
                                 "actTrainingModeStart", "btnStopTracking", tracking));

    m_extendedGroups = {material, timeFilter, mmp, prediction, tracking, badZonesGroup(m_special)};
    for (QWidget *group : m_extendedGroups)
        layout->addWidget(group);
    layout->addStretch();
    return m_special;
}

QGroupBox *TFormTolmPar::badZonesGroup(QWidget *parent)
{
    auto *group = new QGroupBox(QStringLiteral("Плохие зоны"), parent);
    auto *layout = new QVBoxLayout(group);
    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Информация о плохих зонах"), group), 0, 0);
    m_badZonesWrite = MakeWriteButton(WriteActionName(badZones()), m_services, group);
    m_badZonesWrite->setObjectName(QStringLiteral("btnBadZonesWrite"));
    grid->addWidget(m_badZonesWrite, 0, 2);
    m_rows.AddPlace(TParameterPlace::BadZones, *grid, group, 1);
    layout->addLayout(grid);

    m_zoneGrid = new TBadZoneGrid(m_model, group);
    m_editZone = new QToolButton(group);
    m_editZone->setObjectName(QStringLiteral("btnBadZoneChange"));
    m_editZone->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_editZone->setToolTip(QStringLiteral("Изменить параметры выделенной зоны"));
    connect(m_editZone, &QToolButton::clicked, this, [this] { m_zoneGrid->EditSelected(); });
    layout->addWidget(m_editZone);
    layout->addWidget(m_zoneGrid);
    return group;
}

QGroupBox *TFormTolmPar::versionGroup(QWidget *parent)
{
    m_version = new QGroupBox(QStringLiteral("Версия прибора"), parent);
    m_version->setObjectName(QStringLiteral("rgProgramType"));
    auto *layout = new QHBoxLayout(m_version);
    m_versionItems = new QButtonGroup(m_version);
    const char *items[] = {"ТОЛМ471И", "ТОЛМ472И"};
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(items[i]), m_version);
        radio->setObjectName(QStringLiteral("rbProgramType%1").arg(ProgramTypes[i]));
        m_versionItems->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch();
    // The operator's choice only: showing the model's type writes nothing.
    connect(m_versionItems, &QButtonGroup::idClicked, this, [this](int item) {
        programType().Set(m_model, ProgramTypes[item]);
        m_services.ExecuteAction(WriteActionName(programType()));
    });
    return m_version;
}

QWidget *TFormTolmPar::buildFactory()
{
    auto *factory = new QWidget;
    factory->setObjectName(QStringLiteral("tsFactory"));
    auto *layout = new QVBoxLayout(factory);

    auto *algorithms = new QGroupBox(QStringLiteral("Алгоритмы"), factory);
    auto *boxes = new QVBoxLayout(algorithms);
    for (TAlgorithmBox box : {TAlgorithmBox::AveragingSignal, TAlgorithmBox::MedianFilter, TAlgorithmBox::CorrectionACH})
        boxes->addWidget(m_boxes.Make(box, algorithms));
    m_extendedGroups.append(algorithms);
    layout->addWidget(algorithms);

    layout->addWidget(rowsGroup(QStringLiteral("Параметры заводские"), TParameterPlace::Factory, factory));

    auto *calibration = new QGroupBox(QStringLiteral("Калибровка"), factory);
    auto *calibrationLayout = new QVBoxLayout(calibration);
    m_calibration = new TCalibrationTable(m_model, m_services, calibration);
    calibrationLayout->addWidget(m_calibration);
    layout->addWidget(calibration);

    layout->addWidget(versionGroup(factory));
    layout->addStretch();
    return factory;
}

void TFormTolmPar::UpdateView()
{
    const bool full = AppContext().Flags.FullMode;
    if (m_tabs->isTabVisible(Factory) != full)
        m_tabs->setTabVisible(Factory, full);
    if (const TParameterRows::TRow *plant = m_rows.Find("PlantNumber"); plant && plant->Write)
        plant->Write->setVisible(full);

    m_rows.Show(m_model);
    const QString title = QStringLiteral("Параметры ТОЛМ47xИ ");
    if (windowTitle() != title)
        setWindowTitle(title);

    // Nothing is changed or written while polling holds the line. (The
    // full-mode rule of the phase-response rows is overridden here: their
    // tab shows in full mode only.)
    const bool idle = m_services.ActionEnabled(QStringLiteral("actOprosStart"));
    m_general->setEnabled(idle);
    m_special->setEnabled(idle);
    if (m_tabs->isTabVisible(Special) != full)
        m_tabs->setTabVisible(Special, full);
    m_rows.SetEditable(idle);
    for (QWidget *w : std::initializer_list<QWidget *>{m_badZonesWrite, m_editZone, m_zoneGrid, m_version})
        w->setEnabled(idle);
    for (QWidget *button : m_modeButtons)
        button->setEnabled(idle);
    m_boxes.SetEnabled(idle);
    m_boxes.Show();

    showVersion();
    showPrediction();
    m_zoneGrid->Rebuild();
    m_calibration->Redraw();
    showExtendedGroups(m_model.Identity.HasExtendedParameters());
}

void TFormTolmPar::showVersion()
{
    for (int i = 0; i < 2; ++i)
        if (m_model.Identity.ProgramType == ProgramTypes[i])
            m_versionItems->button(i)->setChecked(true);
}

void TFormTolmPar::showPrediction()
{
    const int mode = m_model.Config.ModePrediction();
    if (mode > 2)
        return;
    for (int i = 0; i < 3; ++i)
        m_prediction[i]->setChecked(i == mode);
}

// The layouts keep the visible groups stacked from the top in their order.
void TFormTolmPar::showExtendedGroups(bool extended)
{
    for (QWidget *group : m_extendedGroups)
        if (group->isVisibleTo(group->parentWidget()) != extended)
            group->setVisible(extended);
}

void TFormTolmPar::SelectTab(TTab tab)
{
    if (m_tabs->isTabVisible(tab))
        m_tabs->setCurrentIndex(tab);
}

void TFormTolmPar::showEvent(QShowEvent *event)
{
    UpdateView();
    m_tabs->setCurrentIndex(General);
    TSingleWindow::showEvent(event);
}

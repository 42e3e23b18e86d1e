// The parameters window against the simulated gauge, with the fake main
// window (whose processing-variant actions go to the gauge) and the
// scripted operator.
#include "support/exchange_code.h"
#include "form_views_bench.h"

#include "device/parameter_table.h"
#include "protocol/command_codes.h"
#include "ui/windows/bad_zone_grid.h"
#include "ui/windows/calibration_table.h"
#include "ui/windows/form_tolm_par.h"
#include "ui/main/parameter_actions.h"
#include "ui/windows/parameter_texts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

namespace {

using A = TAlgorithmBox;

class ParametersWindow : public ViewsBench
{
protected:
    ParametersWindow()
    {
        SetFullMode(true);
        model.Identity.SoftVersion = 2; // the extended parameter set
        // The main window's processing-variant actions: one exchange each.
        services.On(QStringLiteral("actVariantProcessingWrite"), [this] { ExchangeCode(cycle, model, VariantProcessingWrite); });
        services.On(QStringLiteral("actVariantProcessingRead"), [this] { ExchangeCode(cycle, model, VariantProcessingRead); });
    }
    ~ParametersWindow() override
    {
        delete TFormTolmPar::Instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TFormTolmPar &Open()
    {
        EXPECT_EQ(TFormTolmPar::ShowTolmPar(model, services), 0);
        return *TFormTolmPar::Instance();
    }
    template <typename T = QLabel>
    static T *Control(const QString &name)
    {
        TFormTolmPar *window = TFormTolmPar::Instance();
        T *control = window ? window->findChild<T *>(name) : nullptr;
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    static QWidget *Page(const char *name) { return Control<QWidget>(QLatin1String(name)); }
    // Brings the tab of a control forward, as the operator does before a click.
    static void ShowTabOf(QWidget *control)
    {
        QTabWidget *tabs = TFormTolmPar::Instance()->Tabs();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(control))
                tabs->setCurrentIndex(i);
    }
    QCheckBox *Box(A which) const { return TFormTolmPar::Instance()->AlgorithmBox(which); }
    uint16_t GaugeWord()
    {
        uint16_t word = 0;
        line.WithSimulator([&](TSimLine &sim) { word = sim.gauge().parameters().wordParam(0); });
        return word;
    }
    QStringList VariantActions() const
    {
        return services.Executed.filter(QStringLiteral("VariantProcessing"));
    }
};

TEST_F(ParametersWindow, BadZoneGridShowsOneToFiveZonesAndADoubleClickEditsOnlyTheModel)
{
    TFormTolmPar &window = Open();
    window.SelectTab(TFormTolmPar::Special);
    TBadZoneGrid *grid = window.BadZoneGrid();
    struct {
        int count;
        bool shown;
    } const cases[] = {{0, false}, {1, true}, {5, true}, {6, false}};
    for (const auto &c : cases) {
        model.Config.SetCountBadZones(c.count);
        window.UpdateView();
        EXPECT_EQ(Control(QStringLiteral("lblCountBadZones"))->text(), QString::number(c.count));
        EXPECT_EQ(grid->isVisibleTo(&window), c.shown) << c.count;
        EXPECT_EQ(grid->rowCount() + 1, std::max(2, c.count + 1)) << c.count; // with the header
    }

    model.Config.SetCountBadZones(2);
    model.BadZones.Zone(2).Far.SetValue(2500);
    window.UpdateView();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), "2");
    EXPECT_EQ(grid->item(1, 2)->text(), model.BadZones.Zone(2).Far.AsText(false, false));

    DeliverQueued(); // the layout places the grid
    op.Answer(QVariantList{1100, 1900, 3, 4});
    // The system sends a click before the double click.
    const QPoint cell = grid->visualItemRect(grid->item(1, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(op.CallsOf("InputBadZone").size(), 1);
    EXPECT_EQ(op.CallsOf("InputBadZone")[0].Args[0], 2);
    EXPECT_EQ(model.BadZones.Zone(2).Near.AsDouble(), 1100);
    EXPECT_EQ(grid->item(1, 1)->text(), model.BadZones.Zone(2).Near.AsText(false, false));

    grid->selectRow(0);
    op.Answer(QVariantList{50, 60, 0, 0});
    QTest::mouseClick(Control<QToolButton>(QStringLiteral("btnBadZoneChange")), Qt::LeftButton);
    ASSERT_EQ(op.CallsOf("InputBadZone").size(), 2);
    EXPECT_EQ(op.CallsOf("InputBadZone")[1].Args[0], 1);
    EXPECT_EQ(grid->item(0, 2)->text(), model.BadZones.Zone(1).Far.AsText(false, false));
    // Only the write button sends the zones.
    EXPECT_EQ(services.Executed, QStringList());
    QTest::mouseClick(Control<QToolButton>(QStringLiteral("btnBadZonesWrite")), Qt::LeftButton);
    EXPECT_EQ(services.Executed, QStringList{QStringLiteral("actBadZonesWrite")});
}

TEST_F(ParametersWindow, PredictionClearsAndLocksTheExcludedAlgorithmsOnceWrittenAndReadBack)
{
    // The gauge runs the time filter; bits 2 and 8 are none of the window's.
    model.Config.SetVariantProcessing((1 << 1) | (1 << 2) | (1 << 8));
    ASSERT_EQ(ExchangeCode(cycle, model, VariantProcessingWrite), 0);
    TFormTolmPar &window = Open();
    window.SelectTab(TFormTolmPar::Special);
    EXPECT_TRUE(Box(A::TemporalFilter)->isChecked());
    EXPECT_FALSE(Box(A::Prediction)->isEnabled());

    Click(Box(A::TemporalFilter));
    EXPECT_EQ(VariantActions(), (QStringList{"actVariantProcessingWrite", "actVariantProcessingRead"}));
    EXPECT_EQ(GaugeWord(), (1 << 2) | (1 << 8));
    EXPECT_TRUE(Box(A::Prediction)->isEnabled());

    Click(Box(A::MMP));
    Click(Box(A::Prediction)); // locked by MMP: nothing happens
    EXPECT_FALSE(Box(A::Prediction)->isChecked());
    Click(Box(A::MMP));
    services.Executed.clear();
    Click(Box(A::Prediction));
    EXPECT_EQ(VariantActions(), (QStringList{"actVariantProcessingWrite", "actVariantProcessingRead"}));
    EXPECT_EQ(GaugeWord(), (1 << 2) | (1 << 4) | (1 << 8));
    for (A other : {A::TemporalFilter, A::TrackingWindow, A::MMP}) {
        EXPECT_FALSE(Box(other)->isChecked()) << int(other);
        EXPECT_FALSE(Box(other)->isEnabled()) << int(other);
    }

    // Refreshing shows what the model holds and never writes.
    services.Executed.clear();
    model.Config.SetVariantProcessing(1 << 4);
    window.UpdateView();
    EXPECT_EQ(services.Executed, QStringList());

    Click(Box(A::Prediction));
    EXPECT_EQ(GaugeWord(), 0);
    for (A other : {A::TemporalFilter, A::TrackingWindow, A::MMP})
        EXPECT_TRUE(Box(other)->isEnabled()) << int(other);
}

TEST_F(ParametersWindow, TimeFilterAndMmpTogetherLockPredictionAndTheTrackingWindow)
{
    TFormTolmPar &window = Open();
    const auto speed = {Control(QStringLiteral("lblSpeed")), Control(QStringLiteral("lblSpeedTitle"))};
    const auto mmpControls = {static_cast<QWidget *>(Box(A::DiscretErrorMMP)),
                              Control<QWidget>(QStringLiteral("btnCorrectionMMP")),
                              Control<QWidget>(QStringLiteral("btnStopMMP"))};

    model.Config.SetVariantProcessing((1 << 1) | (1 << 5));
    window.UpdateView();
    EXPECT_FALSE(Box(A::Prediction)->isEnabled());
    EXPECT_FALSE(Box(A::TrackingWindow)->isEnabled());
    EXPECT_TRUE(Box(A::TemporalFilter)->isEnabled());
    EXPECT_TRUE(Box(A::MMP)->isEnabled());
    for (QWidget *w : speed)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget *w : mmpControls)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    // Only the operator may tick the tracking window's copy of the bit.
    EXPECT_FALSE(Box(A::DiscretErrorTrackingWindow)->isEnabled());

    model.Config.SetVariantProcessing(1 << 3); // the tracking window alone
    window.UpdateView();
    EXPECT_FALSE(Box(A::MMP)->isEnabled());
    EXPECT_FALSE(Box(A::Prediction)->isEnabled());
    EXPECT_TRUE(Box(A::TemporalFilter)->isEnabled());
    for (QWidget *w : speed)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget *w : mmpControls)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(ParametersWindow, WhilePollingRunsNothingIsChangedButTheAlgorithmLocksStillHold)
{
    TFormTolmPar &window = Open();
    model.Config.SetVariantProcessing((1 << 1) | (1 << 5));
    services.Disabled.insert(QStringLiteral("actOprosStart"));
    window.UpdateView();

    QWidget *special = Page("tsSpecial");
    EXPECT_FALSE(Page("tsGeneral")->isEnabled());
    EXPECT_FALSE(special->isEnabled());
    EXPECT_TRUE(Page("tsFactory")->isEnabled());
    for (const TParameterRows::TRow &row : window.Rows().Rows()) {
        if (QLatin1String(row.Parameter->Name) == QLatin1String("Speed"))
            continue; // follows the time filter
        if (dynamic_cast<TValueLink *>(row.Value)) {
            EXPECT_FALSE(row.Value->isEnabledTo(row.Value->window())) << row.Parameter->Name;
        }
        if (row.Write) {
            EXPECT_FALSE(row.Write->isEnabledTo(row.Write->window())) << row.Parameter->Name;
        }
    }
    for (A box : {A::MedianFilter, A::CorrectionACH, A::AveragingSignal})
        EXPECT_FALSE(Box(box)->isEnabled()) << int(box);
    EXPECT_FALSE(Control<QWidget>(QStringLiteral("rgProgramType"))->isEnabled());
    EXPECT_FALSE(window.BadZoneGrid()->isEnabledTo(special));
    EXPECT_FALSE(Control<QWidget>(QStringLiteral("btnTrainingPrediction"))->isEnabledTo(special));
    // Within their disabled tab the five boxes keep their own rules.
    EXPECT_TRUE(Box(A::TemporalFilter)->isEnabledTo(special));
    EXPECT_TRUE(Box(A::MMP)->isEnabledTo(special));
    EXPECT_FALSE(Box(A::Prediction)->isEnabledTo(special));
    EXPECT_FALSE(Box(A::TrackingWindow)->isEnabledTo(special));
    EXPECT_TRUE(Control(QStringLiteral("lblSpeed"))->isEnabledTo(special));
    EXPECT_TRUE(Control<QWidget>(QStringLiteral("btnCorrectionMMP"))->isEnabledTo(special));

    services.Disabled.clear();
    window.UpdateView();
    EXPECT_TRUE(special->isEnabled());
    EXPECT_TRUE(Control(QStringLiteral("lblHmax"))->isEnabled());
    EXPECT_TRUE(Box(A::MedianFilter)->isEnabled());
}

TEST_F(ParametersWindow, TabsAndGroupsFollowFullModeAndTheExtendedSetAndTheVersionIsChosen)
{
    TFormTolmPar &window = Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Параметры ТОЛМ47xИ "));
    EXPECT_GE(window.minimumWidth(), 575);
    EXPECT_GE(window.minimumHeight(), 300);
    QTabWidget *tabs = window.Tabs();
    EXPECT_EQ(tabs->currentIndex(), TFormTolmPar::General);
    EXPECT_TRUE(tabs->isTabVisible(TFormTolmPar::Special));
    EXPECT_TRUE(tabs->isTabVisible(TFormTolmPar::Factory));
    EXPECT_TRUE(Control<QWidget>(QStringLiteral("btnPlantNumberWrite"))->isVisibleTo(&window));
    QWidget *factory = Page("tsFactory");
    EXPECT_TRUE(Box(A::MedianFilter)->isVisibleTo(factory));

    model.Identity.SoftVersion = 1;
    window.UpdateView();
    QWidget *special = Page("tsSpecial");
    for (QGroupBox *group : special->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(group->isVisibleTo(special)) << group->title().toStdString();
    EXPECT_FALSE(Box(A::MedianFilter)->isVisibleTo(factory));
    EXPECT_TRUE(Control(QStringLiteral("lblKrPer"))->isVisibleTo(factory));

    SetFullMode(false);
    window.UpdateView();
    EXPECT_FALSE(tabs->isTabVisible(TFormTolmPar::Special));
    EXPECT_FALSE(tabs->isTabVisible(TFormTolmPar::Factory));
    EXPECT_FALSE(Control<QWidget>(QStringLiteral("btnPlantNumberWrite"))->isVisibleTo(&window));
    window.SelectTab(TFormTolmPar::Factory); // hidden: stays where it is
    EXPECT_EQ(tabs->currentIndex(), TFormTolmPar::General);

    SetFullMode(true);
    window.UpdateView();
    window.SelectTab(TFormTolmPar::Factory);
    EXPECT_EQ(tabs->currentIndex(), TFormTolmPar::Factory);
    auto *type472 = Control<QRadioButton>(QStringLiteral("rbProgramType12"));
    EXPECT_TRUE(Control<QRadioButton>(QStringLiteral("rbProgramType11"))->isChecked());
    QTest::mouseClick(type472, Qt::LeftButton, {}, QPoint(6, type472->height() / 2));
    EXPECT_EQ(model.Identity.ProgramType, 12);
    EXPECT_EQ(services.Executed, QStringList{QStringLiteral("actProgramTypeWrite")});
    model.Identity.ProgramType = 13; // a type the program does not know changes nothing
    model.Config.SetModePrediction(2);
    window.UpdateView();
    EXPECT_TRUE(type472->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(QStringLiteral("rbModePrediction2"))->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(QStringLiteral("rbModePrediction0"))->isChecked());
}

TEST_F(ParametersWindow, EveryValueComesFromItsDescriptionWithItsChangeAndWriteActions)
{
    model.Config.SetHmax(12345.6);
    model.Config.SetKrFChH(-0.1234567);
    model.Config.SetFreqNes(24000000000.0);
    model.Config.SetUsil(17);
    TFormTolmPar &window = Open();

    // Exactly these labels, each from its description.
    QStringList titles;
    for (const TParameterRows::TRow &row : window.Rows().Rows())
        titles.append(row.Title->text());
    titles.sort();
    QStringList expected{"Заводской номер", "Системный адрес", "Аппаратная версия", "Программная версия",
                         "Hmax, мм", "Hу max, мм", "Текущий уровень Hу, мм", "Коэффициент сглаживания",
                         "Относительная диэлектрическая проницаемость материала",
                         "Скорость изменения уровня продукта, мм/с", "Крутизна ФЧХ", "Смещение ФЧХ",
                         "Количество плохих зон", "Крутизна характеристики преобразования", "Смещение нуля",
                         "Услиление", "Оценка частоты биений", "Несущая частота, Гц", "Девиация частоты, Гц",
                         "Начальная частота обработки", "Радиус волновода, мм",
                         "Минимальный уровень учитываемой помехи, дБ"};
    expected.sort();
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(Control(QStringLiteral("lblHmax"))->text(), QStringLiteral("12\u00A0345,6"));
    EXPECT_EQ(Control(QStringLiteral("lblKrFChH"))->text(), QStringLiteral("-0,1234567"));
    // Beyond nine significant digits the workstations' format turns to the exponent.
    EXPECT_EQ(Control(QStringLiteral("lblFreqNes"))->text(), QStringLiteral("2,4E10"));
    EXPECT_EQ(Control(QStringLiteral("lblUsil"))->text(), QStringLiteral("17"));

    // No value label of the window stands outside the descriptions.
    int values = 0;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        const QString name = label->objectName();
        if (!name.startsWith(QStringLiteral("lbl")) || name.endsWith(QStringLiteral("Title")))
            continue;
        const TParameter *p = FindParameter(name.mid(3));
        ASSERT_NE(p, nullptr) << name.toStdString();
        EXPECT_EQ(label->text(), ViewText(*p, model)) << p->Name;
        EXPECT_EQ(window.findChild<QLabel *>(name + QStringLiteral("Title"))->text(), ViewLabel(*p));
        ++values;

        model.Config.SetVariantProcessing((1 << 1) | (1 << 5)); // the speed row and MMP rows enabled
        window.UpdateView();
        ShowTabOf(label);
        services.Executed.clear();
        QTest::mouseClick(label, Qt::LeftButton);
        const QString change = ChangeActionName(*p);
        EXPECT_EQ(services.Executed, change.isEmpty() ? QStringList() : QStringList{change}) << p->Name;
        if (auto *write = window.findChild<QToolButton *>(QStringLiteral("btn") + name.mid(3) + "Write")) {
            services.Executed.clear();
            QTest::mouseClick(write, Qt::LeftButton);
            EXPECT_EQ(services.Executed, QStringList{ViewWriteActionName(*p)}) << p->Name;
        }
    }
    EXPECT_EQ(values, expected.size());
    EXPECT_TRUE(window.findChild<QToolButton *>(QStringLiteral("btnSystemAddressWrite")));
    EXPECT_FALSE(window.findChild<QToolButton *>(QStringLiteral("btnUsilWrite")));
}

TEST_F(ParametersWindow, CalibrationCapturesIntoTheFirstGateAndComputeKeepsAnUnusableFit)
{
    TFormTolmPar &window = Open();
    window.SelectTab(TFormTolmPar::Factory);
    TCalibrationTable &table = *window.Calibration();
    ASSERT_EQ(model.CalibrMode(), 5);
    ASSERT_EQ(table.Grid()->rowCount(), 5);

    // 9000 lies in the gates of 10000 and 8000: the first point takes it.
    model.Readings.LevelFree.SetValue(9000.0);
    window.UpdateView();
    EXPECT_EQ(TCalibrationTable::CurrentPoint(model), 1);
    EXPECT_TRUE(table.Grid()->item(0, 1)->font().bold());
    EXPECT_FALSE(table.Grid()->item(1, 1)->font().bold());
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibrSet")), Qt::LeftButton);
    EXPECT_EQ(model.Calibration.Points[0].Measured, 9000);
    EXPECT_EQ(model.Calibration.Points[1].Measured, 8000);
    EXPECT_EQ(table.Grid()->item(0, 2)->text(), QStringLiteral("9000,0"));

    model.Readings.LevelFree.SetValue(500.0); // in no gate: nothing is captured
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibrSet")), Qt::LeftButton);
    EXPECT_EQ(TCalibrationTable::CurrentPoint(model), 0);
    EXPECT_EQ(model.Calibration.Points[4].Measured, 2000);

    // All measured values equal: no line through them, the coefficients stay.
    for (TCalibrPoint &point : model.Calibration.Points)
        point.Measured = 5000;
    model.Config.SetKrPer(150);
    model.Config.SetSmPer(3);
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibrCompute")), Qt::LeftButton);
    EXPECT_EQ(model.Config.KrPer(), 150);
    EXPECT_EQ(model.Config.SmPer(), 3);
    EXPECT_EQ(model.Calibration.KrPerRef, 150);
    EXPECT_EQ(model.Calibration.SmPerRef, 3);

    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibrErase")), Qt::LeftButton);
    EXPECT_EQ(model.Config.KrPer(), 146.243);
    EXPECT_EQ(model.Config.SmPer(), 0);
    EXPECT_EQ(services.UpdateAllViewsCount, 2);
    // Nothing went to the gauge; the calibration window is asked for by name.
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibrChange")), Qt::LeftButton);
    EXPECT_EQ(services.Executed, QStringList{QStringLiteral("actKalibrShow")});
}

TEST_F(ParametersWindow, CalibrationCellsTakeAPointOrACommaAndTwoPointsTwiceKeepTheTable)
{
    TFormTolmPar &window = Open();
    window.SelectTab(TFormTolmPar::Factory);
    QTableWidget *grid = window.Calibration()->Grid();
    const auto type = [&](int row, int column, const QString &text) {
        QTableWidgetItem *item = grid->item(row, column);
        grid->setCurrentItem(item);
        grid->editItem(item);
        auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(grid->model()->index(row, column)));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        DeliverQueued(); // the view commits the editor's text queued
    };

    type(0, 2, QStringLiteral("1.5"));
    EXPECT_EQ(model.Calibration.Points[0].Measured, 1.5);
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("1,5"));
    type(1, 2, QStringLiteral("2,5"));
    EXPECT_EQ(model.Calibration.Points[1].Measured, 2.5);
    type(1, 2, QStringLiteral("abc")); // no number: the value stays
    EXPECT_EQ(model.Calibration.Points[1].Measured, 2.5);
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("2,5"));
    type(2, 1, QStringLiteral("6100"));
    EXPECT_EQ(model.Calibration.Points[2].Set, 6100);
    {
        // A workstation with the decimal point takes the comma as well.
        QLocale::setDefault(QLocale::c());
        type(3, 2, QStringLiteral("3,5"));
        type(4, 2, QStringLiteral("4.5"));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        EXPECT_EQ(model.Calibration.Points[3].Measured, 3.5);
        EXPECT_EQ(model.Calibration.Points[4].Measured, 4.5);
    }

    op.Answer(true);
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibr2")), Qt::LeftButton);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(model.Calibration.Points[0].Measured, 10000);
    EXPECT_EQ(model.Calibration.Points[1].Set, 2000);
    type(1, 2, QStringLiteral("2100"));
    op.Answer(true);
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibr2")), Qt::LeftButton);
    EXPECT_EQ(model.Calibration.Points[1].Measured, 2100);
    op.Answer(false);
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("btnCalibr5")), Qt::LeftButton);
    EXPECT_EQ(model.CalibrMode(), 2);
    const QList<TOperatorCall> asked = op.CallsOf(QStringLiteral("AskYesNo"));
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[1].Text, QStringLiteral("Установить калибровку по двум точкам?"));
    EXPECT_EQ(asked[2].Text, QStringLiteral("Установить калибровку по пяти точкам?"));
}

} // namespace

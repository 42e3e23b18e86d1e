// The calibration window on its own, with the fake main window: the steps
// that repeat while a button is held (on the window's repeat, ticked by the
// test instead of a real 100 ms timer), the points of the two-point table,
// the fixed error band and when it gives way, and the calibration record as
// a PDF page.

#include "model_window_bench.h"
#include "report_pages.h"

#include "device/calibration.h"
#include "sim/answer_builder.h"
#include "ui/windows/error_chart.h"
#include "ui/windows/form_kalibr.h"
#include "ui/windows/form_tolm_par.h"
#include "ui/windows/step_repeat.h"

#include "support/window_shots.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {

class KalibrWindow : public ModelWindowBench
{
protected:
    KalibrWindow() : ModelWindowBench({QStringLiteral("tolm47x"), QStringLiteral("/full")})
    {
        model.Config.SetPlantNumber(1207);
        model.Identity.HardVersion = 3;
        model.Identity.SoftVersion = 2;
    }
    ~KalibrWindow() override
    {
        delete TFormKalibr::Instance();
        delete TFormTolmPar::Instance();
    }

    // The table as the parameters window leaves it after "Вычислить": the
    // coefficients in force are the reference ones, so each point's error is
    // what it measured less its distance, plus what the steps add.
    void MeasuredWithErrors(std::initializer_list<double> errors)
    {
        model.SetCalibrMode(int(errors.size()));
        model.Calibration.KrPerRef = model.Config.KrPer();
        model.Calibration.SmPerRef = model.Config.SmPer();
        size_t n = 0;
        for (double error : errors) {
            model.Calibration.Points[n].Measured = model.Calibration.Points[n].Set + error;
            ++n;
        }
    }

    TFormKalibr &Open()
    {
        EXPECT_EQ(TFormKalibr::ShowKalibr(model, services), 0);
        return *TFormKalibr::Instance();
    }
    template <typename T = QLabel>
    static T *Control(QWidget &window, const char *name)
    {
        T *control = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // One tick of the window's 100 ms repeat, without the wait.
    static void Tick(TFormKalibr &window) { QMetaObject::invokeMethod(&window.Repeat().Timer(), "timeout"); }
    static QList<double> Errors(const TErrorChart &chart)
    {
        QList<double> errors;
        for (const QPointF &point : chart.Points())
            errors.append(point.y());
        return errors;
    }
};

TEST_F(KalibrWindow, HoldingABaseButtonForASecondStepsElevenTimesHereAndInTheParametersWindow)
{
    model.Config.SetKrPer(146.243);
    model.Config.SetSmPer(0);
    MeasuredWithErrors({0.5, -0.2, 0, 0.3, -1});
    ASSERT_EQ(TFormTolmPar::ShowTolmPar(model, services), 0);
    TFormKalibr &window = Open();
    auto *up = Control<QToolButton>(window, "btnBazaUp");
    QTimer &repeat = window.Repeat().Timer();

    // Pressed: one step at once and the 100 ms repeat running; ten ticks
    // make the second; released: no more.
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_NEAR(model.Config.SmPer(), 0.1, 1e-12);
    ASSERT_TRUE(repeat.isActive());
    EXPECT_EQ(repeat.interval(), 100);
    for (int tick = 0; tick < 10; ++tick)
        Tick(window);
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(repeat.isActive());
    EXPECT_NEAR(model.Config.SmPer(), 1.1, 1e-9);
    EXPECT_EQ(Control(window, "lblSmPer")->text(), QStringLiteral("1,10000"));
    EXPECT_EQ(Control(*TFormTolmPar::Instance(), "lblSmPer")->text(), QStringLiteral("1,10000"));
    // The base moves every error by the same amount (the chart lists them
    // by distance: point 5 first).
    const QList<double> shifted = Errors(*window.Chart());
    const QList<double> expected{0.1, 1.4, 1.1, 0.9, 1.6};
    ASSERT_EQ(shifted.size(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(shifted[i], expected[i], 1e-9) << i;

    // The slope moves each error in proportion to the point's own quantity.
    auto *down = Control<QToolButton>(window, "btnKrutDown");
    QTest::mousePress(down, Qt::LeftButton);
    Tick(window);
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_NEAR(model.Config.KrPer(), 146.241, 1e-9);
    EXPECT_EQ(Control(window, "lblKrPer")->text(), QStringLiteral("146,24100"));
    const QList<double> sloped = Errors(*window.Chart());
    for (int i = 0; i < 5; ++i) {
        const TCalibrPoint &point = model.Calibration.Points[size_t(4 - i)];
        EXPECT_NEAR(sloped[i] - shifted[i], -0.002 * point.Measured / 146.243, 1e-9) << i;
    }
    // The step stays picked after the release.
    Tick(window);
    EXPECT_NEAR(model.Config.KrPer(), 146.240, 1e-9);

    // The value is also the link to the main window's change dialog, and
    // both windows show what the dialog set.
    services.On(QStringLiteral("actKrPerChange"), [this] { model.Config.SetKrPer(12345.678); });
    QTest::mouseClick(Control(window, "lblKrPer"), Qt::LeftButton);
    EXPECT_EQ(services.Executed, QStringList{QStringLiteral("actKrPerChange")});
    EXPECT_EQ(Control(window, "lblKrPer")->text(), QStringLiteral("12\u00A0345,67800"));
    EXPECT_EQ(Control(*TFormTolmPar::Instance(), "lblKrPer")->text(), QStringLiteral("12\u00A0345,67800"));
}

TEST_F(KalibrWindow, TheTwoPointTableHasTwoPointsAndNoneBeforeTheReferenceSlope)
{
    model.Config.SetKrPer(146.243);
    model.Config.SetSmPer(0);
    model.SetCalibrMode(2);
    model.Calibration.Points[0].Measured = 10001.5;
    model.Calibration.Points[1].Measured = 1999;
    // Points 3 to 5 hold what an earlier five-point table left there.
    model.Calibration.Points[2] = {6000, 6100};
    TFormKalibr &window = Open();
    EXPECT_TRUE(window.Chart()->Points().isEmpty()) << "no reference slope yet";
    EXPECT_EQ(Control(window, "lblKrPer")->text(), QStringLiteral("146,24300"));
    const TReportTable before = window.Report().Table;
    ASSERT_EQ(before.Rows.size(), 2);
    EXPECT_EQ(before.Rows[0], (QStringList{QStringLiteral("2\u00A0000,0"), QStringLiteral("—"), QStringLiteral("—")}));

    model.Calibration.KrPerRef = model.Config.KrPer();
    window.actRefresh->trigger();
    ASSERT_EQ(window.Chart()->Points().size(), 2);
    EXPECT_EQ(window.Chart()->Points()[0], QPointF(2000, -1));
    EXPECT_EQ(window.Chart()->Points()[1], QPointF(10000, 1.5));
    const TReportTable after = window.Report().Table;
    EXPECT_EQ(after.Rows, (QList<QStringList>{
                              {QStringLiteral("2\u00A0000,0"), QStringLiteral("1\u00A0999,0"), QStringLiteral("-1,0")},
                              {QStringLiteral("10\u00A0000,0"), QStringLiteral("10\u00A0001,5"), QStringLiteral("1,5")},
                          }));
}

TEST_F(KalibrWindow, AnErrorOfThreeAndAHalfKeepsTheBandAndOneHundredthMoreWidensItForGood)
{
    MeasuredWithErrors({3.5, -3.5});
    TFormKalibr &window = Open();
    ASSERT_EQ(window.Chart()->Points().size(), 2);
    EXPECT_FALSE(window.Chart()->AxisAutomatic());
    EXPECT_EQ(window.Chart()->yAxis->range(), QCPRange(-3.5, 3.5));

    model.Calibration.Points[1].Measured -= 0.01;
    window.UpdateView();
    EXPECT_TRUE(window.Chart()->AxisAutomatic());
    EXPECT_TRUE(window.Chart()->actAxisAuto->isChecked());
    EXPECT_LT(window.Chart()->yAxis->range().lower, -3.51);

    // Back inside the band: the window does not narrow the axis itself.
    MeasuredWithErrors({0.2, -0.2});
    window.UpdateView();
    EXPECT_TRUE(window.Chart()->AxisAutomatic());
    window.Chart()->actAxisFixed->trigger();
    EXPECT_EQ(window.Chart()->yAxis->range(), QCPRange(-3.5, 3.5));
}

TEST_F(KalibrWindow, TheRecordPrintsTheGaugeAndTheFivePointsFarthestFirst)
{
    model.Config.SetKrPer(146.24385);
    model.Config.SetSmPer(-12.345);
    MeasuredWithErrors({1.24, -0.8, 2.1, -1.5, 0.4});
    TFormKalibr &window = Open();
    window.actPointsFalse->trigger();
    const TChartReport report = window.Report();
    EXPECT_EQ(report.Title, QStringLiteral("Калибровка ТОЛМ472И"));

    const QString pdf = home.file(QStringLiteral("kalibr.pdf"));
    SaveReportPage(report, pdf, QStringLiteral("kalibr_report"));
    const QString text = PdfText(pdf);
    for (const QString &expected :
         {QStringLiteral("Калибровка ТОЛМ472И"), QStringLiteral("Заводской номер"), QStringLiteral("1207"),
          QStringLiteral("Аппаратная версия"), QStringLiteral("Программная версия"), QStringLiteral("Смещение нуля"),
          QStringLiteral("-12,35"), QStringLiteral("Коэффициент коррекции крутизны"), QStringLiteral("146,24385"),
          QStringLiteral("Свободное пространство в контрольных точках"), QStringLiteral("Необходимо, мм"),
          QStringLiteral("Измерено, мм"), QStringLiteral("Разница, мм")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    // Point 5 (2000 mm) at the top, point 1 (10000 mm) at the bottom.
    qsizetype at = -1;
    for (const QString &measured : {QStringLiteral("2 000,4"), QStringLiteral("3 998,5"), QStringLiteral("6 002,1"),
                                    QStringLiteral("7 999,2"), QStringLiteral("10 001,2")}) {
        const qsizetype next = text.indexOf(measured);
        EXPECT_GT(next, at) << measured.toStdString();
        at = next;
    }
    // The page's chart is the window's: markers hidden, the fixed band.
    QCustomPlot page;
    report.FillChart(page);
    EXPECT_EQ(page.graph(0)->scatterStyle().shape(), QCPScatterStyle::ssNone);
    EXPECT_EQ(page.yAxis->range(), QCPRange(-3.5, 3.5));
}

TEST_F(KalibrWindow, ScreenshotWithFivePoints)
{
    model.Config.SetKrPer(146.24385);
    model.Config.SetSmPer(-12.345);
    MeasuredWithErrors({1.24, -0.8, 2.1, -1.5, 0.4});
    TFormKalibr &window = Open();
    EXPECT_TRUE(window.actPointsTrue->isChecked()) << "markers shown at creation";
    window.resize(760, 560);
    QCoreApplication::processEvents();
    EXPECT_EQ(ClippedControls(window), QStringList());
    const QPointF at(window.Chart()->xAxis->coordToPixel(6000), window.Chart()->yAxis->coordToPixel(2.1));
    QMouseEvent move(QEvent::MouseMove, at, window.Chart()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window.Chart(), &move);
    EXPECT_EQ(window.Readout(), QStringLiteral("Сигнал[6\u00A0000] = 2"));
    SaveShot(ShotWithCaption(window), QStringLiteral("kalibr"));
}

} // namespace

namespace {

// The foot of the record names the gauge by the program type it reported,
// not by the program's start-up title, and no model before a gauge answered.
TEST_F(KalibrWindow, TheRecordsFootNamesTheModelOfTheGaugesProgramType)
{
    model.Description.Title = QStringLiteral("ТОЛМ471И"); // the program's own name for its model
    model.Identity.ProgramType = 12;
    TFormKalibr &window = Open();
    QString error;
    const QString silent = home.file(QStringLiteral("silent.pdf"));
    ASSERT_TRUE(SaveChartReportPdf(window.Report(), silent, error)) << error.toStdString();
    EXPECT_FALSE(PdfText(silent).contains(QStringLiteral("Прибор:")));
    EXPECT_TRUE(PdfText(silent).contains(QStringLiteral("Заводской номер: 1207")));

    model.ParseAnswer(AnswerEcho(model.SystemAddress()));
    const QString answered = home.file(QStringLiteral("answered.pdf"));
    ASSERT_TRUE(SaveChartReportPdf(window.Report(), answered, error)) << error.toStdString();
    EXPECT_TRUE(PdfText(answered).contains(QStringLiteral("Прибор: ТОЛМ472И"))) << PdfText(answered).toStdString();
    model.Identity.ProgramType = 11;
    EXPECT_EQ(window.Report().Model, QStringLiteral("ТОЛМ471И"));
}

} // namespace

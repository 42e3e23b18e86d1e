#include "support/exchange_code.h"
#include "form_views_bench.h"

#include "app/ini_file.h"
#include "protocol/command_codes.h"
#include "ui/widgets/bgr_color.h"
#include "ui/widgets/vhistogram.h"

#include <QGroupBox>
#include <QLabel>

namespace {

class ReadingsWindow : public ViewsBench
{
protected:
    TFormTolm472I &Open()
    {
        EXPECT_EQ(TFormTolm472I::ShowTolm472I(model, services), 0);
        return *TFormTolm472I::Instance();
    }
    template <typename T = QLabel>
    static T *Control(const char *name)
    {
        TFormTolm472I *window = TFormTolm472I::Instance();
        return window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    static QString Text(const char *name)
    {
        const QLabel *label = Control(name);
        return label ? label->text() : QStringLiteral("<missing>");
    }
    // A number as the window shows it (Russian locale, no-break spaces).
    static double Number(const char *name)
    {
        bool ok = false;
        const double v = QLocale().toDouble(Text(name), &ok);
        return ok ? v : -1e9;
    }
    // What the gauge's reading answer carries, through one exchange of an
    // operator command.
    void ReadLevelWithStatus(uint8_t status)
    {
        SetGaugeStatus(status);
        ASSERT_EQ(ExchangeCode(cycle, model, LevelRead), 0);
    }
    // The colour the box "Показания" is painted with, beside its title
    // (inside the frame the style shades it).
    static QColor PaintedReadingsColor()
    {
        QGroupBox *box = Control<QGroupBox>("gbReadings");
        const QImage image = box->grab().toImage();
        return image.pixelColor(image.width() - 2, 1);
    }
};

} // namespace

TEST_F(ReadingsWindow, NumbersAndBarFollowThePolledReadings)
{
    TFormTolm472I &window = Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Показания ТОЛМ47xИ"));
    EXPECT_GE(window.minimumWidth(), 400);
    EXPECT_GE(window.minimumHeight(), 251);

    cycle.SetPolled(LevelAllRead, true);
    cycle.SetPolled(TempRead, true);
    RunPasses(1);

    const double level = model.Readings.Level.AsDouble();
    ASSERT_GT(level, 0);
    EXPECT_NEAR(Number("lblLevel"), level, 0.05);
    EXPECT_EQ(Text("stxLevel"), Text("lblLevel"));
    EXPECT_NEAR(Number("lblDistance"), model.Readings.Distance.AsDouble(), 0.05);
    EXPECT_NEAR(Number("lblLevelFree"), model.Readings.LevelFree.AsDouble(), 0.05);
    EXPECT_NEAR(Number("lblTemp"), model.Readings.Temp.AsDouble(), 0.05);
    EXPECT_DOUBLE_EQ(Control<TVHistogram>("vhLevel")->Value(), level);
    // The hint of a number names the reading and its unit.
    EXPECT_TRUE(Control("lblLevel")->toolTip().startsWith(QStringLiteral("Уровень\nУровень продукта\n")));
    EXPECT_TRUE(Control("lblLevel")->toolTip().endsWith(QStringLiteral(" мм")));
}

TEST_F(ReadingsWindow, ReadingsBoxColourFollowsTheGaugeStatus)
{
    TFormTolm472I &window = Open();
    const QColor normal = ColorFromBGR(0x8000000F);
    const QColor yellow(255, 255, 0);
    const QColor red(255, 0, 0);
    const QList<QPair<int, QColor>> cases{{0, normal}, {11, yellow}, {13, red}, {9, red}, {12, yellow}, {0, normal}};
    for (const auto &[status, colour] : cases) {
        ReadLevelWithStatus(uint8_t(status));
        ASSERT_EQ(model.LastErrorCode, status);
        window.UpdateView();
        EXPECT_EQ(PaintedReadingsColor(), colour) << "status " << status;
        EXPECT_EQ(Text("lblErrorByte"), QString::number(status));
        EXPECT_EQ(Text("lblErrorMessage"), model.LastErrorText);
    }
    ReadLevelWithStatus(11);
    window.UpdateView();
    EXPECT_TRUE(Text("lblErrorMessage").contains(QStringLiteral("плохой зоне"))) << Text("lblErrorMessage").toStdString();
}

TEST_F(ReadingsWindow, ReserveAndCurrentOutputOnlyInFullMode)
{
    TFormTolm472I &window = Open();
    const QList<QWidget *> fullModeOnly{Control("lblReserve"), Control("lblCurrentOutput"),
                                        Control("imgCurrentOutput")};
    for (QWidget *w : fullModeOnly)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();

    // The meter is still polled and the model still updated.
    cycle.SetDeviceEnabled(0, false);
    cycle.SetDeviceEnabled(1, true);
    RunPasses(1);
    double measured = 0;
    line.WithSimulator([&](TSimLine &sim) { measured = sim.meter().current(); });
    ASSERT_NEAR(model.Readings.CurrentOutput.AsDouble(), measured, 0.1);

    SetFullMode(true);
    window.UpdateView();
    for (QWidget *w : fullModeOnly)
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_NEAR(Number("lblCurrentOutput"), measured, 0.1);
    EXPECT_EQ(Text("lblCurrentOutput"), model.Readings.CurrentOutput.AsText(false, false)); // no title, no unit
}

TEST_F(ReadingsWindow, GraphIconsRunTheGraphActionsByName)
{
    SetFullMode(true);
    Open();
    const QList<QPair<const char *, QString>> icons{
        {"imgDistance", QStringLiteral("График \"Расстояние\"")},
        {"imgLevelFree", QStringLiteral("График \"Свободное пространство\"")},
        {"imgLevel", QStringLiteral("График \"Уровень\"")},
        {"imgTemper", QStringLiteral("График \"Температура\"")},
        {"imgCurrentOutput", QStringLiteral("График \"Ток\"")},
    };
    services.Disabled.insert(QStringLiteral("actGraphTmp")); // a graph window that cannot open yet
    for (const auto &[name, hint] : icons) {
        QLabel *icon = Control(name);
        ASSERT_NE(icon, nullptr) << name;
        EXPECT_EQ(icon->toolTip(), hint);
        EXPECT_EQ(icon->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(icon, Qt::LeftButton);
    }
    EXPECT_EQ(services.Executed, (QStringList{"actGraphDistance", "actGraphLevelFree", "actGraphLevel", "actGraphTmp",
                                              "actGraphCurrentOutputShow"}));
}

TEST_F(ReadingsWindow, BarScaleFollowsTheMaximumLevelAtTheNextRefresh)
{
    TFormTolm472I &window = Open();
    TVHistogram *bar = Control<TVHistogram>("vhLevel");
    EXPECT_DOUBLE_EQ(bar->Max(), model.Config.Lmax());
    model.Config.SetHmax(30000);
    model.Config.SetLmax(20000);
    window.UpdateView();
    EXPECT_DOUBLE_EQ(bar->Min(), 0);
    EXPECT_DOUBLE_EQ(bar->Max(), 20000);
    EXPECT_DOUBLE_EQ(bar->DValueBig(), 2000);
    EXPECT_DOUBLE_EQ(bar->DValueSmall(), 1000);
    EXPECT_EQ(bar->DecimalSign(), 0);
}

TEST_F(ReadingsWindow, ReopenedWindowComesBackInPlaceWithThePresentValues)
{
    TFormTolm472I &first = Open();
    first.move(150, 90);
    first.resize(520, 330);
    QTest::keyClick(&first, Qt::Key_Escape);
    ASSERT_EQ(TFormTolm472I::Instance(), nullptr);
    const TIniFile ini(AppContext().WndPosIni());
    EXPECT_EQ(ini.ReadString(QStringLiteral("FormTolm472I"), QStringLiteral("Name"), QString()), "FormTolm472I");
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FormTolm472I"), QStringLiteral("Left"), 0), 150);

    // Readings taken while the window is closed.
    cycle.SetPolled(LevelAllRead, true);
    RunPasses(1);

    TFormTolm472I &second = Open();
    EXPECT_EQ(second.pos(), QPoint(150, 90));
    EXPECT_EQ(second.size(), QSize(520, 330));
    EXPECT_NEAR(Number("lblLevel"), model.Readings.Level.AsDouble(), 0.05);
    EXPECT_NEAR(Number("lblDistance"), model.Readings.Distance.AsDouble(), 0.05);
}

// Opened before the first poll, when the numbers are still empty: every
// caption of the window is shown whole, in both modes.
TEST_F(ReadingsWindow, CaptionsAreWholeBeforeTheFirstPoll)
{
    for (const bool full : {false, true}) {
        SetFullMode(full);
        TFormTolm472I &window = Open();
        window.show();
        QCoreApplication::processEvents();
        for (const QLabel *label : window.findChildren<QLabel *>()) {
            if (label->isHidden() || label->text().isEmpty())
                continue;
            EXPECT_GE(label->width(), label->sizeHint().width())
                << label->text().toStdString() << (full ? " in full mode" : "");
            EXPECT_LE(label->mapTo(&window, QPoint(label->sizeHint().width(), 0)).x(), window.width())
                << label->text().toStdString() << (full ? " in full mode" : "");
        }
        delete &window;
    }
}

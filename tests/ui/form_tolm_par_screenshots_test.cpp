// The parameters window filled from the simulated gauge, each tab in normal
// and full mode, with and without the extended parameter set: nothing cut
// off, and a picture of each for the documentation when TOLM_SCREENSHOTS
// names a folder.
#include "support/exchange_code.h"
#include "form_views_bench.h"

#include "device/parameter_table.h"
#include "protocol/command_codes.h"
#include "ui/windows/form_tolm_par.h"

#include "support/window_shots.h"

#include <QScrollArea>
#include <QTabWidget>

namespace {

class ParametersWindowShots : public ViewsBench
{
protected:
    ~ParametersWindowShots() override
    {
        delete TFormTolmPar::Instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Everything the gauge can tell and a reading; three bad zones and some
    // algorithms as an engineer would set them.
    void ReadTheGauge()
    {
        ASSERT_EQ(ExchangeCode(cycle, model, SignatureRead), 0);
        for (const TParameter &p : ParameterTable())
            if (CanRead(p))
                ExchangeCode(cycle, model, p.ReadCode);
        ASSERT_EQ(ExchangeCode(cycle, model, LevelAllRead), 0);
        model.Config.SetCountBadZones(3);
        for (int zone = 1; zone <= 3; ++zone) {
            model.BadZones.Zone(zone).Near.SetValue(1000.0 * zone);
            model.BadZones.Zone(zone).Far.SetValue(1000.0 * zone + 350);
            model.BadZones.Zone(zone).FillSpeed.SetValue(5.0);
            model.BadZones.Zone(zone).EmptySpeed.SetValue(7.5);
        }
        model.Config.SetVariantProcessing((1 << 1) | (1 << 5) | (1 << 6) | (1 << 15));
    }

    // Each visible tab brought forward, the window as tall as the tab's
    // groups, checked and pictured.
    void Shoot(const QString &name, bool fullMode, bool extended)
    {
        SetFullMode(fullMode);
        ReadTheGauge();
        if (!extended)
            model.Identity.SoftVersion = 1;
        ASSERT_EQ(TFormTolmPar::ShowTolmPar(model, services), 0);
        TFormTolmPar &window = *TFormTolmPar::Instance();
        window.UpdateView();
        const char *tabNames[] = {"general", "special", "factory"};
        for (int tab = 0; tab < window.Tabs()->count(); ++tab) {
            if (!window.Tabs()->isTabVisible(tab))
                continue;
            window.SelectTab(TFormTolmPar::TTab(tab));
            auto *page = static_cast<QScrollArea *>(window.Tabs()->widget(tab));
            QCoreApplication::processEvents();
            window.resize(window.width(), window.height() - page->viewport()->height() +
                                              page->widget()->sizeHint().height());
            QCoreApplication::processEvents();
            const QString shot = name + QStringLiteral("_") + QLatin1String(tabNames[tab]);
            EXPECT_EQ(ClippedControls(window), QStringList()) << shot.toStdString();
            EXPECT_TRUE(SaveShot(ShotWithCaption(window), shot)) << shot.toStdString();
        }
    }
};

TEST_F(ParametersWindowShots, NormalMode)
{
    Shoot(QStringLiteral("form_tolm_par"), false, true);
}

TEST_F(ParametersWindowShots, FullModeWithTheExtendedParameters)
{
    Shoot(QStringLiteral("form_tolm_par_full"), true, true);
}

TEST_F(ParametersWindowShots, FullModeWithoutTheExtendedParameters)
{
    Shoot(QStringLiteral("form_tolm_par_full_basic"), true, false);
}

} // namespace

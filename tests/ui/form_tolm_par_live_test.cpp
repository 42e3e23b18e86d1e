// The parameters window in the running program on the simulated gauge: the
// real main window's actions, the real bad-zone dialog in its own event
// loop, clicks through Qt's event delivery.
#include "form_main_bench.h"

#include "protocol/command_codes.h"
#include "ui/dialogs/form_input_bad_zone.h"
#include "ui/dialogs/widget_operator.h"
#include "ui/windows/bad_zone_grid.h"
#include "ui/windows/form_tolm_par.h"

#include "modal_dialog.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

namespace {

using ParametersWindowLive = FormMainBench;

TEST_F(ParametersWindowLive, OpensAtStartAndItsClicksReachTheGaugeThroughTheMainWindow)
{
    Start({QStringLiteral("/full")});
    TFormTolmPar *window = TFormTolmPar::Instance();
    ASSERT_NE(window, nullptr); // one of the windows opened at start
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Execute("actSignatureRead")); // the gauge has the extended parameter set
    ASSERT_TRUE(Model().Identity.HasExtendedParameters());

    form->ShowParametersWindow(true);
    EXPECT_EQ(window->Tabs()->currentIndex(), TFormTolmPar::Factory);
    window->SelectTab(TFormTolmPar::Special);

    ClearSent();
    QCheckBox *prediction = window->AlgorithmBox(TAlgorithmBox::Prediction);
    QTest::mouseClick(prediction, Qt::LeftButton, {}, QPoint(6, prediction->height() / 2));
    WaitIdle();
    EXPECT_EQ(GaugeParameters().wordParam(0), 1 << 4);
    const QList<int> sent = SentCodes();
    EXPECT_TRUE(sent.contains(VariantProcessingWrite));
    EXPECT_TRUE(sent.contains(VariantProcessingRead));
    EXPECT_LT(sent.indexOf(VariantProcessingWrite), sent.indexOf(VariantProcessingRead));
    EXPECT_TRUE(prediction->isChecked());
    EXPECT_FALSE(window->AlgorithmBox(TAlgorithmBox::MMP)->isEnabled());

    // The real dialog, run in its own event loop while the window waits.
    Model().Config.SetCountBadZones(1);
    form->UpdateAllViews();
    TBadZoneGrid *grid = window->BadZoneGrid();
    ASSERT_TRUE(grid->isVisible());
    QCoreApplication::processEvents(); // the layout places the grid
    TWidgetOperator screen;
    SetOperator(&screen);
    OnNextModal<TFormInputBadZone>([](TFormInputBadZone *dialog) {
        dialog->enValue1->setText(QStringLiteral("1250"));
        QTest::mouseClick(dialog->btnOk, Qt::LeftButton);
    });
    ClearSent();
    const QPoint cell = grid->visualItemRect(grid->item(0, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell); // the system's click before the double click
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    SetOperator(&op);
    EXPECT_EQ(Model().BadZones.Zone(1).Near.AsDouble(), 1250);
    EXPECT_EQ(grid->item(0, 1)->text(), Model().BadZones.Zone(1).Near.AsText(false, false));
    EXPECT_EQ(SentCodes(), QList<int>()); // the write button sends the zones

    // Polling locks the window's values; stopping it frees them again.
    EXPECT_TRUE(Execute("actOprosStart"));
    form->UpdateAllViews();
    EXPECT_FALSE(window->findChild<QWidget *>(QStringLiteral("tsGeneral"))->isEnabled());
    EXPECT_TRUE(Execute("actOprosStop"));
    EXPECT_TRUE(window->findChild<QWidget *>(QStringLiteral("tsGeneral"))->isEnabled());
}

} // namespace

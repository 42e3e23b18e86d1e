// "Записать Смещение нуля и Крутизну" of the calibration window in the
// program with the simulated gauge: both coefficients reach the gauge and
// its ПЗУ with polling stopped for the writes, and polling comes back only
// when it ran before.

#include "form_main_bench.h"

#include "modal_dialog.h"
#include "protocol/command_codes.h"
#include "ui/dialogs/operator.h"
#include "support/register_contents.h"
#include "ui/windows/form_kalibr.h"

#include <QJsonArray>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

class KalibrSave : public FormMainBench
{
protected:
    TFormKalibr &OpenWindow()
    {
        Start({QStringLiteral("/full")});
        EXPECT_TRUE(Execute("actKalibrShow"));
        TFormKalibr *window = TFormKalibr::Instance();
        EXPECT_NE(window, nullptr);
        Model().Config.SetKrPer(151.25);
        Model().Config.SetSmPer(-3.5);
        ClearSent();
        return *window;
    }
    void ClickSave(TFormKalibr &window)
    {
        auto *save = window.findChild<QPushButton *>(QStringLiteral("btnSave"));
        ASSERT_NE(save, nullptr);
        QTest::mouseClick(save, Qt::LeftButton);
        WaitIdle();
    }
    // The writes and stores among the frames sent, without the polling
    // passes' reads.
    QList<int> SentWrites()
    {
        QList<int> writes;
        for (int code : SentCodes())
            if (code == KrPerWrite || code == SmPerWrite || code == WriteToPZU)
                writes.append(code);
        return writes;
    }
};

TEST_F(KalibrSave, BothCoefficientsReachTheGaugeAndPollingComesBackOnlyIfItRan)
{
    TFormKalibr &window = OpenWindow();
    ClickSave(window);
    EXPECT_EQ(SentCodes(), (QList<int>{KrPerWrite, WriteToPZU, SmPerWrite, WriteToPZU}));
    EXPECT_FLOAT_EQ(GaugeParameters().floatParam(0), 151.25f);
    EXPECT_FLOAT_EQ(GaugeParameters().floatParam(1), -3.5f);
    EXPECT_FALSE(program->PollingTimer().IsEnabled()) << "polling was stopped before";
    EXPECT_TRUE(Enabled("actOprosStart"));
    // The register keeps the write with the window's page.
    const QList<TRegisterRecord> records = StoredRecords(program->ArchiveSettings().dbPath);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].Kind, TRecordKind::Calibration);
    EXPECT_EQ(records[0].Details.value("krPer").toDouble(), 151.25);
    EXPECT_EQ(records[0].Details.value("smPer").toDouble(), -3.5);
    EXPECT_TRUE(records[0].Details.value("written").toBool());
    EXPECT_EQ(records[0].Details.value("points").toArray().size(), Model().CalibrMode());
    EXPECT_TRUE(records[0].Document.startsWith("%PDF")) << records[0].Document.left(20).toStdString();

    ASSERT_TRUE(Execute("actOprosStart"));
    ASSERT_TRUE(program->PollingTimer().IsEnabled());
    Model().Config.SetSmPer(2.25);
    ClearSent();
    ClickSave(window);
    EXPECT_EQ(SentWrites(), (QList<int>{KrPerWrite, WriteToPZU, SmPerWrite, WriteToPZU}));
    EXPECT_FLOAT_EQ(GaugeParameters().floatParam(1), 2.25f);
    EXPECT_TRUE(program->PollingTimer().IsEnabled()) << "polling ran before";
    EXPECT_FALSE(Enabled("actOprosStart"));
}

// The real message boxes with the event loop turning: each failed write is
// told by its own action and the sequence goes on to the next; a second
// press of the button while the first write runs starts nothing.
TEST_F(KalibrSave, FailedWritesAreToldOneAfterTheOtherAndASecondPressStartsNothing)
{
    TFormKalibr &window = OpenWindow();
    SetOperator(nullptr);
    FailEveryAnswer();
    QStringList told;
    {
        TModalScript script;
        script
            .Then<QMessageBox>([&](QMessageBox *box) {
                told.append(box->text());
                window.actSave->trigger();
                box->buttons().first()->click();
            })
            .Then<QMessageBox>([&](QMessageBox *box) {
                told.append(box->text());
                box->buttons().first()->click();
            });
        ClickSave(window);
    }
    EXPECT_EQ(told, (QStringList{QStringLiteral("Не выполнена команда\nЗаписать крутизну характеристики "
                                                "преобразования в прибор"),
                                 QStringLiteral("Не выполнена команда\nЗаписать смещение нуля в прибор")}));
    EXPECT_EQ(SentCodes(), QList<int>(5, KrPerWrite) + QList<int>(5, SmPerWrite)) << "nothing stored, nothing twice";
    EXPECT_FALSE(program->PollingTimer().IsEnabled());
}

} // namespace

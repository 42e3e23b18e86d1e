// "Журнал приборов" in the program on the simulated gauge: "Сохранить
// параметры " leaves a configuration record; the window opened from "Окна"
// searches for the gauge on the line at once, lists newest first, shows the
// stored parameter set, and "Сравнить с прибором" puts the gauge against
// the stored snapshot in the program's comparison table. A picture for the
// documentation when TOLM_SCREENSHOTS names a folder.

#include "form_main_bench.h"

#include "register/register_outbox.h"
#include "support/register_contents.h"
#include "support/window_shots.h"
#include "ui/windows/form_register.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

class RegisterWindow : public FormMainBench
{
protected:
    // Until the window's searches and loads are done.
    void WaitWindow(TFormRegister &window)
    {
        QElapsedTimer waited;
        waited.start();
        while (window.Busy() && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ASSERT_FALSE(window.Busy());
    }
};

} // namespace

TEST_F(RegisterWindow, OpensOnTheGaugeOfTheLineAndComparesItWithAStoredSnapshot)
{
    Start({QStringLiteral("/full")});
    ASSERT_TRUE(Execute("actSignatureRead"));
    const int plant = Model().Config.PlantNumber();
    // Another gauge's record, and two snapshots of this one a day apart.
    TRegisterRecord other;
    other.Plant = plant + 1;
    other.Kind = TRecordKind::Bundle;
    QString error;
    ASSERT_TRUE(AddToRegister(RegisterPlace(home.path(), program->ArchiveSettings().dbPath), other, error));
    ASSERT_TRUE(Execute("actTolm472iBackup")); // reads the gauge: the file holds its full copy
    clock.clock().Advance(24 * 3600 * 1000);
    ASSERT_TRUE(Execute("actTolm472iBackup")); // reads the gauge: the file holds its full copy
    ASSERT_EQ(StoredRecords(program->ArchiveSettings().dbPath).size(), 3);
    // The gauge changes after its last snapshot.
    Model().Config.SetHmax(18000);
    ASSERT_TRUE(Execute("actHmaxWrite"));

    ASSERT_TRUE(Execute("actRegisterShow"));
    TFormRegister *window = TFormRegister::Instance();
    ASSERT_NE(window, nullptr);
    WaitWindow(*window);
    ASSERT_EQ(window->Records().size(), 2) << "only the gauge on the line";
    EXPECT_GT(window->Records()[0].Time, window->Records()[1].Time) << "newest first";
    EXPECT_EQ(window->List()->item(0, 1)->text(), QString::number(plant));
    EXPECT_TRUE(window->Details().contains(QStringLiteral("[Tolm471Backup]"))) << window->Details().toStdString();
    EXPECT_EQ(window->OutboxText(), QStringLiteral("Сервер не указан: записи хранятся на стенде"));

    window->resize(1000, 560);
    QCoreApplication::processEvents();
    EXPECT_EQ(ClippedControls(*window), QStringList());
    EXPECT_TRUE(SaveShot(ShotWithCaption(*window), QStringLiteral("register")));

    // The newest snapshot against the gauge: Hmax differs.
    ClearSent();
    op.Answer(false); // the comparison table closed without writing
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("btnCompare")), Qt::LeftButton);
    WaitWindow(*window);
    WaitIdle();
    const QList<TOperatorCall> reviewed = op.CallsOf(QStringLiteral("ReviewComparison"));
    ASSERT_EQ(reviewed.size(), 1);
    EXPECT_EQ(reviewed[0].Args.value(0).toInt(), 1) << "Hmax";
    EXPECT_TRUE(SentCodes().contains(SignatureRead)) << "the gauge was read for the comparison";

    // Asked again from the menu with another gauge on the line: its records.
    Model().Config.SetPlantNumber(uint16_t(plant + 1));
    ASSERT_TRUE(Execute("actRegisterShow"));
    WaitWindow(*window);
    ASSERT_EQ(window->Records().size(), 1);
    EXPECT_EQ(window->Records()[0].Kind, TRecordKind::Bundle);
}

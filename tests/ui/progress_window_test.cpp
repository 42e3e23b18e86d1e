#include "ui/dialogs/form_progress_bar.h"
#include "ui/dialogs/widget_operator.h"

#include "support/gui_application.h"

#include <QTimer>

namespace {

class ProgressWindow : public GuiTest
{
protected:
    TFormProgressBar *window() const { return op.ProgressWindow(); }

    TWidgetOperator op;
};

} // namespace

TEST(ProgressPercent, RoundsHalvesToEven)
{
    EXPECT_EQ(ProgressPercent(3, 16), 19); // 18.75
    EXPECT_EQ(ProgressPercent(1, 5), 20);
    EXPECT_EQ(ProgressPercent(1, 8), 12);  // 12.5
    EXPECT_EQ(ProgressPercent(3, 8), 38);  // 37.5
    EXPECT_EQ(ProgressPercent(7, 8), 88);  // 87.5
    EXPECT_EQ(ProgressPercent(5, 5), 100);
    EXPECT_EQ(ProgressPercent(0, 5), 0);
    EXPECT_EQ(ProgressPercent(9, 5), 100);
    EXPECT_EQ(ProgressPercent(1, 0), -1);
}

TEST_F(ProgressWindow, ShowsTextAndPercentageAndKeepsItsFirstText)
{
    op.ShowProgress(QStringLiteral("Чтение массива спектра"), 3, 16);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_TRUE(window()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(window()->width(), 641);
    EXPECT_EQ(window()->pbProgress->value(), 19);
    EXPECT_EQ(window()->windowTitle(), "Чтение массива спектра 19%");

    // A command repeated inside the array read moves only the bar.
    TFormProgressBar *first = window();
    op.ShowProgress(QStringLiteral("Повтор команды Считать блок данных"), 4, 5);
    EXPECT_EQ(window(), first);
    EXPECT_EQ(window()->windowTitle(), "Чтение массива спектра 25%");

    op.CloseProgress();
    EXPECT_EQ(window(), nullptr);
    op.ShowProgress(QStringLiteral("Повтор команды Считать Hmax из прибора"), 1, 5);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(window()->windowTitle(), "Повтор команды Считать Hmax из прибора 20%");
    op.CloseProgress();
}

TEST_F(ProgressWindow, CaptionStaysUntilTheBarMoves)
{
    op.ShowProgress(QStringLiteral("Обучение"), 0, 15);
    EXPECT_EQ(window()->windowTitle(), "Выполнено");
    EXPECT_EQ(window()->pbProgress->value(), 0);
    op.ShowProgress(QString(), -1, 0); // only shows
    EXPECT_EQ(window()->windowTitle(), "Выполнено");
    op.ShowProgress(QString(), 1, 0);
    EXPECT_EQ(window()->windowTitle(), "Обучение 7%");
    op.CloseProgress();
}

TEST_F(ProgressWindow, MovingTheBarRunsNoPendingEvents)
{
    // The procedures hand their progress over from the runner's worker: a
    // step that ran the event loop inside would let a timer tick or a menu
    // command run in the middle of the hand-over.
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    for (int step = 0; step <= 5; ++step)
        op.ShowProgress(QStringLiteral("Повтор команды Эхо"), step, 5);
    EXPECT_FALSE(handled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
}

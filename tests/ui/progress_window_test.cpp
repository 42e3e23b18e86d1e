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

TEST_F(ProgressWindow, PendingEventsRunOnlyWhenTheBarMoves)
{
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    op.ShowProgress(QStringLiteral("Повтор команды Эхо"), 0, 5);
    EXPECT_FALSE(handled);
    op.ShowProgress(QStringLiteral("Повтор команды Эхо"), 1, 5);
    EXPECT_TRUE(handled);

    // A handler that closes the window meanwhile (the operator stopped the
    // operation) leaves no window behind.
    QTimer::singleShot(0, [&] { op.CloseProgress(); });
    op.ShowProgress(QStringLiteral("Повтор команды Эхо"), 2, 5);
    EXPECT_EQ(window(), nullptr);
}

#include "ui/widgets/edit_num.h"

#include "support/gui_application.h"
#include "values/descriptions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

namespace {

class EditNum : public GuiTest
{
protected:
    void SetUp() override
    {
        field.OnFinishEdit = [this](TEditNum *) { ++finished; };
        field.clear();
    }

    void leave(Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&field, &out);
    }

    bool red() const { return field.palette().color(QPalette::Text) == Qt::red; }
    bool bold() const { return field.font().bold(); }

    TEditNum field; // range 0..100, range check on
    int finished = 0;
};

} // namespace

TEST_F(EditNum, OnlyWhatMakesANumberGetsThrough)
{
    QTest::keyClicks(&field, "1a2b.3");
    EXPECT_EQ(field.text(), "123"); // letters and the foreign '.' dropped

    // One decimal separator of the locale (a comma here).
    QTest::keyClicks(&field, ",4,5");
    EXPECT_EQ(field.text(), "123,45");

    // A minus only in front.
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "123,45");
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "-123,45");
    QTest::keyClicks(&field, "-");
    EXPECT_EQ(field.text(), "-123,45");

    // Backspace and navigation still edit.
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "-123");
    // With the separator gone, a new one is taken.
    QTest::keyClicks(&field, ",5");
    EXPECT_EQ(field.text(), "-123,5");
    EXPECT_EQ(finished, 0);
}

TEST_F(EditNum, OutOfRangeIsRedWhileTypedAndClampedByEnter)
{
    QTest::keyClicks(&field, "150");
    EXPECT_TRUE(red());
    EXPECT_TRUE(bold());
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.text(), "100");
    EXPECT_EQ(field.Value(), 100);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(red());
    EXPECT_FALSE(bold());
    EXPECT_FALSE(field.isModified());
}

TEST_F(EditNum, LeavingTheFieldCommitsButAPopupDoesNot)
{
    field.SetRange(20, 10);
    QTest::keyClicks(&field, "5");
    leave(Qt::PopupFocusReason);
    EXPECT_EQ(field.text(), "5");
    EXPECT_EQ(finished, 0);
    leave();
    EXPECT_EQ(field.text(), "10");
    EXPECT_EQ(finished, 1);

    // Text that is no number (pasted, say) reads as 0 and is then clamped.
    field.setText(QStringLiteral("abc"));
    EXPECT_EQ(field.Value(), 0);
    EXPECT_FALSE(field.TextValue().has_value());
    leave();
    EXPECT_EQ(field.text(), "10");
}

TEST_F(EditNum, WithoutRangeCheckAnyNumberStays)
{
    field.SetCheckRange(false);
    QTest::keyClicks(&field, "-2500,5");
    EXPECT_FALSE(red());
    QTest::keyClick(&field, Qt::Key_Enter);
    EXPECT_EQ(field.Value(), -2500.5);
    EXPECT_EQ(field.text(), "-2500,5");
}

TEST_F(EditNum, ChangingTheFormatRewritesTheValue)
{
    field.SetValue(1.5);
    EXPECT_EQ(field.text(), "1,5");
    field.SetFormat(TDescriptionOfDouble::ffFixed);
    field.SetDigits(2);
    EXPECT_EQ(field.text(), "1,50");
    field.SetValue(99.999);
    EXPECT_EQ(field.text(), "100,00");
    field.SetFormat(TDescriptionOfDouble::ffNumber);
    field.SetValue(12.5);
    field.SetMaximum(1e6);
    field.SetValue(12345.5);
    EXPECT_EQ(field.text(), QStringLiteral("12\u00A0345,50"));
    EXPECT_EQ(field.Value(), 12345.5); // thousands separators read back
    EXPECT_EQ(finished, 7);
}

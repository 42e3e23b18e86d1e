#include "device/bad_zones.h"
#include "app/text_file.h"
#include "ui/dialogs/form_input_bad_zone.h"
#include "ui/dialogs/form_input_double.h"
#include "ui/dialogs/form_input_index_from_list.h"
#include "ui/dialogs/form_input_integer.h"
#include "ui/dialogs/widget_operator.h"

#include "modal_dialog.h"
#include "support/gui_application.h"
#include "support/temp_home.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QTest>

namespace {

class InputDialogs : public GuiTest
{
protected:
    // Replaces the field's text by typing, as the operator would.
    static void typeInto(QWidget *field, const QString &text)
    {
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
            spin->selectAll();
        else if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }

    TWidgetOperator op;
};

} // namespace

TEST_F(InputDialogs, IntegerTypedBeyondTheLimitsIsClamped)
{
    struct Case {
        const char *typed;
        int expected;
    } cases[] = {{"9", 5}, {"abc", 0}, {"-3", 0}, {"4", 4}, {"", 0}};
    for (const Case &c : cases) {
        TFormInputInteger form(QStringLiteral("Введите"), QStringLiteral("Количество плохих зон"), 2, 5, 0);
        form.show();
        typeInto(form.speValue, QString::fromLatin1(c.typed));
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
        EXPECT_EQ(form.result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(form.Result(), c.expected) << c.typed;
    }
}

TEST_F(InputDialogs, IntegerInitialValueIsShownWithinTheLimitsAndCancelGivesItBack)
{
    // The capture period dialog opened on a 200 ms timer interval.
    TFormInputInteger form(QStringLiteral("Введите"), QStringLiteral("Период опроса сигнала, мс"), 200, 3600000, 30000);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Введите");
    EXPECT_EQ(form.lblCaption->text(), "Период опроса сигнала, мс");
    EXPECT_EQ(form.speValue->text(), "30000");
    EXPECT_EQ(form.btnCancel->text(), "Отменить");
    EXPECT_TRUE(form.btnOk->isDefault());
    QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    EXPECT_EQ(form.Result(), 200);

    // Equal limits are no limits for the field; the result is still held
    // to them.
    TFormInputInteger open(QStringLiteral("Введите"), QString(), 7, 0, 0);
    EXPECT_EQ(open.speValue->text(), "7");
}

TEST_F(InputDialogs, IntegerEnterAcceptsAndEscCancelsInTheField)
{
    TFormInputInteger form(QStringLiteral("Введите"), QStringLiteral("Системный адрес"), 1, 255, 0);
    form.show();
    typeInto(form.speValue, QStringLiteral("300"));
    QTest::keyClick(form.speValue, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Result(), 255);

    TFormInputInteger cancelled(QStringLiteral("Введите"), QStringLiteral("Системный адрес"), 1, 255, 0);
    cancelled.show();
    typeInto(cancelled.speValue, QStringLiteral("17"));
    QTest::keyClick(cancelled.speValue, Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.Result(), 1);
}

TEST_F(InputDialogs, IntegerThroughTheOperatorTellsWhetherItWasConfirmed)
{
    bool confirmed = false;
    OnNextModal<TFormInputInteger>([](TFormInputInteger *form) {
        EXPECT_EQ(form->focusWidget(), form->speValue);
        typeInto(form->speValue, QStringLiteral("1234"));
        QTest::mouseClick(form->btnOk, Qt::LeftButton);
    });
    EXPECT_EQ(op.InputIntegerConfirmed(QStringLiteral("Введите"), QStringLiteral("Заводской номер"), 5, 65535, 0,
                                       confirmed),
              1234);
    EXPECT_TRUE(confirmed);

    OnNextModal<TFormInputInteger>([](TFormInputInteger *form) { form->reject(); });
    EXPECT_EQ(op.InputIntegerConfirmed(QStringLiteral("Введите"), QStringLiteral("Заводской номер"), 5, 65535, 0,
                                       confirmed),
              5);
    EXPECT_FALSE(confirmed);
}

TEST_F(InputDialogs, DoubleShowsItsDecimalsAndClampsWhatIsTyped)
{
    TFormInputDouble half(QStringLiteral("Введите"), QStringLiteral("Коэффициент сглаживания (от 0.01 до 1.00)"), 2, 1,
                          0.01, 0.5);
    EXPECT_EQ(half.enValue->text(), "0,50");

    TFormInputDouble form(QStringLiteral("Введите"), QStringLiteral("Радиус волновода, мм"), 1, 1000, 0, 25);
    form.show();
    typeInto(form.enValue, QStringLiteral("1500,5"));
    QTest::keyClick(form.enValue, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Result(), 1000);

    TFormInputDouble cancelled(QStringLiteral("Введите"), QStringLiteral("Радиус волновода, мм"), 1, 1000, 0, 25);
    cancelled.show();
    typeInto(cancelled.enValue, QStringLiteral("7"));
    QTest::mouseClick(cancelled.btnCancel, Qt::LeftButton);
    EXPECT_EQ(cancelled.Result(), 25);
}

TEST_F(InputDialogs, DoubleKeepsANonNumberOpenWithARedField)
{
    TFormInputDouble form(QStringLiteral("Введите"), QStringLiteral("Смещение нуля"), 3, 1e9, -1e9, 0);
    form.show();
    form.enValue->setText(QStringLiteral("-"));
    form.btnOk->click(); // the field keeps the focus: nothing clamped it yet
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.enValue->palette().color(QPalette::Base), QColor(Qt::red));

    form.enValue->setText(QStringLiteral("-12,125"));
    form.btnOk->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.enValue->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(form.Result(), -12.125);
}

TEST_F(InputDialogs, DoubleWithReversedLimitsHoldsToNoRange)
{
    TFormInputDouble form(QStringLiteral("Введите"), QStringLiteral("Высота"), 0, 0, 100, 250);
    EXPECT_FALSE(form.enValue->CheckRange());
    form.show();
    form.btnOk->click();
    EXPECT_EQ(form.Result(), 250);
}

TEST_F(InputDialogs, ListOffersTheLinesOfItsFile)
{
    TempHome home;
    const QString types = home.file(QStringLiteral("INI/ProgramTypes.ini"));
    ASSERT_TRUE(WriteTextLines(types, {QStringLiteral("ТОЛМ471И"), QStringLiteral("ТОЛМ472И")}));

    TFormInputIndexFromList form(QStringLiteral("Введите"), QStringLiteral("Тип прибора"), 1, types);
    form.show();
    ASSERT_EQ(form.cmbValue->count(), 2);
    EXPECT_EQ(form.cmbValue->itemText(0), "ТОЛМ471И");
    EXPECT_EQ(form.cmbValue->currentText(), "ТОЛМ472И");
    QTest::keyClick(form.cmbValue, Qt::Key_Up);
    QTest::mouseClick(form.btnOk, Qt::LeftButton);
    EXPECT_EQ(form.Result(), 0);

    TFormInputIndexFromList cancelled(QStringLiteral("Введите"), QStringLiteral("Тип прибора"), 1, types);
    cancelled.show();
    QTest::keyClick(cancelled.cmbValue, Qt::Key_Up);
    QTest::mouseClick(cancelled.btnCancel, Qt::LeftButton);
    EXPECT_EQ(cancelled.Result(), 1);

    TFormInputIndexFromList missing(QStringLiteral("Введите"), QStringLiteral("Тип прибора"), 0,
                                    home.file(QStringLiteral("INI/none.ini")));
    missing.show();
    EXPECT_EQ(missing.cmbValue->count(), 0);
    QTest::mouseClick(missing.btnOk, Qt::LeftButton);
    EXPECT_EQ(missing.Result(), -1);
}

TEST_F(InputDialogs, BadZoneShowsItsValuesAndStoresThemOnOk)
{
    TBadZone zone(1);
    zone.Near.SetValue(1200);
    zone.Far.SetValue(2500);
    zone.FillSpeed.SetValue(12.5);
    int farSets = 0;
    zone.Far.OnSet = [&](TIOData *) { ++farSets; };

    TFormInputBadZone form(zone);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Введите параметры плохой зоны");
    EXPECT_EQ(form.lblHint->text(), "1.Плохая зона");
    EXPECT_TRUE(form.lblHint->font().bold());
    EXPECT_EQ(form.enValue1->text(), "1200");
    EXPECT_EQ(form.enValue2->text(), "2500");
    EXPECT_EQ(form.enSpeedInc->text(), "12,5");
    EXPECT_EQ(form.enSpeedDec->text(), "0");

    // No range: a far border far beyond any tank stays as typed.
    typeInto(form.enValue1, QStringLiteral("-50000"));
    QTest::keyClick(form.enValue1, Qt::Key_Tab);
    QTest::mouseClick(form.btnOk, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(zone.Near.AsDouble(), -50000);
    EXPECT_EQ(zone.Far.AsDouble(), 2500); // stored again unchanged
    EXPECT_EQ(farSets, 1);

    TFormInputBadZone cancelled(zone);
    cancelled.show();
    typeInto(cancelled.enSpeedInc, QStringLiteral("7"));
    QTest::mouseClick(cancelled.btnCancel, Qt::LeftButton);
    EXPECT_EQ(zone.FillSpeed.AsDouble(), 12.5);
    EXPECT_EQ(farSets, 1);
}

TEST_F(InputDialogs, TextBoxGivesTheEnteredTextOrTheOldOne)
{
    OnNextModal<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle(), "Введите");
        EXPECT_EQ(box->labelText(), "Номер ППМ");
        EXPECT_EQ(box->textValue(), "12");
        EXPECT_EQ(box->cancelButtonText(), "Отменить");
        box->setTextValue(QStringLiteral("ППМ-47"));
        box->accept();
    });
    EXPECT_EQ(op.InputText(QStringLiteral("Введите"), QStringLiteral("Номер ППМ"), QStringLiteral("12")), "ППМ-47");

    OnNextModal<QInputDialog>([](QInputDialog *box) {
        box->setTextValue(QStringLiteral("другой"));
        box->reject();
    });
    EXPECT_EQ(op.InputText(QStringLiteral("Введите"), QStringLiteral("Номер Н/З"), QStringLiteral("12")), "12");
}

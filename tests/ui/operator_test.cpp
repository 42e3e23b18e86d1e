#include "device/tolm472.h"
#include "link/transmitter.h"
#include "ui/dialogs/operator_messages.h"
#include "ui/dialogs/widget_operator.h"

#include "modal_dialog.h"
#include "support/gui_application.h"
#include "support/installed_operator.h"
#include "support/temp_home.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <thread>

namespace {

class OperatorBoxes : public GuiTest
{
protected:
    TWidgetOperator op;
};

class ScriptedOperator : public GuiTest
{
protected:
    TInstalledOperator op;
};

} // namespace

TEST_F(OperatorBoxes, WarningIsCaptionedAttentionWithItsLinesAndOneOkButton)
{
    OnNextModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), "Внимание");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        // The hint stands on the second line.
        EXPECT_EQ(box->text(), "Не выполнена команда\nСчитать Hmax из прибора");
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons().first()->text(), "OK");
        box->buttons().first()->click();
    });
    op.Warning(QStringLiteral("Не выполнена команда\rСчитать Hmax из прибора"));
}

TEST_F(OperatorBoxes, YesNoEnterPressesTheNamedDefaultAndEscSaysNo)
{
    OnNextModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "Да");
        EXPECT_EQ(box->button(QMessageBox::No)->text(), "Нет");
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(op.Question(QStringLiteral("Завершить работу?"), false));

    OnNextModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_TRUE(op.AskYesNo(TMessageIcon::Warning, AttentionCaption(),
                            QStringLiteral("Заменить существующий файл \r/tmp/PN1-01.01.2024.ini ?"), true));

    OnNextModal<QMessageBox>([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_FALSE(op.Question(QStringLiteral("Выполнить обучение?"), true));
}

TEST_F(OperatorBoxes, CancelledFileDialogGivesNoName)
{
    TempHome home;
    OnNextModal<QDialog>([](QDialog *dialog) { dialog->reject(); });
    EXPECT_EQ(op.OpenFileName(QStringLiteral("Параметры приборов (*.ini)"), QStringLiteral("ini"), home.path()),
              QString());
}

TEST_F(ScriptedOperator, AnswersInOrderAndRecordsEveryCall)
{
    EXPECT_EQ(&Operator(), &op);
    op.Answer(true).Answer(QStringLiteral("abc")).Answer(9).Answer(TScriptedOperator::Cancel()).Answer(1500.0);

    EXPECT_TRUE(op.Question(QStringLiteral("Выполнить обучение?"), false));
    EXPECT_EQ(op.InputInteger(QStringLiteral("Введите"), QStringLiteral("Количество плохих зон"), 3, 5, 1), 1);
    bool confirmed = false;
    EXPECT_EQ(op.InputIntegerConfirmed(QStringLiteral("Введите"), QStringLiteral("Заводской номер"), 3, 5, 0,
                                       confirmed),
              5);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(op.InputIntegerConfirmed(QStringLiteral("Введите"), QStringLiteral("Новый системный адрес [0..254]"),
                                       4, 254, 0, confirmed),
              4);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(op.InputDouble(QStringLiteral("Введите"), QStringLiteral("Радиус волновода, мм"), 1, 1000, 0, 20), 1000);
    EXPECT_EQ(op.PendingAnswers(), 0);

    // Nothing left in the script: the default button, or a cancel.
    EXPECT_FALSE(op.Question(QStringLiteral("Завершить работу?"), false));
    EXPECT_EQ(op.InputText(QStringLiteral("Введите"), QStringLiteral("Номер ППМ"), QStringLiteral("12")), "12");
    EXPECT_EQ(op.Unanswered, 2);

    op.ShowProgress(QStringLiteral("Чтение массива сигнала"), 1, 32);
    op.ShowProgress(QStringLiteral("Повтор команды Считать блок данных"), 1, 5);
    EXPECT_EQ(op.ProgressText, "Чтение массива сигнала");
    op.CloseProgress();
    EXPECT_FALSE(op.ProgressOpen);

    ASSERT_EQ(op.Calls.size(), 10);
    const TOperatorCall &question = op.Calls[0];
    EXPECT_EQ(question.Kind, "AskYesNo");
    EXPECT_EQ(question.Caption, "Внимание");
    EXPECT_EQ(question.Text, "Выполнить обучение?");
    EXPECT_EQ(question.Args, (QVariantList{int(TMessageIcon::Question), false}));
    EXPECT_EQ(op.Calls[1].Args, (QVariantList{3, 5, 1}));
    EXPECT_EQ(op.CallsOf(QStringLiteral("ShowProgress")).size(), 2);
}

TEST_F(ScriptedOperator, BadZoneAnswerIsStoredAndCancelChangesNothing)
{
    TBadZone zone(2);
    zone.Far.SetValue(2500);
    op.Answer(QVariantList{100, 2600, 5, 6}).Answer(TScriptedOperator::Cancel());
    EXPECT_TRUE(op.InputBadZone(zone));
    EXPECT_EQ(zone.Far.AsDouble(), 2600);
    EXPECT_EQ(zone.EmptySpeed.AsDouble(), 6);
    EXPECT_FALSE(op.InputBadZone(zone));
    EXPECT_EQ(zone.Far.AsDouble(), 2600);
    EXPECT_EQ(op.Calls[0].Text, "2.Плохая зона");
    EXPECT_EQ(op.Calls[0].Args[2].toDouble(), 2500);
}

TEST_F(ScriptedOperator, ModelMessagesBecomeQueuedWarningsInTheInterfaceThread)
{
    Ttolm472 model;
    RouteModelMessages(model);
    model.OnMessage(QStringLiteral("Неизвестный тип прибора: 13"));
    EXPECT_TRUE(op.Calls.empty()); // never from inside the work that raised it
    QCoreApplication::processEvents();
    ASSERT_EQ(op.Calls.size(), 1);
    EXPECT_EQ(op.Calls[0].Kind, "ShowMessage");
    EXPECT_EQ(op.Calls[0].Caption, "Внимание");
    EXPECT_EQ(op.Calls[0].Args, QVariantList{int(TMessageIcon::Warning)});

    // From the request thread the message waits for the interface thread;
    // the raising thread does not wait for the box.
    std::thread([&] { model.OnMessage(QStringLiteral("Неверный номер блока")); }).join();
    EXPECT_EQ(op.Calls.size(), 1);
    QCoreApplication::processEvents();
    ASSERT_EQ(op.Calls.size(), 2);
    EXPECT_EQ(op.Calls[1].Text, "Неверный номер блока");
}

TEST_F(ScriptedOperator, PortFailureIsAnErrorBox)
{
    TempHome home;
    TTransmitter transmitter(home.path());
    RouteTransmitterMessages(transmitter);
    transmitter.SetPortName(home.file(QStringLiteral("ttyNone")));
    EXPECT_FALSE(transmitter.Open());
    ASSERT_EQ(op.Calls.size(), 1);
    EXPECT_EQ(op.Calls[0].Caption, "Внимание");
    EXPECT_TRUE(op.Calls[0].Text.startsWith(QStringLiteral("Ошибка активации порта :") +
                                            home.file(QStringLiteral("ttyNone")) + QLatin1Char('\n')));
    EXPECT_EQ(op.Calls[0].Args, QVariantList{int(TMessageIcon::Error)});
}

// Every dialog as the operator sees it: nothing cut off, and a picture of
// each for the documentation when TOLM_SCREENSHOTS names a folder.

#include "app/text_file.h"
#include "device/bad_zones.h"
#include "device/parameter_table.h"
#include "session/procedures/gauge_configuration.h"
#include "ui/dialogs/form_compare_parameters.h"
#include "ui/dialogs/form_input_bad_zone.h"
#include "ui/dialogs/form_input_double.h"
#include "ui/dialogs/form_input_index_from_list.h"
#include "ui/dialogs/form_input_integer.h"
#include "ui/dialogs/widget_operator.h"
#include "ui/widgets/vhistogram.h"

#include "modal_dialog.h"
#include "support/gui_application.h"
#include "support/temp_home.h"
#include "support/window_shots.h"

#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

class Screenshot : public GuiTest
{
protected:
    // Checks the shown window and saves its picture.
    static void take(QWidget &window, const QString &name)
    {
        window.show();
        EXPECT_EQ(ClippedControls(window), QStringList()) << name.toStdString();
        EXPECT_TRUE(SaveShot(ShotWithCaption(window), name)) << name.toStdString();
    }

    // The same for the modal dialog the next operator call opens; then
    // closes it.
    template <typename Dialog>
    static void takeModal(const QString &name)
    {
        OnNextModal<Dialog>([name](Dialog *dialog) {
            take(*dialog, name);
            dialog->reject();
        });
    }

    TWidgetOperator op;
};

} // namespace

TEST_F(Screenshot, IntegerDialogs)
{
    TFormInputInteger address(QStringLiteral("Введите"), QStringLiteral("Системный адрес"), 1, 255, 0);
    take(address, QStringLiteral("dialog_input_integer"));
    TFormInputInteger plant(QStringLiteral("Введите"), QStringLiteral("Новый заводской номер [0..65535]"), 1047, 65535,
                            0);
    take(plant, QStringLiteral("dialog_input_integer_wide"));
}

TEST_F(Screenshot, DoubleDialog)
{
    TFormInputDouble form(QStringLiteral("Введите"),
                          QStringLiteral("Высоту резервуара относительно монтажного фланца H max, мм"), 0, 40000, 0,
                          12500);
    take(form, QStringLiteral("dialog_input_double"));
}

TEST_F(Screenshot, ListDialog)
{
    TempHome home;
    const QString types = home.file(QStringLiteral("INI/ProgramTypes.ini"));
    ASSERT_TRUE(WriteTextLines(types, {QStringLiteral("ТОЛМ471И"), QStringLiteral("ТОЛМ472И")}));
    TFormInputIndexFromList form(QStringLiteral("Введите"), QStringLiteral("Тип прибора"), 1, types);
    take(form, QStringLiteral("dialog_input_index_from_list"));
}

TEST_F(Screenshot, BadZoneDialog)
{
    TBadZone zone(1);
    zone.Near.SetValue(1200);
    zone.Far.SetValue(2500);
    zone.FillSpeed.SetValue(15);
    zone.EmptySpeed.SetValue(20);
    TFormInputBadZone form(zone);
    take(form, QStringLiteral("dialog_input_bad_zone"));
}

TEST_F(Screenshot, TextDialog)
{
    takeModal<QInputDialog>(QStringLiteral("dialog_input_text"));
    op.InputText(QStringLiteral("Введите"), QStringLiteral("Номер ППМ"), QStringLiteral("47-0112"));
}

TEST_F(Screenshot, MessageBoxes)
{
    takeModal<QMessageBox>(QStringLiteral("message_warning"));
    op.Warning(QStringLiteral("Не выполнена команда\rЗаписать Hmax в прибор"));
    takeModal<QMessageBox>(QStringLiteral("message_question"));
    op.Question(QStringLiteral("Резервуар должен быть пуст.\rВыполнить обучение?"), false);
    takeModal<QMessageBox>(QStringLiteral("message_error"));
    op.Error(QStringLiteral("Ошибка активации порта :/dev/ttyS7"));
}

TEST_F(Screenshot, ProgressWindow)
{
    op.ShowProgress(QStringLiteral("Чтение массива спектра"), 3, 16);
    ASSERT_NE(op.ProgressWindow(), nullptr);
    take(*op.ProgressWindow(), QStringLiteral("progress"));
    op.CloseProgress();
}

TEST_F(Screenshot, BarIndicator)
{
    // Three bars side by side: plain, with zones and scale on the left, and
    // with automatic colour, scale and values on the right.
    QWidget panel;
    panel.setWindowTitle(QStringLiteral("TVHistogram"));
    panel.setFixedSize(3 * 90 + 10, 220);
    TVHistogram plain(&panel), zoned(&panel), valued(&panel);
    plain.setGeometry(10, 10, 50, 200);
    plain.SetValue(62);
    zoned.setGeometry(100, 10, 50, 200);
    zoned.SetShowScaleZones(true);
    zoned.SetShowScaleMarks(true);
    zoned.SetValue(62);
    zoned.SetCaption(QStringLiteral("Ур."));
    valued.setGeometry(190, 10, 90, 200);
    valued.SetColorProductType(TVHistogram::cptAuto);
    valued.SetShowScaleMarks(true);
    valued.SetShowValues(true);
    valued.SetScaleAlignment(TVHistogram::saRight);
    valued.SetValue(83);
    valued.SetColorValues(0x000000);
    take(panel, QStringLiteral("vhistogram"));
}

TEST_F(Screenshot, ComparisonWithTheGauge)
{
    // Every parameter of the backup, two of them differing and one the
    // gauge did not give.
    TConfigurationComparison comparison;
    for (const TParameter *parameter : ConfigurationParameters())
        comparison.Rows.push_back({parameter, 1000.5, 1000.5, false});
    comparison.Rows[0].InGauge = 21500.25;
    comparison.Rows[0].Differs = true;
    comparison.Rows[2].InFile = 0.5;
    comparison.Rows[2].Differs = true;
    comparison.Rows.back().InGauge.reset();
    comparison.Rows.back().Differs = true;
    TFormCompareParameters form(comparison, QStringLiteral("/opt/tolm/471/PN00001-20261208.ini"));
    EXPECT_EQ(form.lblSummary->text(), QStringLiteral("Отличается параметров: 3 из ") +
                                           QString::number(int(comparison.Rows.size())));
    EXPECT_TRUE(form.btnWrite->isEnabled());
    // Each row by its caption, as the parameters window names it; the key
    // the files use is the tool tip.
    static const QRegularExpression cyrillic(QStringLiteral("[А-Яа-я]"));
    for (int row = 0; row < int(comparison.Rows.size()); ++row) {
        const QTableWidgetItem *caption = form.grdParameters->item(row, 0);
        EXPECT_TRUE(caption->text().contains(cyrillic)) << caption->text().toStdString();
        EXPECT_EQ(caption->toolTip(), QString::fromLatin1(comparison.Rows[row].Parameter->Name));
    }
    EXPECT_EQ(form.grdParameters->item(0, 0)->text(), QStringLiteral("Hmax, мм"));
    take(form, QStringLiteral("dialog_compare_parameters"));
}

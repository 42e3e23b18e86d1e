// The main window as the operator sees it, in normal and in full mode:
// nothing cut off, every menu reachable, and a picture of each for the
// documentation when TOLM_SCREENSHOTS names a folder. The port setup dialog
// of "СОМ порт" too.

#include "form_main_bench.h"

#include "link/port_parameters.h"
#include "ui/dialogs/form_port_setup.h"
#include "ui/dialogs/operator.h"

#include "modal_dialog.h"

#include "support/window_shots.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMenuBar>
#include <QToolBar>

namespace {

class FormMainScreenshot : public FormMainBench
{
protected:
    void Take(QWidget &window, const QString &name)
    {
        window.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(ClippedControls(window), QStringList()) << name.toStdString();
        EXPECT_TRUE(SaveShot(ShotWithCaption(window), name)) << name.toStdString();
    }

    // The menu bar's titles, in order.
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction *menu : form->menuBar()->actions())
            titles.append(menu->text());
        return titles;
    }
};

TEST_F(FormMainScreenshot, NormalMode)
{
    Start();
    EXPECT_EQ(MenuTitles(), (QStringList{QStringLiteral("Работа"), QStringLiteral("Изменить"),
                                         QStringLiteral("Показания"), QStringLiteral("Считать"),
                                         QStringLiteral("Записать"), QStringLiteral("График"),
                                         QStringLiteral("Окна")}));
    Take(*form, QStringLiteral("form_main"));
}

TEST_F(FormMainScreenshot, FullMode)
{
    Start({QStringLiteral("/full")});
    Model().Identity.SoftVersion = 255;
    form->ApplyModeVisibility();
    Take(*form, QStringLiteral("form_main_full"));
    // The menu "Работа" opened: the training, correction and prediction
    // items stay hidden in it.
    QMenu *work = form->menuBar()->actions().value(0)->menu();
    ASSERT_NE(work, nullptr);
    work->adjustSize();
    EXPECT_TRUE(SaveShot(work->grab().toImage(), QStringLiteral("form_main_menu_work_full")));
}

TEST_F(FormMainScreenshot, PortSetupDialog)
{
    // Two adapters plugged in; the one in use is the second.
    const QList<TPortChoice> ports{
        {QStringLiteral("ttyUSB0"), QStringLiteral("USB-Serial Controller"), QStringLiteral("Prolific"),
         QStringLiteral("A10K3Z")},
        {QStringLiteral("ttyUSB1"), QStringLiteral("FT232R USB UART"), QStringLiteral("FTDI"),
         QStringLiteral("AB0LQ7XD")},
    };
    TFormPortSetup dialog(QStringLiteral("ttyUSB1"), TPortParameters(), ports);
    EXPECT_EQ(dialog.cbPort->count(), 2);
    EXPECT_EQ(dialog.lblPortInfo->text(), QStringLiteral("FT232R USB UART, FTDI, S/N AB0LQ7XD, используется"));
    Take(dialog, QStringLiteral("dialog_port_setup"));

    // A name typed in that the system does not offer is kept, and said so.
    dialog.cbPort->setCurrentText(QStringLiteral("ttyS7"));
    EXPECT_EQ(dialog.PortName(), QStringLiteral("ttyS7"));
    EXPECT_EQ(dialog.lblPortInfo->text(), QStringLiteral("нет в системе"));
}

} // namespace

namespace {

TEST_F(FormMainScreenshot, AboutBox)
{
    Start();
    SetOperator(nullptr); // the real message box
    QString text;
    OnNextModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        Take(*box, QStringLiteral("dialog_about"));
        box->accept();
    });
    ASSERT_TRUE(Execute("actFormAboutShow"));
    // What a service centre asks for on the phone.
    EXPECT_TRUE(text.contains(QStringLiteral("Версия 0.2.0"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Папка программы: ") + QDir::toNativeSeparators(home.path())))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ТЛМИ.00471-01 12 01"))) << text.toStdString();
}

} // namespace
